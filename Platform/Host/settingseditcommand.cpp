#include "settingseditcommand.h"

#include "actioninterface.h"
#include "actionplugin.h"
#include "hosterror.h"
#include "settingsfileerror.h"
#include "vantoraoptions.h"

#include <QFileInfo>
#include <QTextStream>

SettingsEditCommand::SettingsEditCommand(const CommandRequest& request)
    : mPluginPath(request.value(VantoraOptions::Plugin)), mSettingsPath(request.argument(0))
{
}

int SettingsEditCommand::execute(QTextStream& out)
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
    out << "Saved " << levels << (levels == 1 ? " level" : " levels") << " to " << Quoted(mSettingsPath) << " ("
        << SettingsSources::KindName(mKind) << ").\n";
    return 0;
}

ActionPrefs SettingsEditCommand::readSettings()
{
    // A new or empty file becomes a settings export.
    if (!QFileInfo::exists(mSettingsPath) || QFileInfo(mSettingsPath).size() == 0)
        return {};
    try {
        const SettingsSources::Source source = SettingsSources::Read(mSettingsPath);
        mKind = source.kind;
        mStep = source.steps.value(0);
        return source.maps.first();
    } catch (const SettingsFileError& error) {
        throw HostError(error.message());
    }
}

void SettingsEditCommand::writeSettings(const ActionPrefs& prefs) const
{
    try {
        SettingsSources::Write(mSettingsPath, mKind, prefs, mStep);
    } catch (const SettingsFileError& error) {
        throw HostError(error.message());
    }
}
