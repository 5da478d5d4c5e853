#pragma once

#include "actionrecords.h"

#include <QList>
#include <QString>

// Reads the bookmark settings out of any settings file the plug-in or a user
// writes, as the list of settings maps to run in order:
// - a settings export or favourite: the map under "ActionPrefs";
// - a tool settings file: the map under "ToolSettings";
// - an action list: every "Bookmarks by Content" step, in step order;
// - a hand-written file with a [BookmarksByContent] section (ReadableSettings).
// A file that cannot be read, or yields no usable map, throws a HostError.
class SettingsFile
{
public:
    static QList<ActionPrefs> read(const QString& path);

    // The map --nth N stands for.
    static ActionPrefs everyNthPage(int n);
};
