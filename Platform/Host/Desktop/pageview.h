#pragma once

#include <QAbstractScrollArea>
#include <QCache>
#include <QImage>
#include <QRectF>
#include <QTimer>
#include <QVector>

class QRubberBand;

// The document's pages one below the other, drawn from rendered images. It
// asks for the pages that come into view, keeps a few of them, and shows a
// blank page until an image arrives, so scrolling never waits. While text is
// being picked, a click or a dragged rectangle is reported in user space.
class PageView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    static constexpr double MinZoom = 0.25;
    static constexpr double MaxZoom = 4.0;

    explicit PageView(QWidget* parent = nullptr);

    // Crop boxes of pages 1..n; starts at the first page.
    void setPages(const QVector<QRectF>& pages);
    // Pages read later go below, leaving the view where it is.
    void appendPages(const QVector<QRectF>& pages);
    int pageCount() const { return mPages.size(); }
    int currentPage() const;
    double zoom() const { return mZoom; }
    bool isPicking() const { return mPicking; }
    bool isRendered(int page) const { return mRendered.contains(page); }

    // Where a point of a page's user space is on the viewport.
    QPoint viewportPoint(int page, const QPointF& user) const;

public slots:
    void goToPage(int page);
    void nextPage();
    void previousPage();
    void setZoom(double zoom);
    void zoomIn();
    void zoomOut();
    void fitWidth();
    void setPicking(bool picking);
    void highlight(int page, const QRectF& userBox);
    void clearHighlight();
    void showRenderedPage(int page, double dpi, const QImage& image);

signals:
    // The pages in view (and the next one) at the resolution they need.
    void pagesWanted(const QList<int>& pages, double dpi);
    void areaPicked(int page, const QRectF& userArea);
    void currentPageChanged(int page);
    void zoomChanged(double zoom);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    struct Rendered
    {
        QImage image;
        double dpi;
    };

    void layoutPages();
    void viewChanged();
    void requestVisible();
    // The page's rectangle in content coordinates (before scrolling).
    QRect pageRect(int page) const;
    int pageAt(int contentY) const;
    QPoint contentOffset() const;
    double wantedDpi() const;

    QVector<QRectF> mPages;
    QVector<int> mTops; // content y of each page's top
    int mContentWidth = 0;
    int mContentHeight = 0;
    double mZoom = 1.0;
    int mLastCurrent = 0;
    int mWantedPage = 0; // asked for before its page was known

    QCache<int, Rendered> mRendered;
    QTimer mRequestTimer;

    bool mPicking = false;
    QRubberBand* mBand = nullptr;
    QPoint mPressAt;
    int mPressPage = 0;
    int mHighlightPage = 0;
    QRectF mHighlightBox;
};
