#pragma once

#include "actionrecords.h"

#include <QList>
#include <QString>

// The settings a run takes from a file: every map the file carries for this
// action, in order, each checked to be runnable. A file that cannot be read,
// or yields no usable map, throws a HostError.
class SettingsFile
{
public:
    static QList<ActionPrefs> read(const QString& path);

    // The map --nth N stands for.
    static ActionPrefs everyNthPage(int n);
};
