#pragma once

#include <QPoint>
#include <QRect>

// Where a pointer lies relative to a frameless window: on which edge bands,
// in which corners, and whether in the move bar along the top. Bounds are
// inclusive and the frame's right and bottom are one past its last pixel, so
// the bands reach one pixel outside the frame.
class CCursorPosCalculator
{
public:
    CCursorPosCalculator();

    void reset();
    void recalculate(const QPoint& globalPos, const QRect& frameRect);

    bool onEdges;
    bool onLeftEdge;
    bool onRightEdge;
    bool onTopEdge;
    bool onBottomEdge;
    bool nearLeft;
    bool nearRight;
    bool nearTop;
    bool nearBottom;
    bool onTopLeftEdge;
    bool onBottomLeftEdge;
    bool onTopRightEdge;
    bool onBottomRightEdge;
    bool onMoveBar;

    int borderWidth;
    int moveBarHeight;
};
