#include "emptyrunreason.h"

#include "levelchecks.h"

#include <QObject>

QString EmptyRunReason::describe(const ActionPrefs& prefs, int pageCount)
{
    if (prefs.value(QStringLiteral("NthChecked")).toBool()) {
        const int every = prefs.value(QStringLiteral("NthPage")).toInt();
        return QObject::tr("No page number is a multiple of %1: the document has %2 page(s).").arg(every).arg(pageCount);
    }
    if (prefs.value(QStringLiteral("LevelCount")).toInt() <= 0)
        return QObject::tr("The settings define no level: add one with Edit settings...");
    // A deeper level's heading is dropped without one of level 1 above it.
    return QObject::tr("No line matched level 1 (%1), and deeper levels need a level-1 heading above them. "
                       "Pick a heading again, or widen the level's tolerances.")
        .arg(LevelChecks::describe(prefs, 1));
}
