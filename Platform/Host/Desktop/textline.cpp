#include "textline.h"

#include "bookmarkselectionrec.h"

#include <QColor>
#include <QPolygonF>
#include <QStringList>

#include <cmath>

namespace {

// Corner fields 3..10, then the text from field 11 on.
const int CornerFields = 8;

} // namespace

bool TextLine::fromRecord(const QString& record, TextLine& line)
{
    QString rest;
    if (record.startsWith(QLatin1Char('"'))) {
        const int close = record.indexOf(QLatin1String("\","), 1);
        if (close < 0)
            return false;
        line.fontName = record.mid(1, close - 1);
        rest = record.mid(close + 2);
    } else {
        const int comma = record.indexOf(QLatin1Char(','));
        if (comma < 0)
            return false;
        line.fontName = record.left(comma);
        rest = record.mid(comma + 1);
    }

    // Colour, size and the corners; the text keeps its own commas.
    const QStringList fields = rest.split(QLatin1Char(','));
    if (fields.size() < 2 + CornerFields + 1)
        return false;
    const QColor colour(fields.at(0).trimmed());
    bool sizeOk = false;
    line.size = fields.at(1).toDouble(&sizeOk);
    if (!colour.isValid() || !sizeOk)
        return false;
    line.colour = colour.rgb();

    QPolygonF corners;
    for (int i = 0; i < CornerFields; i += 2) {
        bool xOk = false, yOk = false;
        const double x = fields.at(2 + i).toDouble(&xOk);
        const double y = fields.at(3 + i).toDouble(&yOk);
        if (!xOk || !yOk)
            return false;
        corners << QPointF(x, y);
    }
    line.left = corners.first().x();
    line.box = corners.boundingRect();
    line.text = fields.mid(2 + CornerFields).join(QLatin1Char(','));
    return true;
}

QList<TextLine> TextLine::fromPageText(const QString& pageText)
{
    QList<TextLine> lines;
    for (const QString& record : pageText.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        TextLine line;
        if (fromRecord(record.endsWith(QLatin1Char('\r')) ? record.chopped(1) : record, line))
            lines << line;
    }
    return lines;
}

PDBookmarkSelectionRec TextLine::selectionRecord() const
{
    PDBookmarkSelectionRec rec;
    // The wizard turns the commas of a name into hyphens itself, as the
    // engine does when it reads the record.
    rec.fontName = fontName;
    // To the 0.01 pt of the text records and of the wizard's size field, so
    // that a picked size matches its own lines with no tolerance.
    rec.fontSize = std::round(size * 100) / 100;
    rec.color = colour;
    rec.left = left;
    return rec;
}
