#pragma once

#include "actionrecords.h"

#include <QString>

class QSettings;

// The hand-written settings form: plain keys in a [BookmarksByContent]
// section (options and numbered level keys such as FontSizeValue1), and
// optionally one [LevelN] section per level holding the level keys without
// their number. Values are checked and converted to the types the plug-in
// reads; the values the wizard would derive (points, colour) are derived.
class ReadableSettings
{
public:
    static constexpr const char* Section = "BookmarksByContent";

    // Whether the file is in this form: it has the main section or a level
    // section (an empty section is invisible to QSettings).
    static bool recognises(QSettings& file);
    static ActionPrefs read(QSettings& file, const QString& path);
};
