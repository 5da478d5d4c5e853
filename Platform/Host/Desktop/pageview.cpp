#include "pageview.h"

#include "pagegeometry.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

const int Gap = 12;           // pixels around and between pages
const double ZoomStep = 1.25;
const int MinKeptPages = 12;  // rendered pages kept besides those in view
const int ClickDistance = 4;  // pixels a press may move and still be a click

} // namespace

PageView::PageView(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    setObjectName(QStringLiteral("pageView"));
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    mRendered.setMaxCost(MinKeptPages);
    // Scrolling asks once per event-loop turn, not once per pixel.
    mRequestTimer.setSingleShot(true);
    mRequestTimer.setInterval(0);
    connect(&mRequestTimer, &QTimer::timeout, this, &PageView::requestVisible);
}

void PageView::setPages(const QVector<QRectF>& pages)
{
    mPages = pages;
    mRendered.clear();
    clearHighlight();
    mLastCurrent = 0;
    mWantedPage = 0;
    layoutPages();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    viewChanged();
}

void PageView::appendPages(const QVector<QRectF>& pages)
{
    mPages += pages;
    layoutPages();
    if (mWantedPage > 0 && mWantedPage <= mPages.size()) {
        goToPage(mWantedPage);
        return;
    }
    viewChanged();
}

void PageView::layoutPages()
{
    mTops.resize(mPages.size());
    int y = Gap;
    int widest = 0;
    for (int i = 0; i < mPages.size(); ++i) {
        mTops[i] = y;
        y += qRound(mPages.at(i).height() * mZoom) + Gap;
        widest = std::max(widest, qRound(mPages.at(i).width() * mZoom));
    }
    mContentWidth = widest + 2 * Gap;
    mContentHeight = mPages.isEmpty() ? 0 : y;
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, mContentWidth - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setRange(0, std::max(0, mContentHeight - view.height()));
    verticalScrollBar()->setPageStep(view.height());
    verticalScrollBar()->setSingleStep(40);
    horizontalScrollBar()->setSingleStep(40);
    const int kept = std::max(MinKeptPages, 2 * (view.height() / std::max(1, qRound(200 * mZoom)) + 2));
    mRendered.setMaxCost(kept);
}

QRect PageView::pageRect(int page) const
{
    const QRectF& box = mPages.at(page - 1);
    const int width = qRound(box.width() * mZoom);
    const int x = std::max(Gap, (std::max(mContentWidth, viewport()->width()) - width) / 2);
    return QRect(x, mTops.at(page - 1), width, qRound(box.height() * mZoom));
}

int PageView::pageAt(int contentY) const
{
    if (mTops.isEmpty())
        return 0;
    const auto after = std::upper_bound(mTops.cbegin(), mTops.cend(), contentY);
    return std::max(1, static_cast<int>(after - mTops.cbegin()));
}

QPoint PageView::contentOffset() const
{
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

int PageView::currentPage() const
{
    if (mPages.isEmpty())
        return 0;
    // The page that holds the upper third of the view is the one being read.
    return pageAt(verticalScrollBar()->value() + viewport()->height() / 3);
}

double PageView::wantedDpi() const
{
    return 72.0 * mZoom * devicePixelRatioF();
}

QPoint PageView::viewportPoint(int page, const QPointF& user) const
{
    const QPointF inPage = PageGeometry::toImage(mPages.at(page - 1), user, mZoom);
    return pageRect(page).topLeft() + inPage.toPoint() - contentOffset();
}

void PageView::goToPage(int page)
{
    if (page > mPages.size())
        mWantedPage = page;
    if (page < 1 || page > mPages.size())
        return;
    mWantedPage = 0;
    verticalScrollBar()->setValue(mTops.at(page - 1) - Gap);
    viewChanged();
}

void PageView::nextPage()
{
    goToPage(currentPage() + 1);
}

void PageView::previousPage()
{
    goToPage(currentPage() - 1);
}

void PageView::setZoom(double zoom)
{
    zoom = std::clamp(zoom, MinZoom, MaxZoom);
    if (qFuzzyCompare(zoom, mZoom))
        return;
    // Keep the same spot of the same page at the top of the view.
    const int page = currentPage();
    double within = 0;
    if (page > 0)
        within = (verticalScrollBar()->value() - mTops.at(page - 1)) / mZoom;
    mZoom = zoom;
    layoutPages();
    if (page > 0)
        verticalScrollBar()->setValue(mTops.at(page - 1) + qRound(within * mZoom));
    viewChanged();
    emit zoomChanged(mZoom);
}

void PageView::zoomIn()
{
    setZoom(mZoom * ZoomStep);
}

void PageView::zoomOut()
{
    setZoom(mZoom / ZoomStep);
}

void PageView::fitWidth()
{
    const int page = std::max(1, currentPage());
    if (mPages.isEmpty())
        return;
    setZoom((viewport()->width() - 2 * Gap) / mPages.at(page - 1).width());
}

void PageView::setPicking(bool picking)
{
    mPicking = picking;
    viewport()->setCursor(picking ? Qt::CrossCursor : Qt::ArrowCursor);
    if (!picking && mBand)
        mBand->hide();
}

void PageView::highlight(int page, const QRectF& userBox)
{
    mHighlightPage = page;
    mHighlightBox = userBox;
    viewport()->update();
}

void PageView::clearHighlight()
{
    mHighlightPage = 0;
    viewport()->update();
}

void PageView::showRenderedPage(int page, double dpi, const QImage& image)
{
    if (page < 1 || page > mPages.size())
        return;
    mRendered.insert(page, new Rendered{image, dpi});
    viewport()->update(pageRect(page).translated(-contentOffset()));
}

void PageView::viewChanged()
{
    const int current = currentPage();
    if (current != mLastCurrent) {
        mLastCurrent = current;
        emit currentPageChanged(current);
    }
    viewport()->update();
    mRequestTimer.start();
}

void PageView::requestVisible()
{
    if (mPages.isEmpty())
        return;
    const int top = verticalScrollBar()->value();
    const int first = pageAt(top);
    const int last = std::min(static_cast<int>(mPages.size()), pageAt(top + viewport()->height()) + 1);
    const double dpi = wantedDpi();
    QList<int> wanted;
    for (int page = first; page <= last; ++page) {
        const Rendered* rendered = mRendered.object(page);
        if (!rendered || !qFuzzyCompare(rendered->dpi, dpi))
            wanted << page;
    }
    emit pagesWanted(wanted, dpi);
}

void PageView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    if (mPages.isEmpty())
        return;
    const QPoint offset = contentOffset();
    const int top = offset.y() + event->rect().top();
    const int bottom = offset.y() + event->rect().bottom();
    for (int page = pageAt(top); page <= mPages.size() && mTops.at(page - 1) <= bottom; ++page) {
        const QRect target = pageRect(page).translated(-offset);
        painter.fillRect(target, Qt::white);
        // Image first, scaled if it was rendered for another zoom.
        if (const Rendered* rendered = mRendered.object(page))
            painter.drawImage(target, rendered->image);
        else {
            painter.setPen(Qt::gray);
            painter.drawText(target, Qt::AlignCenter, QString::number(page));
        }
        painter.setPen(QColor(0, 0, 0, 90));
        painter.drawRect(target.adjusted(-1, -1, 0, 0));

        if (page == mHighlightPage) {
            const QRectF& crop = mPages.at(page - 1);
            const QPointF a = PageGeometry::toImage(crop, mHighlightBox.topLeft(), mZoom);
            const QPointF b = PageGeometry::toImage(crop, mHighlightBox.bottomRight(), mZoom);
            const QRectF box = QRectF(a, b).normalized().adjusted(-2, -2, 2, 2).translated(target.topLeft());
            painter.fillRect(box, QColor(255, 200, 0, 70));
            painter.setPen(QPen(QColor(230, 120, 0), 1.5));
            painter.drawRect(box);
        }
    }
}

void PageView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    layoutPages();
    viewChanged();
}

void PageView::scrollContentsBy(int, int)
{
    viewChanged();
}

void PageView::wheelEvent(QWheelEvent* event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        if (event->angleDelta().y() > 0)
            zoomIn();
        else if (event->angleDelta().y() < 0)
            zoomOut();
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

void PageView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_PageDown:
        nextPage();
        break;
    case Qt::Key_PageUp:
        previousPage();
        break;
    case Qt::Key_Home:
        goToPage(1);
        break;
    case Qt::Key_End:
        goToPage(mPages.size());
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

void PageView::mousePressEvent(QMouseEvent* event)
{
    mPressPage = 0;
    if (!mPicking || event->button() != Qt::LeftButton || mPages.isEmpty())
        return QAbstractScrollArea::mousePressEvent(event);
    const QPoint content = event->pos() + contentOffset();
    const int page = pageAt(content.y());
    if (!pageRect(page).contains(content))
        return;
    mPressPage = page;
    mPressAt = event->pos();
    if (!mBand)
        mBand = new QRubberBand(QRubberBand::Rectangle, viewport());
    mBand->setGeometry(QRect(mPressAt, QSize()));
    mBand->show();
}

void PageView::mouseMoveEvent(QMouseEvent* event)
{
    if (mPressPage && mBand)
        mBand->setGeometry(QRect(mPressAt, event->pos()).normalized());
    QAbstractScrollArea::mouseMoveEvent(event);
}

void PageView::mouseReleaseEvent(QMouseEvent* event)
{
    if (!mPressPage || event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mouseReleaseEvent(event);
    const int page = mPressPage;
    mPressPage = 0;
    if (mBand)
        mBand->hide();
    QPoint end = event->pos();
    if ((end - mPressAt).manhattanLength() < ClickDistance)
        end = mPressAt;
    // The rectangle in the page image, then in the page's user space.
    const QPoint origin = pageRect(page).topLeft() - contentOffset();
    const QPointF a = PageGeometry::toUser(mPages.at(page - 1), mPressAt - origin, mZoom);
    const QPointF b = PageGeometry::toUser(mPages.at(page - 1), end - origin, mZoom);
    emit areaPicked(page, QRectF(a, b).normalized());
}
