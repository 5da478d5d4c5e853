#include "settingsexportfile.h"

#include "ascabapi.h"
#include "savedsettingskeys.h"

#include <QSettings>

using SavedSettingsKeys::ActionPrefs;

void CSettingsExportFile::Write(const QString& path, const QMap<QString, QVariant>& prefs)
{
    QSettings file(path, QSettings::IniFormat);
    file.setValue(ActionPrefs, QVariant(prefs));
}

void CSettingsExportFile::Import(const QString& path, QMap<QString, QVariant>& working)
{
    const QSettings file(path, QSettings::IniFormat);
    if (file.contains(ActionPrefs)) {
        working = file.value(ActionPrefs, QVariantMap()).toMap();
        return;
    }
    CASCabAPI(path, &working).LoadASCab();
}
