#include "settingseditcommand.h"

#include "actioninterface.h"
#include "actionplugin.h"
#include "hosterror.h"

#include <QFileInfo>
#include <QSettings>
#include <QTextStream>

namespace {

const QString ActionPrefsKey = QStringLiteral("ActionPrefs");

// The arguments that are neither options nor option values; the value of
// --plugin goes to pluginPath.
QStringList Positional(const QStringList& arguments, QString* pluginPath)
{
    QStringList positional;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--plugin")) {
            if (i + 1 >= arguments.size())
                throw HostError::usage(QStringLiteral("--plugin needs a value."));
            if (pluginPath)
                *pluginPath = arguments.at(i + 1);
            ++i;
        } else if (argument.startsWith(QLatin1String("--plugin="))) {
            if (pluginPath)
                *pluginPath = argument.mid(int(qstrlen("--plugin=")));
        } else if (argument.startsWith(QLatin1Char('-')) && argument != QLatin1String("-")) {
            throw HostError::usage(QStringLiteral("\"settings edit\" does not take the option %1.").arg(argument));
        } else {
            positional << argument;
        }
    }
    return positional;
}

} // namespace

bool SettingsEditCommand::isRequested(const QStringList& arguments)
{
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--plugin")) {
            ++i;
            continue;
        }
        if (argument.startsWith(QLatin1Char('-')))
            continue;
        return argument == QLatin1String("settings");
    }
    return false;
}

bool SettingsEditCommand::displayAvailable()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

SettingsEditCommand::SettingsEditCommand(const QStringList& arguments)
{
    QStringList positional = Positional(arguments, &mPluginPath);
    positional.removeFirst(); // "settings"
    if (positional.value(0) != QLatin1String("edit"))
        throw HostError::usage(QStringLiteral("\"settings\" has one subcommand: settings edit FILE.ini."));
    if (positional.size() < 2)
        throw HostError::usage(QStringLiteral("\"settings edit\" needs a settings file, such as levels.ini."));
    if (positional.size() > 2)
        throw HostError::usage(QStringLiteral("\"settings edit\" takes one settings file, not %1.").arg(positional.size() - 1));
    mSettingsPath = positional.at(1);
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
