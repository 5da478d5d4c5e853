#include "levelfit.h"

#include "documentlines.h"
#include "linefaults.h"

#include <QSet>

#include <algorithm>

namespace {

// Lookaheads, each added to a level's mask only when it keeps out a line
// that should not pass and lets every one that should through.
const QStringList& MaskParts()
{
    static const QStringList parts{
        // Chapter labels above their titles.
        QStringLiteral("(?!(Chapter|CHAPTER|Part|PART|Appendix|APPENDIX|Section|SECTION|Book|BOOK|Lecture|LECTURE)"
                       "( ([0-9]+|[IVXLCDM]+|[A-Z]))?[.:]?$)(?![IVXLCDM]+\\.?$)"),
        // Contents and index entries: a page number at the end, dot leaders.
        QStringLiteral("(?!.*[ .][0-9]+$)"),
        QStringLiteral("(?!.*\\.\\s?\\.\\s?\\.)"),
        // Titles start with a number or a capital; the second line of one
        // that wraps seldom does, and the mask must not take it, or the
        // engine makes it a heading of its own.
        QStringLiteral("(?=[0-9A-Z\\x00C0-\\x00DE])"),
        // Index letters, page numbers, symbols: two letters at least.
        QStringLiteral("(?=.*[A-Za-z\\x00C0-\\x024F\\x0370-\\x04FF\\x3040-\\x9FFF].*"
                       "[A-Za-z\\x00C0-\\x024F\\x0370-\\x04FF\\x3040-\\x9FFF])"),
    };
    return parts;
}

// Keywords go into a comma-separated list of quoted words.
bool CanBeKeyword(const QString& text)
{
    return !text.isEmpty() && text == text.trimmed() && !text.contains(QLatin1Char('"'))
           && !text.contains(QLatin1Char('\\')) && !text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('\n'));
}

constexpr int MaxKeywords = 60;

class Fitter
{
public:
    Fitter(const DocumentLines& document, const QVector<bool>& taken)
        : mDocument(document), mTaken(taken)
    {
    }

    LevelFit fit(SuggestedChecks checks, const QVector<int>& wanted, bool masked) const
    {
        const QSet<int> wantedSet(wanted.cbegin(), wanted.cend());
        LevelFit result;
        checks.compileMask();
        QVector<int> passing = passingLines(checks);
        for (const QString& part : masked ? MaskParts() : QStringList()) {
            SuggestedChecks tried = checks;
            tried.maskParts << part;
            tried.compileMask();
            const QVector<int> still = passingAmong(tried, passing);
            if (countIn(still, wantedSet) == countIn(passing, wantedSet) && still.size() < passing.size()) {
                checks = tried;
                passing = still;
            }
        }
        // What is left to keep out, by its words, unless a title has them.
        QSet<QString> titleTexts;
        for (int line : passing)
            if (wantedSet.contains(line))
                titleTexts.insert(mDocument.lines.at(line).text);
        QSet<QString> keywords;
        for (int line : passing) {
            const QString& text = mDocument.lines.at(line).text;
            if (!wantedSet.contains(line) && !isWrap(line, wantedSet) && !titleTexts.contains(text) && CanBeKeyword(text))
                keywords.insert(text);
        }
        if (!keywords.isEmpty() && keywords.size() <= MaxKeywords)
            checks.keywords = keywords;
        result.checks = checks;
        result.checks.compileMask();
        for (int line : passingLines(result.checks)) {
            if (wantedSet.contains(line))
                result.headings << line;
            else if (!isWrap(line, wantedSet))
                result.strays << line;
        }
        const QSet<int> titles(result.headings.cbegin(), result.headings.cend());
        for (int line = 0; line < mDocument.lines.size(); ++line) {
            if (!mTaken.at(line) && isWrap(line, titles)) {
                if (result.checks.maskTakes(mDocument.lines.at(line).text))
                    ++result.broken;
                else
                    ++result.wraps;
            }
        }
        result.checks.multiLine = result.wraps > 0;
        return result;
    }

    // A line the engine joins to the title above it.
    bool isWrap(int line, const QSet<int>& wanted) const
    {
        int start = line;
        while (start > 0 && mDocument.continues.at(start))
            --start;
        return start != line && wanted.contains(start);
    }

    QVector<int> passingAmong(const SuggestedChecks& checks, const QVector<int>& among) const
    {
        QVector<int> passing;
        for (int line : among)
            if (checks.passes(mDocument.lines.at(line)))
                passing << line;
        return passing;
    }

    QVector<int> passingLines(const SuggestedChecks& checks) const
    {
        QVector<int> passing;
        for (int line = 0; line < mDocument.lines.size(); ++line)
            if (!mTaken.at(line) && checks.passes(mDocument.lines.at(line)))
                passing << line;
        return passing;
    }

private:
    static int countIn(const QVector<int>& lines, const QSet<int>& set)
    {
        int count = 0;
        for (int line : lines)
            count += set.contains(line) ? 1 : 0;
        return count;
    }

    const DocumentLines& mDocument;
    const QVector<bool>& mTaken;
};

int Score(const LevelFit& fit)
{
    return int(fit.headings.size()) - 3 * int(fit.strays.size()) - 2 * fit.broken;
}

} // namespace

LevelFit LevelFit::fit(const DocumentLines& document, const QVector<LineFault>& faults,
                       const QVector<TextStyle>& styles, bool needsFont, QVector<bool>& taken)
{
    double smallest = styles.constFirst().size;
    double largest = smallest;
    for (const TextStyle& style : styles) {
        smallest = qMin(smallest, style.size);
        largest = qMax(largest, style.size);
    }
    const QString& font = styles.constFirst().font;
    const QString& colour = styles.constFirst().colour;
    SuggestedChecks base;
    base.size = TextStyle::roundedSize((smallest + largest) / 2);
    base.tolerance = TextStyle::roundedSize((largest - smallest) / 2) + 0.05;

    // The titles: faultless lines in the level's styles that no earlier
    // level takes.
    QVector<int> wanted;
    for (int line = 0; line < document.lines.size(); ++line) {
        if (taken.at(line) || faults.at(line) != LineFault::None || !styles.contains(document.styles.at(line)))
            continue;
        const bool wraps = document.continues.at(line) && line > 0 && faults.at(line - 1) == LineFault::None;
        if (!wraps)
            wanted << line;
    }

    const Fitter fitter(document, taken);
    LevelFit best;
    bool first = true;
    // Checks from fewest to most: a tie goes to the looser.
    for (int variant = 0; variant < 8; ++variant) {
        const bool withFont = needsFont || (variant & 1);
        const bool withColour = variant & 2;
        const bool masked = variant & 4;
        if (needsFont && (variant & 1))
            continue;
        SuggestedChecks checks = base;
        if (withFont)
            checks.font = font;
        if (withColour)
            checks.colour = colour;
        const LevelFit tried = fitter.fit(checks, wanted, masked);
        if (first || Score(tried) > Score(best)) {
            best = tried;
            first = false;
        }
    }
    // What the checks keep out that the size alone would let in.
    for (int line = 0; line < document.lines.size(); ++line) {
        const RecordLine& record = document.lines.at(line);
        if (!taken.at(line) && faults.at(line) != LineFault::None && std::abs(record.size - base.size) <= base.tolerance
            && !best.checks.passes(record))
            ++best.keptOut[faults.at(line)];
    }
    // The engine gives a line the first level it passes; the rest of a
    // title it joins never reaches the levels.
    const QSet<int> titles(best.headings.cbegin(), best.headings.cend());
    for (int line : fitter.passingLines(best.checks))
        taken[line] = true;
    for (int line = 0; line < document.lines.size(); ++line)
        if (best.checks.multiLine && fitter.isWrap(line, titles))
            taken[line] = true;
    return best;
}
