#include "levelplan.h"

#include "documentlines.h"

#include <QMap>
#include <QRegularExpression>

namespace {

// The levels' checks, each fitted to what the levels above it leave; a
// level that finds no title goes.
QVector<LevelFit> Fit(const DocumentLines& document, const QVector<LineFault>& faults, QVector<LevelStyles>& levels)
{
    QVector<bool> taken(document.lines.size(), false);
    QVector<LevelFit> fits;
    for (int level = 0; level < levels.size();) {
        LevelFit fit = LevelFit::fit(document, faults, levels.at(level).styles, levels.at(level).bodySize, taken);
        if (fit.headings.isEmpty()) {
            levels.remove(level);
            continue;
        }
        fits << fit;
        ++level;
    }
    return fits;
}

// Per level, the titles the engine drops: those before any title of the
// level above.
QVector<int> Dropped(const QVector<LevelFit>& fits)
{
    QMap<int, int> levelOf;
    for (int level = 0; level < fits.size(); ++level)
        for (int line : fits.at(level).headings)
            levelOf.insert(line, level);
    QVector<bool> open(fits.size(), false);
    QVector<int> dropped(fits.size(), 0);
    for (auto it = levelOf.cbegin(); it != levelOf.cend(); ++it) {
        const int level = it.value();
        if (level > 0 && !open.at(level - 1)) {
            ++dropped[level];
            continue;
        }
        open[level] = true;
        for (int deeper = level + 1; deeper < open.size(); ++deeper)
            open[deeper] = false;
    }
    return dropped;
}

bool IsNumbered(const QString& text)
{
    static const QRegularExpression numbered(
        QStringLiteral("^(([0-9]+|[A-Z])(\\.[0-9]+)*\\.?|(Chapter|CHAPTER|Part|PART|Appendix|APPENDIX) \\S+)\\s"));
    return numbered.match(text).hasMatch();
}

int NumberedShare(const DocumentLines& document, const LevelFit& fit)
{
    int numbered = 0;
    for (int line : fit.headings)
        numbered += IsNumbered(document.lines.at(line).text) ? 1 : 0;
    return 100 * numbered / qMax(1, int(fit.headings.size()));
}

// Below numbered titles, unnumbered ones are the headings a contents page
// leaves out (run-in paragraphs, notes): they end the levels.
QVector<LevelFit> WithoutUnnumberedTail(const DocumentLines& document, QVector<LevelFit> fits)
{
    for (int level = 1; level < fits.size(); ++level) {
        if (NumberedShare(document, fits.at(level - 1)) >= 70 && NumberedShare(document, fits.at(level)) < 30) {
            fits.resize(level);
            break;
        }
    }
    return fits;
}

} // namespace

namespace LevelPlan {

// Under numbered titles, a level whose titles are numbered but for some
// keeps the numbered ones: the others are run-in headings set alike, which
// a contents page leaves out.
QVector<LevelFit> KeepingNumbered(const DocumentLines& document, QVector<LevelFit> fits)
{
    static const QString numbered = QStringLiteral("(?=([0-9]+|[A-Z])(\\.[0-9]+)+\\.?\\s)");
    for (int level = 1; level < fits.size(); ++level) {
        const int share = NumberedShare(document, fits.at(level));
        if (NumberedShare(document, fits.at(level - 1)) < 70 || share < 30 || share >= 95)
            continue;
        LevelFit& fit = fits[level];
        fit.checks.maskParts.prepend(numbered);
        fit.checks.compileMask();
        const auto passing = [&](const QVector<int>& lines) {
            QVector<int> kept;
            for (int line : lines)
                if (fit.checks.passes(document.lines.at(line)))
                    kept << line;
            return kept;
        };
        fit.headings = passing(fit.headings);
        fit.strays = passing(fit.strays);
    }
    return fits;
}

// A level more of whose titles come before any title of the level above
// than that level has is no level below it: the upper one holds text that
// only looks like titles (a figure's large labels) and goes.
QVector<LevelFit> fit(const DocumentLines& document, const QVector<LineFault>& faults, QVector<LevelStyles> levels)
{
    for (;;) {
        const QVector<LevelFit> fits = Fit(document, faults, levels);
        const QVector<int> dropped = Dropped(fits);
        int upper = -1;
        for (int level = 1; level < dropped.size() && upper < 0; ++level)
            if (dropped.at(level) > fits.at(level - 1).headings.size())
                upper = level - 1;
        if (upper < 0)
            return KeepingNumbered(document, WithoutUnnumberedTail(document, fits));
        levels.remove(upper);
    }
}

} // namespace LevelPlan

