#pragma once

#include "actionrecords.h"
#include "commandrequest.h"

#include <QString>

class QTextStream;

// vantora settings edit [--plugin PATH] FILE.ini: opens the action's wizard,
// as the desktop host does, on the map of the settings export FILE (a new
// map when FILE does not exist) and writes the edited map back to FILE only
// when the user finishes the wizard.
class SettingsEditCommand
{
public:
    explicit SettingsEditCommand(const CommandRequest& request);

    // 0 when the edited settings were saved, 1 when the wizard was cancelled;
    // a plug-in or file that cannot be used throws a HostError.
    int execute(QTextStream& out) const;

private:
    ActionPrefs readSettings() const;
    void writeSettings(const ActionPrefs& prefs) const;

    QString mPluginPath;
    QString mSettingsPath;
};
