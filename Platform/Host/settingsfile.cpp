#include "settingsfile.h"

#include "actionidentity.h"
#include "hosterror.h"
#include "settingsfileerror.h"
#include "settingskeys.h"
#include "settingssources.h"
#include "settingsvalidation.h"

QList<ActionPrefs> SettingsFile::read(const QString& path)
{
    try {
        const QList<ActionPrefs> steps = SettingsSources::Read(path).maps;
        for (const ActionPrefs& prefs : steps)
            SettingsValidation::Check(prefs, path);
        return steps;
    } catch (const SettingsFileError& error) {
        throw HostError(error.message());
    }
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
