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
};

Source Read(const QString& path);

} // namespace SettingsSources
