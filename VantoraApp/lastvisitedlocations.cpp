#include "actionutils.h"

#include "utils.h"

#include <QSettings>
#include <QStandardPaths>

namespace {

// One INI file shared by every action of the host, read afresh on each call
// so a folder remembered by one action is seen by the next.
QString LastVisitedLocationsFile()
{
    return CUtils::GetSettingsFolder() + "/LastVisitedLocations.vsf";
}

} // namespace

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
