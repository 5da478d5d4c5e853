#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>

// A PDF drawn with QPdfWriter at 72 dpi, so painter units are points: x from
// the page's left, y down from its top. Qt embeds subset fonts under their
// real names, as real producers do.
class SamplePdf
{
public:
    explicit SamplePdf(QSizeF pageSize = QSizeF(595, 842));

    // Text whose baseline starts at `at` on page `page` (1-based; pages are
    // added as needed), turned by `rotation` degrees clockwise around `at`.
    void drawText(int page, QPointF at, const QString& text, const QFont& font,
                  const QColor& colour = Qt::black, qreal rotation = 0);
    // Makes sure the document has at least this many pages.
    void ensurePages(int count);

    QSizeF pageSize() const { return mPageSize; }
    // The PDF user-space y (upwards from the bottom) of a painter y.
    qreal pdfY(qreal painterY) const { return mPageSize.height() - painterY; }

    bool write(const QString& path) const;

private:
    struct Item
    {
        int page;
        QPointF at;
        QString text;
        QFont font;
        QColor colour;
        qreal rotation;
    };
    QSizeF mPageSize;
    int mPages = 1;
    QList<Item> mItems;
};
