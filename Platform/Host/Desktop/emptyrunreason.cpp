#include "emptyrunreason.h"

#include "levelchecks.h"

#include <QObject>

QString EmptyRunReason::describe(const ActionPrefs& prefs, int pageCount)
{
    if (prefs.value(QStringLiteral("NthChecked")).toBool()) {
        const int every = prefs.value(QStringLiteral("NthPage")).toInt();
        return QObject::tr("Every %1th page was asked for, and the document has %n page(s).", nullptr, pageCount).arg(every);
    }
    if (prefs.value(QStringLiteral("LevelCount")).toInt() <= 0)
        return QObject::tr("The settings define no level: add one with Edit settings...");
    // A deeper level's heading is dropped without one of level 1 above it.
    return QObject::tr("No line matched level 1 (%1), and deeper levels need a level-1 heading above them. "
                       "Pick a heading again, or widen the level's tolerances.")
        .arg(LevelChecks::describe(prefs, 1));
}
