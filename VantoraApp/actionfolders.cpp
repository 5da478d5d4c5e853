#include "actionutils.h"

#include "utils.h"

// The actions' names for the folders CUtils builds: one tree for all of them.

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
