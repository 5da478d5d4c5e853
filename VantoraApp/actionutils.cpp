#include "actionutils.h"

#include "utils.h"

#include <QSettings>
#include <QStandardPaths>

#include <cmath>

namespace {

QString LastVisitedLocationsFile()
{
    return CUtils::GetSettingsFolder() + "/LastVisitedLocations.vsf";
}

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
