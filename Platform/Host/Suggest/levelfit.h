#pragma once

#include "suggestedchecks.h"

#include <QMap>
#include <QVector>

struct DocumentLines;
enum class LineFault;

// The checks of one level, fitted to the lines that should pass them: of
// the lines earlier levels left, those in the level's sizes that have no
// fault and start a title. Each check is taken only when it keeps out
// lines that should not pass, so the level stays as loose as it can.
struct LevelFit
{
    SuggestedChecks checks;
    QVector<int> headings;         // lines that pass and should
    QVector<int> strays;           // lines that pass and should not
    QMap<LineFault, int> keptOut;  // what the mask and keywords keep out, by fault
    int wraps = 0;                 // titles that go on on a second line
    int broken = 0;                // titles whose second line the mask makes a heading of its own

    // taken: lines an earlier level already takes; updated with this one's.
    // styles: the level's; the size check takes all sizes between theirs.
    static LevelFit fit(const DocumentLines& document, const QVector<LineFault>& faults,
                        const QVector<TextStyle>& styles, bool needsFont, QVector<bool>& taken);
};
