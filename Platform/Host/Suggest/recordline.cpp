#include "recordline.h"


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
    // Eleven fields, then the text, which may hold commas.
    int fieldStart[12];
    int start = 0;
    for (int field = 0; field < 12; ++field) {
        fieldStart[field] = start;
        if (field == 11)
            break;
        const int comma = repaired.indexOf(QLatin1Char(','), start);
        if (comma < 0)
            return false;
        start = comma + 1;
    }
    const auto field = [&](int n) { return repaired.midRef(fieldStart[n], fieldStart[n + 1] - fieldStart[n] - 1); };
    line->page = page;
    line->index = index;
    line->font = field(0).toString();
    line->colour = field(1).toString().toLower();
    line->size = field(2).toDouble();
    line->left = field(3).toDouble();
    line->right = field(5).toDouble();
    line->top = field(10).toDouble();
    line->text = repaired.mid(fieldStart[11]).remove(QLatin1Char('"'));
    return true;
}
