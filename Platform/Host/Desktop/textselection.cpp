#include "textselection.h"

#include "backgroundpagerenderer.h"

namespace {

// A click is a rectangle smaller than this (points); it may land a little
// beside thin text and still mean it.
const double ClickSize = 2.0;
const double ClickSlack = 2.0;
// Text of a few pages is kept: selections go back and forth between the
// pages on screen.
const int KeptPages = 16;

} // namespace

TextSelection::TextSelection(BackgroundPageRenderer* renderer, QObject* parent)
    : QObject(parent), mRenderer(renderer)
{
    connect(renderer, &BackgroundPageRenderer::textReady, this, &TextSelection::onTextReady);
    connect(renderer, &BackgroundPageRenderer::documentChanged, this, [this] {
        mText.clear();
        mPendingPage = 0;
    });
}

int TextSelection::pick(const QList<TextLine>& lines, const QRectF& area)
{
    const QRectF normal = area.normalized();
    int best = -1;
    if (normal.width() < ClickSize && normal.height() < ClickSize) {
        const QPointF at = normal.center();
        double bestArea = 0.0;
        for (int i = 0; i < lines.size(); ++i) {
            const QRectF box = lines.at(i).box.adjusted(-ClickSlack, -ClickSlack, ClickSlack, ClickSlack);
            const double size = box.width() * box.height();
            if (box.contains(at) && (best < 0 || size < bestArea)) {
                best = i;
                bestArea = size;
            }
        }
        return best;
    }
    // Reading order: higher on the page first (y grows upwards), then left.
    for (int i = 0; i < lines.size(); ++i) {
        const QRectF& box = lines.at(i).box;
        if (!box.intersects(normal))
            continue;
        if (best < 0 || box.bottom() > lines.at(best).box.bottom()
            || (box.bottom() == lines.at(best).box.bottom() && box.left() < lines.at(best).box.left()))
            best = i;
    }
    return best;
}

void TextSelection::select(int page, const QRectF& area)
{
    const auto known = mText.constFind(page);
    if (known != mText.constEnd()) {
        mPendingPage = 0;
        answer(page, area, *known);
        return;
    }
    mPendingPage = page;
    mPendingArea = area;
    mRenderer->requestText(page);
}

void TextSelection::clear()
{
    mPendingPage = 0;
}

void TextSelection::onTextReady(int page, const QList<TextLine>& lines)
{
    if (mText.size() >= KeptPages)
        mText.clear();
    mText.insert(page, lines);
    if (page == mPendingPage) {
        mPendingPage = 0;
        answer(page, mPendingArea, lines);
    }
}

void TextSelection::answer(int page, const QRectF& area, const QList<TextLine>& lines)
{
    const int index = pick(lines, area);
    if (index < 0)
        emit nothingSelected();
    else
        emit lineSelected(page, lines.at(index));
}
