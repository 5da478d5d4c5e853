#include "settingsfile.h"

#include "actionidentity.h"
#include "hosterror.h"
#include "settingsfileerror.h"
#include "settingskeys.h"
#include "settingssources.h"

namespace {

void CheckRunnable(const ActionPrefs& prefs, const QString& path)
{
    if (prefs.value(SettingsKeys::NthChecked).toBool()) {
        if (prefs.value(SettingsKeys::NthPage).toInt() < 1)
            throw HostError(QStringLiteral("The settings in %1 ask for a bookmark every N-th page but give no NthPage of 1 or more.")
                                .arg(Quoted(path)));
        return;
    }
    if (prefs.value(SettingsKeys::LevelCount).toInt() < 1)
        throw HostError(QStringLiteral("The settings in %1 define no bookmark levels.").arg(Quoted(path)));
}

} // namespace

QList<ActionPrefs> SettingsFile::read(const QString& path)
{
    QList<ActionPrefs> steps;
    try {
        steps = SettingsSources::Read(path).maps;
    } catch (const SettingsFileError& error) {
        throw HostError(error.message());
    }
    for (const ActionPrefs& prefs : steps)
        CheckRunnable(prefs, path);
    return steps;
}

ActionPrefs SettingsFile::everyNthPage(int n)
{
    ActionPrefs prefs;
    prefs.insert(SettingsKeys::NthChecked, true);
    prefs.insert(SettingsKeys::MultiChecked, false);
    prefs.insert(SettingsKeys::NthPage, n);
    prefs.insert(SettingsKeys::ActionName, ActionIdentity::Name);
    return prefs;
}
