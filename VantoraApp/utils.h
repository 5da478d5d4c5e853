#pragma once

#include <QString>

// Helpers shared by every action of the host: where the per-user data lives
// and whether the desktop can draw translucent windows. Nothing here keeps
// state except the application name.
class CUtils
{
public:
    CUtils() = delete;

    static void SetAppName(QString name);
    static QString GetAppName();

    static QString GetAppDataFolder();
    static QString GetAppDataToolsFolder();
    static QString GetSequenceFolder();
    static QString GetSettingsFolder();
    static QString GetCollectionsFolder();
    static QString GetAdvSplitTemplatesFolder();
    static QString GetReportsFolder();
    static QString GetAppLogFolder();
    static QString GetWFFolder();
    // Not used by this action; kept for the other actions of the host.
    static QString GetActionFolder();

    static void SetupFolders();

    static bool CheckOpenGLSupport();
    // The version threshold on its own: versionFlags is a
    // QGLFormat::OpenGLVersionFlags value.
    static bool IsSupportedOpenGLVersion(int versionFlags);

private:
    static QString mApplicationName;
};
