#pragma once

#include <QMap>
#include <QString>
#include <QVariant>

#include <optional>

// The settings files of the wizard's Export and Import: one "ActionPrefs"
// value holding the whole map. Import also takes foreign bookmark-settings
// files, whose entries are added on top of the current map.
class CSettingsExportFile
{
public:
    CSettingsExportFile() = delete;

    static void Write(const QString& path, const QMap<QString, QVariant>& prefs);

    // The working map an import leaves: the file's own map, or current with
    // a foreign file's entries added. Nothing, and a sentence saying why,
    // when the file holds neither.
    static std::optional<QMap<QString, QVariant>> Read(const QString& path, const QMap<QString, QVariant>& current,
                                                       QString* problem);
};
