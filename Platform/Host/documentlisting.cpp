#include "documentlisting.h"

#include "hosterror.h"
#include "pdflibrarybinding.h"

#include <QMap>
#include <QStringList>
#include <QTextStream>

#include <algorithm>
#include <tuple>

namespace {

QString FromWide(const std::wstring& text)
{
    return QString::fromUcs4(reinterpret_cast<const uint*>(text.data()), static_cast<int>(text.size()));
}

QStringList PageRecords(OmbrelPDFLibraryCPDylibCPP1311& library, int page)
{
    library.SelectPage(page);
    library.SetTextExtractionOptions(1, 0);
    return FromWide(library.GetPageText(3)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QString EncodingName(int code)
{
    switch (code) {
    case 1:
        return QStringLiteral("MacRomanEncoding");
    case 2:
        return QStringLiteral("WinAnsiEncoding");
    case 3:
        return QStringLiteral("MacExpertEncoding");
    case 5:
        return QStringLiteral("No encoding");
    default:
        return QStringLiteral("encoding %1").arg(code);
    }
}

struct Style
{
    QString font;
    QString colour;
    double size = 0.0;

    bool operator<(const Style& other) const
    {
        return std::tie(other.size, font, colour) < std::tie(size, other.font, other.colour);
    }
};

struct StyleUse
{
    int records = 0;
    int firstPage = 0;
    QString example;
};

// Splits a record into font, colour, size and text; a font name in double
// quotes may hold commas of its own.
bool ParseRecord(const QString& record, Style& style, QString& text)
{
    int fontEnd = record.indexOf(QLatin1Char(','));
    if (record.startsWith(QLatin1Char('"'))) {
        const int quoteEnd = record.indexOf(QLatin1String("\","));
        if (quoteEnd > 0)
            fontEnd = quoteEnd + 1;
    }
    if (fontEnd < 0)
        return false;
    const QStringList rest = record.mid(fontEnd + 1).split(QLatin1Char(','));
    if (rest.size() < 11)
        return false;
    style.font = record.left(fontEnd).remove(QLatin1Char('"'));
    style.colour = rest.at(0).toLower();
    style.size = rest.at(1).toDouble();
    text = rest.mid(10).join(QLatin1Char(',')).remove(QLatin1Char('"')).simplified();
    return true;
}

} // namespace

void DocumentListing::printText(int page, QTextStream& out)
{
    const int pages = mLibrary.PageCount();
    if (page > pages)
        throw HostError(QStringLiteral("The document has %1 pages; there is no page %2.").arg(pages).arg(page));
    const int first = page > 0 ? page : 1;
    const int last = page > 0 ? page : pages;
    out << "# font,colour,size,left,4 more coordinates,destination left,destination top,text\n";
    for (int p = first; p <= last; ++p) {
        out << "# page " << p << "\n";
        for (const QString& record : PageRecords(mLibrary, p))
            out << record << "\n";
    }
}

void DocumentListing::printFonts(QTextStream& out)
{
    const int fonts = mLibrary.FindFonts();
    out << "Fonts (" << fonts << "): name, family, encoding\n";
    for (int i = 1; i <= fonts; ++i) {
        mLibrary.SelectFont(mLibrary.GetFontID(i));
        out << "  " << FromWide(mLibrary.FontName()) << ", " << FromWide(mLibrary.FontFamily()) << ", "
            << EncodingName(mLibrary.GetFontEncoding()) << "\n";
    }

    QMap<Style, StyleUse> styles;
    const int pages = mLibrary.PageCount();
    for (int page = 1; page <= pages; ++page) {
        for (const QString& record : PageRecords(mLibrary, page)) {
            Style style;
            QString text;
            if (!ParseRecord(record, style, text) || text.isEmpty())
                continue;
            StyleUse& use = styles[style];
            if (use.records++ == 0) {
                use.firstPage = page;
                use.example = text.left(60);
            }
        }
    }
    out << "\nText styles (" << styles.size() << "), largest first: size, font, colour, records, first page: example\n";
    for (auto it = styles.cbegin(); it != styles.cend(); ++it) {
        out << "  " << QString::number(it.key().size, 'g', 4) << ", " << it.key().font << ", " << it.key().colour
            << ", " << it.value().records << ", p" << it.value().firstPage << ": " << it.value().example << "\n";
    }
}
