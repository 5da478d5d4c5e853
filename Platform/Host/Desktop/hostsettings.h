#pragma once

#include <QSettings>

// The desktop host's own settings file (INI): recent files, kept settings,
// window layout and the questions the user asked not to see again.
class HostSettings : public QSettings
{
public:
    HostSettings()
        : QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Vantora"), QStringLiteral("vantora-desktop"))
    {
    }
};
