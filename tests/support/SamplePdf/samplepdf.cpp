#include "samplepdf.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

SamplePdf::SamplePdf(QSizeF pageSize) : mPageSize(pageSize)
{
}

void SamplePdf::drawText(int page, QPointF at, const QString& text, const QFont& font,
                         const QColor& colour, qreal rotation)
{
    ensurePages(page);
    mItems.append({page, at, text, font, colour, rotation});
}

void SamplePdf::ensurePages(int count)
{
    mPages = qMax(mPages, count);
}

bool SamplePdf::write(const QString& path) const
{
    QPdfWriter writer(path);
    writer.setResolution(72);
    writer.setPageLayout(QPageLayout(QPageSize(mPageSize, QPageSize::Point), QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0)));
    writer.setCreator(QStringLiteral("SamplePdf"));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    for (int page = 1; page <= mPages; ++page)
    {
        if (page > 1)
            writer.newPage();
        for (const Item& item : mItems)
        {
            if (item.page != page)
                continue;
            painter.save();
            painter.translate(item.at);
            painter.rotate(item.rotation);
            painter.setFont(item.font);
            painter.setPen(item.colour);
            painter.drawText(QPointF(0, 0), item.text);
            painter.restore();
        }
    }
    return painter.end();
}
