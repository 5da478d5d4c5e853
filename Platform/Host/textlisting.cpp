#include "textlisting.h"

#include "hosterror.h"
#include "jsonoutput.h"
#include "pdflibrarybinding.h"
#include "textline.h"

#include <QJsonArray>
#include <QTextStream>

namespace {

// The pages asked for: one, or all when page is 0.
QPair<int, int> PageRange(OmbrelPDFLibraryCPDylibCPP1311& library, int page)
{
    const int pages = library.PageCount();
    if (page > pages)
        throw HostError(QStringLiteral("The document has %1 pages; there is no page %2.").arg(pages).arg(page));
    return page > 0 ? qMakePair(page, page) : qMakePair(1, pages);
}

// A CSV field, quoted when it holds a comma, a quote or a line break.
QString CsvField(QString field)
{
    if (!field.contains(QLatin1Char(',')) && !field.contains(QLatin1Char('"')) && !field.contains(QLatin1Char('\n'))
        && !field.contains(QLatin1Char('\r')))
        return field;
    return QLatin1Char('"') + field.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

} // namespace

void TextListing::printCsv(OmbrelPDFLibraryCPDylibCPP1311& library, int page, QTextStream& out)
{
    const QPair<int, int> range = PageRange(library, page);
    QStringList header{"page", "font", "colour", "size"};
    for (const QString& corner : TextLine::cornerNames())
        header << corner + QStringLiteral("_x") << corner + QStringLiteral("_y");
    out << header.join(QLatin1Char(',')) << ",text\n";
    for (int p = range.first; p <= range.second; ++p) {
        for (const TextLine& line : TextLine::ofPage(library, p)) {
            QStringList fields{QString::number(p), line.font, line.colour, line.size};
            fields << line.corners << line.text;
            for (QString& field : fields)
                field = CsvField(field);
            out << fields.join(QLatin1Char(',')) << "\n";
        }
    }
}

void TextListing::printJson(OmbrelPDFLibraryCPDylibCPP1311& library, int page, QTextStream& out)
{
    const QPair<int, int> range = PageRange(library, page);
    QJsonArray lines;
    for (int p = range.first; p <= range.second; ++p) {
        for (const TextLine& line : TextLine::ofPage(library, p)) {
            QJsonObject corners;
            for (int i = 0; i < TextLine::cornerNames().size(); ++i) {
                corners.insert(TextLine::cornerNames().at(i),
                               QJsonObject{{"x", line.corners.value(2 * i).toDouble()},
                                           {"y", line.corners.value(2 * i + 1).toDouble()}});
            }
            lines.append(QJsonObject{{"page", p},
                                     {"font", line.font},
                                     {"colour", line.colour},
                                     {"size", line.size.toDouble()},
                                     {"corners", corners},
                                     {"text", line.text}});
        }
    }
    JsonOutput::print(JsonOutput::document(QStringLiteral("lines"), lines), out);
}
