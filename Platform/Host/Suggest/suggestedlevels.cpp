#include "suggestedlevels.h"

#include "bodytext.h"
#include "documentlines.h"
#include "headingstyle.h"
#include "levelfit.h"
#include "linefaults.h"

#include <QMap>

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

QVector<LevelStyles> Group(const QVector<HeadingStyle>& styles, const BodyText& body)
{
    QVector<LevelStyles> levels;
    for (const HeadingStyle& style : styles) {
        const bool bodySize = style.style.size < body.style.size + 0.5;
        if (!levels.isEmpty() && !bodySize && levels.last().styles.constLast().size - style.style.size < OneLevel) {
            LevelStyles& level = levels.last();
            level.styles << style.style;
            if (style.headings.size() > level.titles)
                std::swap(level.styles.first(), level.styles.last());
            level.titles = qMax(level.titles, int(style.headings.size()));
            continue;
        }
        levels << LevelStyles{{style.style}, bodySize, int(style.headings.size())};
    }
    if (levels.size() > MostLevels)
        levels.resize(MostLevels);
    return levels;
}

QVector<LevelFit> Fit(const DocumentLines& document, const QVector<LineFault>& faults,
                      const QVector<LevelStyles>& levels)
{
    QVector<bool> taken(document.lines.size(), false);
    QVector<LevelFit> fits;
    for (const LevelStyles& level : levels) {
        LevelFit fit = LevelFit::fit(document, faults, level.styles, level.bodySize, taken);
        if (!fit.headings.isEmpty())
            fits << fit;
    }
    return fits;
}

// Titles the engine drops: a level's heading before any of the level above.
int Dropped(const QVector<LevelFit>& fits, int* worstLevel)
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
    int total = 0;
    *worstLevel = -1;
    for (int level = 0; level < dropped.size(); ++level) {
        total += dropped.at(level);
        if (dropped.at(level) > 0 && *worstLevel < 0)
            *worstLevel = level;
    }
    return total;
}

int Found(const QVector<LevelFit>& fits)
{
    int found = 0;
    for (const LevelFit& fit : fits)
        found += fit.headings.size() - fit.strays.size();
    return found;
}

// Levels whose titles come before any title of the level above lose them:
// such a pair becomes one level (parts beside the chapters that precede
// the first part) when that finds more titles.
QVector<LevelFit> FitKeepingTitles(const DocumentLines& document, const QVector<LineFault>& faults,
                                   QVector<LevelStyles> levels)
{
    QVector<LevelFit> fits = Fit(document, faults, levels);
    for (int attempt = 0; attempt < MostLevels; ++attempt) {
        int worst = -1;
        const int dropped = Dropped(fits, &worst);
        if (dropped == 0 || worst <= 0 || worst >= levels.size() || levels.at(worst).bodySize)
            break;
        QVector<LevelStyles> merged = levels;
        merged[worst - 1].styles << merged.at(worst).styles;
        merged.remove(worst);
        const QVector<LevelFit> mergedFits = Fit(document, faults, merged);
        int ignored = -1;
        if (Found(mergedFits) - Dropped(mergedFits, &ignored) <= Found(fits) - dropped)
            break;
        levels = merged;
        fits = mergedFits;
    }
    return fits;
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
    const QVector<LevelFit> fits = FitKeepingTitles(document, faults, Group(HeadingStyle::find(document, body, faults), body));
    for (const LevelFit& fit : fits)
        suggestion.levels << SuggestedLevel{fit.checks, Reasons(document, fit)};
    if (suggestion.levels.isEmpty())
        suggestion.refusal = QStringLiteral("No text stands out from the body text (%1 pt %2) as headings: no levels "
                                            "suggested.")
                                 .arg(Size(body.style.size), body.style.font);
    return suggestion;
}
