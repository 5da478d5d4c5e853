#pragma once

#include <QMap>
#include <QString>
#include <QVariant>

// What a host checks before it hands a settings map to the plug-in, whatever
// file the map came from: the plug-in runs any map as it is, so a value of the
// wrong type, out of range, or a mask its engine cannot run would make a run
// that silently finds nothing, or far too much.
namespace SettingsValidation {

// The most levels a run may define.
constexpr int MaxLevels = 100;

// Throws a SettingsFileError naming `source`, the level and the key at fault.
void Check(const QMap<QString, QVariant>& prefs, const QString& source);

} // namespace SettingsValidation
