#include "cursorposcalculator.h"

CCursorPosCalculator::CCursorPosCalculator()
    : borderWidth(5)
    , moveBarHeight(0)
{
    reset();
}

void CCursorPosCalculator::reset()
{
    onEdges = false;
    onLeftEdge = onRightEdge = onTopEdge = onBottomEdge = false;
    nearLeft = nearRight = nearTop = nearBottom = false;
    onTopLeftEdge = onBottomLeftEdge = onTopRightEdge = onBottomRightEdge = false;
    onMoveBar = false;
}

void CCursorPosCalculator::recalculate(const QPoint& globalPos, const QRect& frameRect)
{
    const int x = globalPos.x();
    const int y = globalPos.y();
    const int left = frameRect.left();
    const int top = frameRect.top();
    const int right = left + frameRect.width();
    const int bottom = top + frameRect.height();
    const int band = borderWidth;
    const int corner = 2 * borderWidth;

    // Each band is tested on one coordinate only.
    onLeftEdge = x >= left && x <= left + band;
    onRightEdge = x >= right - band && x <= right;
    onTopEdge = y >= top && y <= top + band;
    onBottomEdge = y >= bottom - band && y <= bottom;

    nearLeft = x >= left && x <= left + corner;
    nearRight = x >= right - corner && x <= right;
    nearTop = y >= top && y <= top + corner;
    nearBottom = y >= bottom - corner && y <= bottom;

    onTopLeftEdge = nearTop && nearLeft;
    onBottomLeftEdge = nearBottom && nearLeft;
    // The top-right corner is only as large as the bands: the header's
    // buttons sit right next to it.
    onTopRightEdge = onTopEdge && onRightEdge;
    onBottomRightEdge = nearBottom && nearRight;

    onMoveBar = y <= top + moveBarHeight;

    onEdges = onLeftEdge || onRightEdge || onTopEdge || onBottomEdge
        || onTopLeftEdge || onBottomLeftEdge || onTopRightEdge || onBottomRightEdge;
}
