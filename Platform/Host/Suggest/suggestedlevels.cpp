#include "suggestedlevels.h"

#include "bodytext.h"
#include "documentlines.h"
#include "headingstyle.h"
#include "levelplan.h"
#include "levelreasons.h"
#include "linefaults.h"

namespace {

// Fewer characters of prose than this, and the text is no document's.
constexpr int LeastProse = 400;

QString Size(double size)
{
    return QString::number(size, 'g', 4);
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
    const QVector<LevelFit> fits =
        LevelPlan::fit(document, faults, LevelStyles::group(HeadingStyle::find(document, body, faults), body));
    for (const LevelFit& fit : fits)
        suggestion.levels << SuggestedLevel{fit.checks, LevelReasons::of(document, fit)};
    if (suggestion.levels.isEmpty())
        suggestion.refusal = QStringLiteral("No text stands out from the body text (%1 pt %2) as headings: no levels "
                                            "suggested.")
                                 .arg(Size(body.style.size), body.style.font);
    return suggestion;
}
