#include "settingseditcommand.h"

#include "actioninterface.h"
#include "actionplugin.h"
#include "hosterror.h"
#include "vantoraoptions.h"

#include <QFileInfo>
#include <QSettings>
#include <QTextStream>

namespace {

const QString ActionPrefsKey = QStringLiteral("ActionPrefs");

} // namespace

SettingsEditCommand::SettingsEditCommand(const CommandRequest& request)
    : mPluginPath(request.value(VantoraOptions::Plugin)), mSettingsPath(request.argument(0))
{
}

int SettingsEditCommand::execute(QTextStream& out) const
{
    ActionPrefs prefs = readSettings();

    ActionPlugin plugin(mPluginPath.isEmpty() ? ActionPlugin::defaultPath() : mPluginPath);
    if (!plugin.load())
        throw HostError(plugin.errorString());

    // As the desktop host opens it for an action without an action list.
    DialogLoadStruct load = {};
    load.DialogMode = 0;
    load.Prefs = &prefs;
    load.HideAddToActionList = true;
    if (plugin.action()->ShowDialogProc(nullptr, &load) != 1) {
        out << "Cancelled: " << Quoted(mSettingsPath) << " is unchanged.\n";
        return HostError::Failure;
    }

    writeSettings(prefs);
    const int levels = prefs.value(QStringLiteral("LevelCount")).toInt();
    out << "Saved " << levels << (levels == 1 ? " level" : " levels") << " to " << Quoted(mSettingsPath) << ".\n";
    return 0;
}

ActionPrefs SettingsEditCommand::readSettings() const
{
    if (!QFileInfo::exists(mSettingsPath))
        return {};
    const QSettings file(mSettingsPath, QSettings::IniFormat);
    if (file.status() != QSettings::NoError)
        throw HostError(QStringLiteral("%1 cannot be read as a settings file.").arg(Quoted(mSettingsPath)));
    if (file.contains(ActionPrefsKey))
        return file.value(ActionPrefsKey).toMap();
    // Anything else (an action list, hand-written settings) would be
    // overwritten by an export: refuse rather than lose it.
    if (!file.allKeys().isEmpty())
        throw HostError(QStringLiteral("%1 is not a settings export: it holds no ActionPrefs.").arg(Quoted(mSettingsPath)));
    return {};
}

void SettingsEditCommand::writeSettings(const ActionPrefs& prefs) const
{
    QSettings file(mSettingsPath, QSettings::IniFormat);
    file.setValue(ActionPrefsKey, prefs);
    file.sync();
    if (file.status() != QSettings::NoError)
        throw HostError(QStringLiteral("%1 could not be written.").arg(Quoted(mSettingsPath)));
}
