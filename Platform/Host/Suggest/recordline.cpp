#include "recordline.h"

#include <QStringList>

namespace {

// The engine reads a font name holding a comma with the comma as a hyphen.
QString RepairedFontField(const QString& record)
{
    if (!record.startsWith(QLatin1Char('"')))
        return record;
    const int end = record.indexOf(QLatin1String("\","), 1);
    if (end < 0)
        return record;
    QString repaired = record;
    for (int i = 0; i < end; ++i) {
        if (repaired.at(i) == QLatin1Char(','))
            repaired[i] = QLatin1Char('-');
    }
    return repaired;
}

} // namespace

bool RecordLine::parse(const QString& record, int page, int index, RecordLine* line)
{
    const QString repaired = RepairedFontField(record);
    QStringList fields = repaired.split(QLatin1Char(','));
    if (fields.size() < 12)
        return false;
    line->page = page;
    line->index = index;
    line->font = fields.at(0);
    line->colour = fields.at(1).toLower();
    line->size = fields.at(2).toDouble();
    line->left = fields.at(3).toDouble();
    line->right = fields.at(5).toDouble();
    line->top = fields.at(10).toDouble();
    line->text = QStringList(fields.mid(11)).join(QLatin1Char(',')).remove(QLatin1Char('"'));
    return true;
}
