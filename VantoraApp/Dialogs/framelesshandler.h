#pragma once

#include "cursorposcalculator.h"

#include <QObject>
#include <QPoint>

class QMouseEvent;
class QWidget;
class QWindowStateChangeEvent;

// Moves and resizes a window that has no system frame. It watches the
// window's events without consuming any: a left press on an edge band starts
// a resize, a press in the move bar starts a move, hovering over an edge shows
// the matching resize cursor, and a double click in the move bar asks the
// window to maximise or restore.
class CFramelessHandler : public QObject
{
    Q_OBJECT

public:
    explicit CFramelessHandler(QObject* parent = nullptr);
    ~CFramelessHandler() override;

    void activateOn(QWidget* widget);

    void setWidgetMovable(bool movable);
    bool isWidgetMovable() const;
    void setWidgetResizable(bool resizable);
    bool isWidgetResizable() const;

    void setBorderWidth(int width);
    int borderWidth() const;
    void setMoveBarHeight(int height);
    int moveBarHeight() const;

    bool eventFilter(QObject* watched, QEvent* event) override;

    void moveWidget(const QPoint& globalPos);
    void resizeWidget(const QPoint& globalPos);
    void updateCursorShape(const QPoint& globalPos);

signals:
    void toggleMaximize();
    void movingMaximized();

private:
    void handleMousePress(QMouseEvent* event);
    void handleMouseRelease(QMouseEvent* event);
    void handleMouseDoubleClick(QMouseEvent* event);
    void handleMouseMove(QMouseEvent* event);
    void handleWindowStateChange(QWindowStateChangeEvent* event);

    CCursorPosCalculator pressedMousePos;
    CCursorPosCalculator moveMousePos;
    QPoint dragPos;
    QWidget* widget = nullptr;
    bool widgetMovable = true;
    bool widgetResizable = true;
    bool cursorShapeChanged = false;
    bool leftButtonPressed = false;
    bool pressedOnMoveBar = false;
    bool pressedOnEdges = false;
};
