#pragma once

#include <QMap>
#include <QString>
#include <QVariant>

// The settings files of the wizard's Export and Import: one "ActionPrefs"
// value holding the whole map. Import also takes foreign bookmark-settings
// files, whose entries are added on top of the current map.
class CSettingsExportFile
{
public:
    CSettingsExportFile() = delete;

    static void Write(const QString& path, const QMap<QString, QVariant>& prefs);

    // Replaces `working` by the file's own map (an empty one when the value
    // is not a map), or adds a foreign file's entries to it. Reports nothing:
    // a file that cannot be read imports as an empty foreign file.
    static void Import(const QString& path, QMap<QString, QVariant>& working);
};
