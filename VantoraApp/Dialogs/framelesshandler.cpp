#include "framelesshandler.h"

#include <QCoreApplication>
#include <QHoverEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindowStateChangeEvent>

CFramelessHandler::CFramelessHandler(QObject* parent)
    : QObject(parent)
{
}

CFramelessHandler::~CFramelessHandler() = default;

void CFramelessHandler::activateOn(QWidget* watched)
{
    if (!watched)
        return;
    widget = watched;
    widget->installEventFilter(this);
    // Hover moves arrive only with this set; they drive the cursor shape.
    widget->setAttribute(Qt::WA_Hover);
    // Windows that can maximise offer these slots; others just stay unconnected.
    connect(this, SIGNAL(toggleMaximize()), widget, SLOT(on_MaxRestore()));
    connect(this, SIGNAL(movingMaximized()), widget, SLOT(on_MoveMaximized()));
}

void CFramelessHandler::setWidgetMovable(bool movable)
{
    widgetMovable = movable;
}

bool CFramelessHandler::isWidgetMovable() const
{
    return widgetMovable;
}

void CFramelessHandler::setWidgetResizable(bool resizable)
{
    widgetResizable = resizable;
}

bool CFramelessHandler::isWidgetResizable() const
{
    return widgetResizable;
}

void CFramelessHandler::setBorderWidth(int width)
{
    if (width < 0)
        return;
    pressedMousePos.borderWidth = width;
    moveMousePos.borderWidth = width;
}

int CFramelessHandler::borderWidth() const
{
    return pressedMousePos.borderWidth;
}

void CFramelessHandler::setMoveBarHeight(int height)
{
    pressedMousePos.moveBarHeight = height;
    moveMousePos.moveBarHeight = height;
}

int CFramelessHandler::moveBarHeight() const
{
    return pressedMousePos.moveBarHeight;
}

bool CFramelessHandler::eventFilter(QObject* watched, QEvent* event)
{
    Q_UNUSED(watched);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        handleMousePress(static_cast<QMouseEvent*>(event));
        break;
    case QEvent::MouseButtonRelease:
        handleMouseRelease(static_cast<QMouseEvent*>(event));
        break;
    case QEvent::MouseButtonDblClick:
        handleMouseDoubleClick(static_cast<QMouseEvent*>(event));
        break;
    case QEvent::MouseMove:
        handleMouseMove(static_cast<QMouseEvent*>(event));
        break;
    case QEvent::Leave:
        if (!leftButtonPressed)
            widget->unsetCursor();
        break;
    case QEvent::HoverMove:
        if (widgetResizable)
            updateCursorShape(widget->mapToGlobal(static_cast<QHoverEvent*>(event)->pos()));
        break;
    case QEvent::WindowStateChange:
        handleWindowStateChange(static_cast<QWindowStateChangeEvent*>(event));
        break;
    default:
        break;
    }
    // The window keeps handling every event itself.
    return false;
}

void CFramelessHandler::handleMousePress(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    leftButtonPressed = true;
    const QRect frame = widget->frameGeometry();
    pressedMousePos.recalculate(event->globalPos(), frame);
    dragPos = event->globalPos() - frame.topLeft();
    pressedOnEdges = pressedMousePos.onEdges;
    // The top band is part of the move bar too; an edge wins.
    if (!pressedOnEdges)
        pressedOnMoveBar = pressedMousePos.onMoveBar;
}

void CFramelessHandler::handleMouseRelease(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        leftButtonPressed = false;
        pressedMousePos.reset();
    }
    pressedOnMoveBar = false;
    pressedOnEdges = false;
}

void CFramelessHandler::handleMouseDoubleClick(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    pressedMousePos.recalculate(event->globalPos(), widget->frameGeometry());
    if (pressedMousePos.onMoveBar)
        emit toggleMaximize();
}

void CFramelessHandler::handleMouseMove(QMouseEvent* event)
{
    if (leftButtonPressed) {
        if (widgetResizable && pressedOnEdges && !pressedOnMoveBar)
            resizeWidget(event->globalPos());
        else if (widgetMovable && !pressedOnEdges && pressedOnMoveBar)
            moveWidget(event->globalPos());
    } else if (widgetResizable) {
        updateCursorShape(event->globalPos());
    }
}

void CFramelessHandler::handleWindowStateChange(QWindowStateChangeEvent* event)
{
    // A window restored from minimised is on screen again: say so before the
    // relayout, and bring it to the front with the focus.
    widget->setAttribute(Qt::WA_Mapped, event->oldState() == Qt::WindowMinimized);
    widget->setFocus(Qt::OtherFocusReason);
    widget->raise();
    QCoreApplication::postEvent(widget, new QEvent(QEvent::LayoutRequest), Qt::HighEventPriority);
}

void CFramelessHandler::moveWidget(const QPoint& globalPos)
{
    pressedMousePos.recalculate(globalPos, widget->frameGeometry());
    if (pressedOnMoveBar)
        widget->move(globalPos - dragPos);
}

void CFramelessHandler::resizeWidget(const QPoint& globalPos)
{
    const QRect start = widget->frameGeometry();
    int left = start.left();
    int top = start.top();
    int right = start.right();
    int bottom = start.bottom();
    const int x = globalPos.x();
    const int y = globalPos.y();

    if (pressedMousePos.onTopLeftEdge) {
        left = x;
        top = y;
    } else if (pressedMousePos.onBottomLeftEdge) {
        left = x;
        bottom = y;
    } else if (pressedMousePos.onTopRightEdge) {
        right = x;
        top = y;
    } else if (pressedMousePos.onBottomRightEdge) {
        right = x;
        bottom = y;
    } else if (pressedMousePos.onLeftEdge) {
        left = x;
    } else if (pressedMousePos.onRightEdge) {
        right = x;
    } else if (pressedMousePos.onTopEdge) {
        top = y;
    } else if (pressedMousePos.onBottomEdge) {
        bottom = y;
    }

    // The pointer went past the opposite side.
    if (left > right || top > bottom)
        return;

    // An axis that would go below the minimum keeps its extent instead of
    // snapping to the minimum, so the window does not jump.
    const QSize minimum = widget->minimumSize();
    if (right - left + 1 < minimum.width()) {
        left = start.left();
        right = start.right();
    }
    if (bottom - top + 1 < minimum.height()) {
        top = start.top();
        bottom = start.bottom();
    }

    widget->move(left, top);
    widget->resize(right - left + 1, bottom - top + 1);
}

void CFramelessHandler::updateCursorShape(const QPoint& globalPos)
{
    moveMousePos.recalculate(globalPos, widget->frameGeometry());

    Qt::CursorShape shape;
    if (moveMousePos.onTopLeftEdge || moveMousePos.onBottomRightEdge) {
        shape = Qt::SizeFDiagCursor;
    } else if (moveMousePos.onBottomLeftEdge || moveMousePos.onTopRightEdge) {
        shape = Qt::SizeBDiagCursor;
    } else if (moveMousePos.onLeftEdge || moveMousePos.onRightEdge) {
        shape = Qt::SizeHorCursor;
    } else if (moveMousePos.onTopEdge || moveMousePos.onBottomEdge) {
        shape = Qt::SizeVerCursor;
    } else {
        if (cursorShapeChanged) {
            widget->unsetCursor();
            cursorShapeChanged = false;
        }
        return;
    }
    widget->setCursor(shape);
    cursorShapeChanged = true;
}
