#include "textrecord.h"

namespace {

constexpr int TextField = 11;

double NumberOrZero(const QStringRef& field)
{
    bool ok = false;
    const double value = field.toDouble(&ok);
    return ok ? value : 0.0;
}

} // namespace

QString CTextRecord::RepairFontField(const QString& line)
{
    if (!line.startsWith(QLatin1Char('"')))
        return line;
    const int end = line.indexOf(QLatin1String("\","), 1);
    if (end < 0)
        return line;
    const QString name = line.left(end);
    if (!name.contains(QLatin1Char(',')))
        return line;
    QString repairedName = name;
    repairedName.replace(QLatin1Char(','), QLatin1Char('-'));
    QString repaired = line;
    repaired.replace(name, repairedName);
    return repaired;
}

CTextRecord CTextRecord::Parse(const QString& rawLine)
{
    const QString line = RepairFontField(rawLine);
    CTextRecord record;

    // Walk the first eleven commas; the text is whatever follows the last one.
    int start = 0;
    for (int field = 0; field < TextField; ++field) {
        const int comma = line.indexOf(QLatin1Char(','), start);
        const int end = comma < 0 ? line.size() : comma;
        const QStringRef value = line.midRef(start, end - start);
        switch (field) {
        case 0: record.fontName = value.toString(); break;
        case 1: record.colour = value.toString(); break;
        case 2: record.size = NumberOrZero(value); break;
        case 3: record.left = NumberOrZero(value); break;
        case 9: record.destLeft = NumberOrZero(value); break;
        case 10: record.destTop = NumberOrZero(value); break;
        default: break;
        }
        if (comma < 0)
            return record;  // short record: no text
        start = comma + 1;
    }
    record.text = line.mid(start);
    record.text.remove(QLatin1Char('"'));
    return record;
}

QStringList CTextRecord::SplitPage(const QString& pageText)
{
    QStringList records;
    int start = 0;
    for (;;) {
        if (start > pageText.size()) {
            records.append(QString());
            break;
        }
        const int feed = pageText.indexOf(QLatin1Char('\n'), start);
        const int end = feed < 0 ? pageText.size() : feed;
        records.append(pageText.mid(start, end - start));
        if (end == start)
            break;
        start = feed < 0 ? pageText.size() + 1 : feed + 1;
    }
    return records;
}
