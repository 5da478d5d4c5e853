#include "headingstyle.h"

#include "bodytext.h"
#include "documentlines.h"
#include "linefaults.h"

#include <QMap>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace {

// Sizes closer than this are one size to the eye.
constexpr double SameSize = 0.5;

bool IsBoldFace(const QString& font)
{
    static const QRegularExpression bold(QStringLiteral("Bold|Black|Heavy|Semibold|SemiBold|Demi|Medi|CMBX|CMB[0-9]|"
                                                        "-B$|Bd"));
    return bold.match(font).hasMatch();
}

// Program text and the slanted lines of definitions share the headings'
// sizes in many manuals; headings are set upright in a text face.
bool IsCodeOrSlanted(const QString& font)
{
    static const QRegularExpression code(QStringLiteral("TT|Mono|Courier|Code|Consol|Typewriter|CMSL|CMTI|Italic|Oblique|"
                                                        "-It$|Slanted"));
    return code.match(font).hasMatch() && !IsBoldFace(font);
}

bool IsNumbered(const QString& text)
{
    static const QRegularExpression numbered(QStringLiteral("^([0-9]+|[A-Z])(\\.[0-9]+)+\\.?\\s"));
    return numbered.match(text.trimmed()).hasMatch();
}

// A heading is followed by running text in the body's face, or ends its
// page (a part page); an example's title is followed by the example.
bool IsFollowedByText(const DocumentLines& document, const BodyText& body, int line)
{
    const int page = document.lines.at(line).page;
    for (int next = line + 1; next < document.lines.size() && next <= line + 6; ++next) {
        if (document.lines.at(next).page != page)
            return true;
        if (document.styles.at(next).font == body.style.font && std::abs(document.styles.at(next).size - body.style.size) < SameSize
            && BodyText::isProse(document.lines.at(next).text))
            return true;
    }
    return line + 1 >= document.lines.size();
}

struct StyleLines
{
    QVector<int> all;
    QVector<int> headings;
};

bool LooksLikeHeadings(const DocumentLines& document, const BodyText& body, const TextStyle& style,
                       const StyleLines& lines)
{
    const QVector<int>& headings = lines.headings;
    if (headings.size() < 2 || headings.size() * 4 < lines.all.size())
        return false;
    QSet<int> pages;
    int words = 0;
    int followed = 0;
    int numbered = 0;
    for (int line : headings) {
        const QString& text = document.lines.at(line).text;
        pages.insert(document.lines.at(line).page);
        words += text.split(QLatin1Char(' '), Qt::SkipEmptyParts).size();
        followed += IsFollowedByText(document, body, line) ? 1 : 0;
        numbered += IsNumbered(text) ? 1 : 0;
    }
    if (pages.size() < 3 || headings.size() > 4 * pages.size() || words > 12 * headings.size())
        return false;
    if (followed * 2 < headings.size())
        return false;
    // A bold face at the body's size also marks terms and table heads: only
    // numbered titles make it a heading style.
    const bool larger = style.size >= body.style.size + SameSize;
    return larger || numbered * 10 >= headings.size() * 6;
}

} // namespace

QVector<HeadingStyle> HeadingStyle::find(const DocumentLines& document, const BodyText& body,
                                         const QVector<LineFault>& faults)
{
    QMap<TextStyle, StyleLines> byStyle;
    for (int i = 0; i < document.lines.size(); ++i) {
        const TextStyle& style = document.styles.at(i);
        const bool larger = style.size >= body.style.size + SameSize;
        const bool bolder = std::abs(style.size - body.style.size) < SameSize && style.font != body.style.font
                            && IsBoldFace(style.font);
        if (!larger && !bolder)
            continue;
        StyleLines& lines = byStyle[style];
        lines.all << i;
        // The rest of a wrapped title is no title of its own; a title under
        // its chapter label is.
        const bool wraps = document.continues.at(i) && faults.at(i - 1) == LineFault::None;
        if (faults.at(i) == LineFault::None && !wraps)
            lines.headings << i;
    }
    QVector<HeadingStyle> styles;
    for (auto it = byStyle.cbegin(); it != byStyle.cend(); ++it) {
        if (LooksLikeHeadings(document, body, it.key(), it.value()))
            styles << HeadingStyle{it.key(), it.value().headings, IsCodeOrSlanted(it.key().font)};
    }
    return styles; // the map kept them largest first
}
