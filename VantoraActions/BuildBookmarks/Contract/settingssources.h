#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QVariant>

// Reads the bookmark settings out of every kind of file that carries them, as
// the list of settings maps to run in order:
// - a settings export or a favourite: the map under "ActionPrefs";
// - a tool settings file: the map under "ToolSettings";
// - an action list: the map of every step of this action, in step order;
// - a hand-written file with a [BookmarksByContent] or [LevelN] section.
// The maps come back as the files hold them; what a run needs of them is the
// caller's to check. A file that cannot be read, or holds none of these,
// throws a SettingsFileError.
namespace SettingsSources {

enum class Kind { Export, ToolSettings, ActionList, HandWritten };

struct Source
{
    Kind kind = Kind::Export;
    QList<QMap<QString, QVariant>> maps;
    QList<int> steps;  // of an action list: the step number of each map
};

Source Read(const QString& path);

// Writes `map` back into the file `path` in the form `kind` has: as the map of
// an export or tool settings file, as step `step` of an action list, or as a
// hand-written file (comments it had are not kept). Other values of the file
// stay. Throws a SettingsFileError when the file cannot be written.
void Write(const QString& path, Kind kind, const QMap<QString, QVariant>& map, int step = 0);

// "settings export", "tool settings file", ...: for messages.
QString KindName(Kind kind);

} // namespace SettingsSources
