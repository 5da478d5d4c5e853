#include "suggestedlevels.h"

#include "bodytext.h"
#include "documentlines.h"
#include "headingstyle.h"
#include "levelfit.h"
#include "linefaults.h"

#include <QMap>
#include <QRegularExpression>

namespace {

// Fewer characters of prose than this, and the text is no document's.
constexpr int LeastProse = 400;
// Sizes closer than this set one level, whatever their fonts.
constexpr double OneLevel = 0.3;
constexpr int MostLevels = 4;

// The styles of one level: sizes from smallest to largest, the style most
// of its titles have.
struct LevelStyles
{
    QVector<TextStyle> styles; // the one most titles have first
    bool bodySize = false;
    int titles = 0; // of the style with most
};

// Two styles set one level when they differ in one thing only: the size by
// less than the eye sees, or the font.
bool SetsOneLevel(const TextStyle& larger, const TextStyle& smaller)
{
    const double apart = larger.size - smaller.size;
    return apart < 0.05 || (apart < OneLevel && larger.font == smaller.font);
}

QVector<LevelStyles> Group(const QVector<HeadingStyle>& styles, const BodyText& body)
{
    QVector<LevelStyles> levels;
    for (const HeadingStyle& style : styles) {
        if (style.joinsOnly)
            continue;
        const bool bodySize = style.style.size < body.style.size + 0.5;
        if (!levels.isEmpty() && !bodySize && SetsOneLevel(levels.last().styles.constLast(), style.style)) {
            LevelStyles& level = levels.last();
            level.styles << style.style;
            if (style.headings.size() > level.titles)
                std::swap(level.styles.first(), level.styles.last());
            level.titles = qMax(level.titles, int(style.headings.size()));
            continue;
        }
        levels << LevelStyles{{style.style}, bodySize, int(style.headings.size())};
    }
    // Titles set in program text ("8.1 plain") beside those of their size.
    for (const HeadingStyle& style : styles) {
        for (LevelStyles& level : levels) {
            if (style.joinsOnly && !level.bodySize && std::abs(level.styles.constFirst().size - style.style.size) < OneLevel)
                level.styles << style.style;
        }
    }
    if (levels.size() > MostLevels)
        levels.resize(MostLevels);
    return levels;
}

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

// A level more of whose titles come before any title of the level above
// than that level has is no level below it: the upper one holds text that
// only looks like titles (a figure's large labels) and goes.
QVector<LevelFit> FitKeepingTitles(const DocumentLines& document, const QVector<LineFault>& faults,
                                   QVector<LevelStyles> levels)
{
    for (;;) {
        const QVector<LevelFit> fits = Fit(document, faults, levels);
        const QVector<int> dropped = Dropped(fits);
        int upper = -1;
        for (int level = 1; level < dropped.size() && upper < 0; ++level)
            if (dropped.at(level) > fits.at(level - 1).headings.size())
                upper = level - 1;
        if (upper < 0)
            return fits;
        levels.remove(upper);
    }
}

QString Size(double size)
{
    return QString::number(size, 'g', 4);
}

QString Examples(const DocumentLines& document, const QVector<int>& lines)
{
    QStringList examples;
    for (int i = 0; i < lines.size() && i < 3; ++i) {
        const RecordLine& line = document.lines.at(lines.at(i));
        examples << QStringLiteral("\"%1\" (p. %2)").arg(line.text.left(50)).arg(line.page);
    }
    return examples.join(QLatin1String(", "));
}

QStringList Reasons(const DocumentLines& document, const LevelFit& fit)
{
    const SuggestedChecks& checks = fit.checks;
    const TextStyle& style = document.styles.at(fit.headings.constFirst());
    QStringList reasons;
    reasons << QStringLiteral("%1 pt%2 %3, %4: %5 titles, first %6.")
                   .arg(Size(checks.size), checks.tolerance > 0.1 ? QStringLiteral(" or so") : QString(), style.font,
                        style.colour)
                   .arg(fit.headings.size())
                   .arg(Examples(document, fit.headings));
    QStringList keptOut;
    for (auto it = fit.keptOut.cbegin(); it != fit.keptOut.cend(); ++it)
        keptOut << QStringLiteral("%1 %2").arg(it.value()).arg(QLatin1String(LineFaults::describe(it.key())));
    if (!keptOut.isEmpty()) {
        QStringList how;
        if (!checks.font.isEmpty())
            how << QStringLiteral("the font");
        if (!checks.colour.isEmpty())
            how << QStringLiteral("the colour");
        if (!checks.maskParts.isEmpty())
            how << QStringLiteral("the mask");
        if (!checks.keywords.isEmpty())
            how << QStringLiteral("%1 keywords").arg(checks.keywords.size());
        reasons << QStringLiteral("Kept out by %1: %2.").arg(how.join(QLatin1String(" and ")), keptOut.join(QLatin1String(", ")));
    }
    if (fit.wraps > 0)
        reasons << QStringLiteral("Multi-line: %1 titles go on on the next line.").arg(fit.wraps);
    if (!fit.strays.isEmpty())
        reasons << QStringLiteral("%1 other lines pass too, such as %2.")
                       .arg(fit.strays.size())
                       .arg(Examples(document, fit.strays));
    return reasons;
}

} // namespace

SuggestedLevels SuggestedLevels::suggest(const QList<QStringList>& pages)
{
    SuggestedLevels suggestion;
    const DocumentLines document = DocumentLines::from(pages);
    const BodyText body = BodyText::of(document);
    if (body.characters < LeastProse) {
        suggestion.refusal = QStringLiteral("The document has no text to find headings in (scanned pages, or text "
                                            "that cannot be read): no levels suggested.");
        return suggestion;
    }
    suggestion.notes << QStringLiteral("Body text: %1 pt %2, %3.").arg(Size(body.style.size), body.style.font, body.style.colour);
    const QVector<LineFault> faults = LineFaults::of(document, body.style);
    const QVector<LevelFit> fits = WithoutUnnumberedTail(
        document, FitKeepingTitles(document, faults, Group(HeadingStyle::find(document, body, faults), body)));
    for (const LevelFit& fit : fits)
        suggestion.levels << SuggestedLevel{fit.checks, Reasons(document, fit)};
    if (suggestion.levels.isEmpty())
        suggestion.refusal = QStringLiteral("No text stands out from the body text (%1 pt %2) as headings: no levels "
                                            "suggested.")
                                 .arg(Size(body.style.size), body.style.font);
    return suggestion;
}
