#pragma once

#include "textline.h"

#include <QHash>
#include <QObject>

class BackgroundPageRenderer;

// Turns a click or a dragged rectangle on a page into one selected line of
// text. The page's text comes from the renderer's thread; a selection made
// before it arrives is answered when it does.
class TextSelection : public QObject
{
    Q_OBJECT

public:
    explicit TextSelection(BackgroundPageRenderer* renderer, QObject* parent = nullptr);

    // The line a selection in `area` (user space) means: for a click the line
    // under it, for a rectangle the first line it touches in reading order.
    // -1 when there is none.
    static int pick(const QList<TextLine>& lines, const QRectF& area);

public slots:
    void select(int page, const QRectF& area);
    void clear();

signals:
    void lineSelected(int page, const TextLine& line);
    void nothingSelected();

private slots:
    void onTextReady(int page, const QList<TextLine>& lines);

private:
    void answer(int page, const QRectF& area, const QList<TextLine>& lines);

    BackgroundPageRenderer* mRenderer;
    QHash<int, QList<TextLine>> mText;
    int mPendingPage = 0;
    QRectF mPendingArea;
};
