#include "stylelisting.h"

#include "jsonoutput.h"
#include "pdflibrarybinding.h"
#include "textline.h"

#include <QJsonArray>
#include <QMap>
#include <QRegularExpression>
#include <QTextStream>

#include <tuple>

namespace {

QString FromWide(const std::wstring& text)
{
    return QString::fromUcs4(reinterpret_cast<const uint*>(text.data()), static_cast<int>(text.size()));
}

struct Style
{
    double size = 0.0;
    QString font;
    QString colour;

    // Largest first.
    bool operator<(const Style& other) const
    {
        return std::tie(other.size, font, colour) < std::tie(size, other.font, other.colour);
    }
};

struct StyleUse
{
    int lines = 0;
    QList<int> pages;
    QString example;
};

// A subset font is named "ABCDEF+Name"; its subsets are one font to a reader.
QString WithoutSubsetPrefix(const QString& font)
{
    static const QRegularExpression prefix(QStringLiteral("^[A-Z]{6}\\+"));
    return QString(font).remove(prefix);
}

QMap<Style, StyleUse> Styles(OmbrelPDFLibraryCPDylibCPP1311& library)
{
    QMap<Style, StyleUse> styles;
    const int pages = library.PageCount();
    for (int page = 1; page <= pages; ++page) {
        for (const TextLine& line : TextLine::ofPage(library, page)) {
            const QString text = line.text.simplified();
            if (text.isEmpty())
                continue;
            // Sizes a hundredth apart are one size to the eye.
            const Style style{qRound(line.size.toDouble() * 100) / 100.0, WithoutSubsetPrefix(line.font),
                              line.colour.toLower()};
            StyleUse& use = styles[style];
            if (use.lines++ == 0)
                use.example = text.left(60);
            if (use.pages.isEmpty() || use.pages.last() != page)
                use.pages << page;
        }
    }
    return styles;
}

// "3-5,9,12-40", cut after a few runs.
QString PageRuns(const QList<int>& pages)
{
    const int shown = 6;
    QStringList runs;
    for (int i = 0; i < pages.size(); ++i) {
        int last = i;
        while (last + 1 < pages.size() && pages.at(last + 1) == pages.at(last) + 1)
            ++last;
        if (runs.size() == shown)
            return runs.join(QLatin1Char(',')) + QStringLiteral("…");
        runs << (last > i ? QStringLiteral("%1-%2").arg(pages.at(i)).arg(pages.at(last)) : QString::number(pages.at(i)));
        i = last;
    }
    return runs.join(QLatin1Char(','));
}

struct FontEntry
{
    QString name;
    QString family;
    QString encoding;
};

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

QList<FontEntry> Fonts(OmbrelPDFLibraryCPDylibCPP1311& library)
{
    QList<FontEntry> fonts;
    const int count = library.FindFonts();
    for (int i = 1; i <= count; ++i) {
        library.SelectFont(library.GetFontID(i));
        fonts << FontEntry{FromWide(library.FontName()), FromWide(library.FontFamily()),
                           EncodingName(library.GetFontEncoding())};
    }
    return fonts;
}

} // namespace

void StyleListing::print(OmbrelPDFLibraryCPDylibCPP1311& library, bool fonts, QTextStream& out)
{
    const QMap<Style, StyleUse> styles = Styles(library);
    out << "Text styles (" << styles.size() << "), largest first: size, font, colour, lines, pages: example\n";
    for (auto it = styles.cbegin(); it != styles.cend(); ++it) {
        out << "  " << QString::number(it.key().size, 'g', 4) << ", " << it.key().font << ", " << it.key().colour << ", "
            << it.value().lines << (it.value().lines == 1 ? " line" : " lines") << ", p" << PageRuns(it.value().pages)
            << ": " << it.value().example << "\n";
    }
    if (!fonts)
        return;
    const QList<FontEntry> list = Fonts(library);
    out << "\nFonts (" << list.size() << "): name, family, encoding\n";
    for (const FontEntry& font : list)
        out << "  " << font.name << ", " << font.family << ", " << font.encoding << "\n";
}

void StyleListing::printJson(OmbrelPDFLibraryCPDylibCPP1311& library, bool fonts, QTextStream& out)
{
    const QMap<Style, StyleUse> styles = Styles(library);
    QJsonArray rows;
    for (auto it = styles.cbegin(); it != styles.cend(); ++it) {
        QJsonArray pages;
        for (int page : it.value().pages)
            pages.append(page);
        rows.append(QJsonObject{{"size", it.key().size},
                                {"font", it.key().font},
                                {"colour", it.key().colour},
                                {"lines", it.value().lines},
                                {"pages", pages},
                                {"example", it.value().example}});
    }
    QJsonObject document = JsonOutput::document(QStringLiteral("styles"), rows);
    if (fonts) {
        QJsonArray list;
        for (const FontEntry& font : Fonts(library))
            list.append(QJsonObject{{"name", font.name}, {"family", font.family}, {"encoding", font.encoding}});
        document.insert(QStringLiteral("fonts"), list);
    }
    JsonOutput::print(document, out);
}
