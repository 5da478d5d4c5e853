#pragma once

#include <QString>

// Keys of the files that keep an action's settings (action lists, favourites,
// tool settings files) and the request keys the save dialogs hand their
// writers inside the settings map.
namespace SavedSettingsKeys {

// Request keys, set by the save dialogs in the caller's map.
inline const QString ActionListName = QStringLiteral("ActionListName");
inline const QString ActionListCategory = QStringLiteral("ActionListCategory");
inline const QString ActionListOverwrite = QStringLiteral("ActionListOverwrite");
inline const QString CollectionName = QStringLiteral("CollectionName");

// The action's display name inside every settings map.
inline const QString ActionName = QStringLiteral("ActionName");

// Action list files.
inline const QString SequenceName = QStringLiteral("SequenceName");
inline const QString SequenceCategory = QStringLiteral("SequenceCategory");
inline const QString IOSettings = QStringLiteral("IOSettings");
inline QString StepActionName(int step)
{
    return QString::asprintf("ActionName%d", step);
}
inline QString StepActionPrefs(int step)
{
    return QString::asprintf("ActionPrefs%d", step);
}

// Favourites and settings exports hold the map under ActionPrefs; tool
// settings files under ToolSettings.
inline const QString ActionPrefs = QStringLiteral("ActionPrefs");
inline const QString ActionIcon = QStringLiteral("ActionIcon");
inline const QString ToolSettings = QStringLiteral("ToolSettings");

} // namespace SavedSettingsKeys
