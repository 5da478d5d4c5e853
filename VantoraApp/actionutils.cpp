#include "actionutils.h"

#include "savedsettingskeys.h"
#include "storedfilename.h"
#include "utils.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

#include <cmath>

namespace {

QString LastVisitedLocationsFile()
{
    return CUtils::GetSettingsFolder() + "/LastVisitedLocations.vsf";
}

const QString ActionListSuffix = QStringLiteral(".xqq");
const QString DefaultActionListName = QStringLiteral("Action");
const QString DefaultCategory = QStringLiteral("Default");
const QString FavoritesCategory = QStringLiteral("Favorites");

} // namespace

QString CActionUtils::GetSettingsFolder()
{
    return CUtils::GetSettingsFolder();
}

QString CActionUtils::GetCollectionsFolder()
{
    return CUtils::GetCollectionsFolder();
}

QString CActionUtils::GetSequenceFolder()
{
    return CUtils::GetSequenceFolder();
}

QString CActionUtils::GetVantoraAppDataFolder()
{
    return CUtils::GetAppDataToolsFolder();
}

void CActionUtils::SaveLastVisitedLocation(QString key, QString path)
{
    QSettings locations(LastVisitedLocationsFile(), QSettings::IniFormat);
    locations.setValue(key, path);
}

QString CActionUtils::GetLastVisitedLocation(QString key)
{
    QSettings locations(LastVisitedLocationsFile(), QSettings::IniFormat);
    if (locations.contains(key))
        return locations.value(key).toString();
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

int CActionUtils::Round(double x)
{
    const int whole = static_cast<int>(std::floor(x));
    if (x - whole > 0.5)
        return static_cast<int>(std::ceil(x));
    return whole;
}

void CActionUtils::SaveAsCustomActionList(QMap<QString, QVariant>* prefs)
{
    namespace Keys = SavedSettingsKeys;
    if (!prefs)
        return;
    const QString name = prefs->value(Keys::ActionListName, DefaultActionListName).toString();
    if (!CStoredFileName::Problem(name, ActionListSuffix).isEmpty())
        return;
    const QString path = GetSequenceFolder() + "/" + QString(name).replace(' ', '_') + ActionListSuffix;
    const QString category = prefs->value(Keys::ActionListCategory).toString();
    const bool overwrite = prefs->value(Keys::ActionListOverwrite).toBool();

    if (!overwrite && QFile::exists(path)) {
        QSettings list(path, QSettings::IniFormat);
        int step = 0;
        while (list.contains(Keys::StepActionName(step)))
            ++step;
        list.setValue(Keys::StepActionName(step), prefs->value(Keys::ActionName).toString());
        list.setValue(Keys::StepActionPrefs(step), QVariant(*prefs));
        return;
    }

    if (QFile::exists(path) && !QFile::remove(path))
        return;
    QSettings list(path, QSettings::IniFormat);
    list.setValue(Keys::SequenceName, prefs->value(Keys::ActionListName).toString());
    list.setValue(Keys::SequenceCategory, category.isEmpty() ? FavoritesCategory : category);
    list.setValue(Keys::IOSettings, 0);
    list.setValue(Keys::StepActionName(0), prefs->value(Keys::ActionName).toString());
    // The stored step carries the action's settings only, not the request.
    prefs->remove(Keys::ActionName);
    prefs->remove(Keys::ActionListOverwrite);
    prefs->remove(Keys::ActionListCategory);
    prefs->remove(Keys::ActionListName);
    list.setValue(Keys::StepActionPrefs(0), QVariant(*prefs));
}

QStringList CActionUtils::GetActionListCategories()
{
    QStringList categories{DefaultCategory, FavoritesCategory};
    const QDir folder(GetSequenceFolder());
    const QStringList lists = folder.entryList({"*" + ActionListSuffix},
                                               QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                                               QDir::Name | QDir::IgnoreCase);
    for (const QString& file : lists) {
        const QString category =
            QSettings(folder.filePath(file), QSettings::IniFormat).value(SavedSettingsKeys::SequenceCategory).toString();
        if (!category.isEmpty() && !categories.contains(category, Qt::CaseInsensitive))
            categories.append(category);
    }
    return categories;
}
