#pragma once

#include "actionrecords.h"
#include "commandrequest.h"
#include "settingssources.h"

#include <QString>

class QTextStream;

// vantora settings edit [--plugin PATH] FILE.ini: opens the action's wizard,
// as the desktop host does, on the settings of FILE, whatever kind of
// settings file it is (a new export when FILE does not exist), and writes
// the edited map back in the same kind only when the user finishes the
// wizard. Of an action list it edits the first step of this action.
class SettingsEditCommand
{
public:
    explicit SettingsEditCommand(const CommandRequest& request);

    // 0 when the edited settings were saved, 1 when the wizard was cancelled;
    // a plug-in or file that cannot be used throws a HostError.
    int execute(QTextStream& out);

private:
    ActionPrefs readSettings();
    void writeSettings(const ActionPrefs& prefs) const;

    QString mPluginPath;
    QString mSettingsPath;
    SettingsSources::Kind mKind = SettingsSources::Kind::Export;
    int mStep = 0;
};
