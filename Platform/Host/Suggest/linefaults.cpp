#include "linefaults.h"

#include "documentlines.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <cmath>

namespace {

int Letters(const QString& text)
{
    int letters = 0;
    for (const QChar c : text)
        letters += c.isLetter() ? 1 : 0;
    return letters;
}

int Words(const QString& text)
{
    return text.split(QLatin1Char(' '), Qt::SkipEmptyParts).size();
}

bool IsLabel(const QString& text)
{
    static const QRegularExpression label(
        QStringLiteral("^(chapter|part|appendix|section|book|lecture|lesson|unit|kapitel|teil|anhang|chapitre|partie|"
                       "annexe|cap[ií]tulo|parte|ap[eé]ndice)(\\s+([0-9]+|[ivxlcdm]+|[a-z]))?\\s*[.:]?$"),
        QRegularExpression::CaseInsensitiveOption);
    // A part's number alone: "IV"; not "Cd", a title.
    static const QRegularExpression roman(QStringLiteral("^[IVXLCDM]+\\.?$"));
    return label.match(text.trimmed()).hasMatch() || roman.match(text.trimmed()).hasMatch();
}

// A contents or index entry: a page number (arabic, or small roman) after a
// blank or a dot, or dot leaders anywhere.
bool EndsInPageNumber(const QString& text)
{
    int end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    int start = end;
    while (start > 0 && text.at(start - 1).isDigit())
        --start;
    if (start == end) {
        static const QString roman = QStringLiteral("ivxlc");
        while (start > 0 && roman.contains(text.at(start - 1)))
            --start;
    }
    if (start < end && start > 0 && (text.at(start - 1).isSpace() || (text.at(start - 1) == QLatin1Char('.')
                                                                      && text.at(end - 1).isDigit())))
        return true;
    return text.contains(QLatin1String(". . .")) || text.contains(QLatin1String("...")) || text.contains(QChar(0x2026));
}

// Pages most of whose lines are entries: contents, lists of figures, index;
// and the last page of such a run, with fewer entries.
QSet<int> ListingPages(const DocumentLines& document)
{
    QHash<int, int> lines;
    QHash<int, int> entries;
    for (const RecordLine& line : document.lines) {
        ++lines[line.page];
        entries[line.page] += EndsInPageNumber(line.text) ? 1 : 0;
    }
    QSet<int> pages;
    for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
        if (it.value() >= 5 && it.value() * 10 >= lines.value(it.key()) * 4)
            pages.insert(it.key());
    }
    for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
        if (pages.contains(it.key() - 1) && it.value() >= 2 && it.value() * 10 >= lines.value(it.key()) * 3)
            pages.insert(it.key());
    }
    return pages;
}

// The title page, and the run of listing pages near the start with all
// before it: the front matter, whose big lines are no chapters. A listing
// further on (a list of functions) starts no front matter.
int FrontMatterEnd(const DocumentLines& document, const QSet<int>& listings)
{
    int end = document.pageCount >= 10 ? 1 : 0;
    const int frontLimit = qMax(5, document.pageCount / 5);
    int first = 0;
    for (int page = 1; page <= frontLimit && first == 0; ++page)
        first = listings.contains(page) ? page : 0;
    if (first == 0)
        return end;
    end = first;
    for (bool longer = true; longer;) {
        longer = false;
        for (int page = end + 1; page <= end + 2; ++page) {
            if (listings.contains(page)) {
                end = page;
                longer = true;
            }
        }
    }
    return end;
}

// A header or footer comes back at the same height in the same style on
// many pages, with the same words (page numbers aside), or at a height that
// most pages share. The same words in the same style on many pages at
// many heights are labels of figures or tables, no titles.
QSet<int> RunningLines(const DocumentLines& document, const QVector<bool>& candidates)
{
    static const QRegularExpression digits(QStringLiteral("[0-9]+"));
    QHash<QString, QSet<int>> pagesByText;
    QHash<QString, QSet<int>> pagesByPlace;
    QHash<QString, QSet<int>> pagesByWords;
    QHash<QString, QSet<int>> heightsByWords;
    QVector<QString> textKeys(document.lines.size());
    QVector<QString> placeKeys(document.lines.size());
    QVector<QString> wordKeys(document.lines.size());
    for (int i = 0; i < document.lines.size(); ++i) {
        if (!candidates.at(i))
            continue;
        const RecordLine& line = document.lines.at(i);
        const TextStyle& style = document.styles.at(i);
        placeKeys[i] = QStringLiteral("%1|%2|%3|%4")
                           .arg(style.size)
                           .arg(style.font, style.colour)
                           .arg(std::round(line.top / 2));
        textKeys[i] = placeKeys[i] + QLatin1Char('|') + QString(line.text).remove(digits).simplified();
        wordKeys[i] = QStringLiteral("%1|%2|%3|").arg(style.size).arg(style.font, style.colour) + line.text;
        pagesByText[textKeys[i]].insert(line.page);
        pagesByPlace[placeKeys[i]].insert(line.page);
        pagesByWords[wordKeys[i]].insert(line.page);
        heightsByWords[wordKeys[i]].insert(qRound(line.top / 2));
    }
    QSet<int> running;
    const int mostPages = qMax(6, document.pageCount * 6 / 10);
    for (int i = 0; i < document.lines.size(); ++i) {
        if (candidates.at(i) && (pagesByText.value(textKeys[i]).size() >= 3 || (pagesByWords.value(wordKeys[i]).size() >= 3 && heightsByWords.value(wordKeys[i]).size() >= 3) || pagesByPlace.value(placeKeys[i]).size() >= mostPages))
            running.insert(i);
    }
    return running;
}

// Where most lines of a style start, on odd and on even pages, in steps of
// three points; a style whose lines start anywhere has no such place.
void FaultOffMargin(const DocumentLines& document, QVector<LineFault>& faults)
{
    QHash<QString, QHash<int, int>> starts;
    QVector<QString> keys(document.lines.size());
    for (int i = 0; i < document.lines.size(); ++i) {
        if (faults.at(i) != LineFault::None || document.continues.at(i))
            continue;
        const TextStyle& style = document.styles.at(i);
        keys[i] = QStringLiteral("%1|%2|%3|%4").arg(style.size).arg(style.font, style.colour).arg(document.lines.at(i).page % 2);
        ++starts[keys[i]][qRound(document.lines.at(i).left / 3)];
    }
    QHash<QString, int> margins;
    for (auto it = starts.cbegin(); it != starts.cend(); ++it) {
        int total = 0;
        int most = 0;
        int margin = 0;
        for (auto start = it.value().cbegin(); start != it.value().cend(); ++start) {
            total += start.value();
            const int near = start.value() + it.value().value(start.key() - 1) + it.value().value(start.key() + 1);
            if (near > most) {
                most = near;
                margin = start.key();
            }
        }
        if (total >= 5 && most * 10 >= total * 6)
            margins.insert(it.key(), margin);
    }
    for (int i = 0; i < document.lines.size(); ++i) {
        const auto margin = margins.constFind(keys.at(i));
        if (!keys.at(i).isEmpty() && margin != margins.cend() && std::abs(qRound(document.lines.at(i).left / 3) - *margin) > 3)
            faults[i] = LineFault::OffMargin;
    }
}

} // namespace

namespace LineFaults {

QVector<LineFault> of(const DocumentLines& document, const TextStyle& body)
{
    // Only lines that look unlike the body may be headings.
    QVector<bool> candidates(document.lines.size());
    for (int i = 0; i < document.lines.size(); ++i) {
        const TextStyle& style = document.styles.at(i);
        candidates[i] = style.size >= body.size + 0.5 || (style.size > body.size - 0.5 && style.font != body.font);
    }
    const QSet<int> listings = ListingPages(document);
    const int frontEnd = FrontMatterEnd(document, listings);
    const QSet<int> running = RunningLines(document, candidates);
    QVector<LineFault> faults(document.lines.size(), LineFault::None);
    for (int i = 0; i < document.lines.size(); ++i) {
        if (!candidates.at(i))
            continue;
        const RecordLine& line = document.lines.at(i);
        const QString text = line.text.simplified();
        if (line.page <= frontEnd)
            faults[i] = LineFault::FrontMatter;
        else if (Letters(text) < 2)
            faults[i] = LineFault::FewLetters;
        else if (running.contains(i))
            faults[i] = LineFault::Running;
        else if (IsLabel(text))
            faults[i] = LineFault::Label;
        else if (listings.contains(line.page) && EndsInPageNumber(text))
            faults[i] = LineFault::ListingEntry;
        else if (Words(text) > 20 || text.size() > 160)
            faults[i] = LineFault::Long;
    }
    FaultOffMargin(document, faults);
    return faults;
}

const char* describe(LineFault fault)
{
    switch (fault) {
    case LineFault::None:
        return "headings";
    case LineFault::FewLetters:
        return "numbers and index letters";
    case LineFault::Long:
        return "long lines";
    case LineFault::Label:
        return "chapter labels";
    case LineFault::ListingEntry:
        return "contents and index entries";
    case LineFault::FrontMatter:
        return "lines of the title and contents pages";
    case LineFault::Running:
        return "running headers";
    case LineFault::OffMargin:
        return "lines apart from the titles' margin";
    }
    return "";
}

} // namespace LineFaults
