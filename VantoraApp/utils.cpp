#include "utils.h"

#include <QCoreApplication>
#include <QDir>
#include <QGLFormat>
#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QStandardPaths>

namespace {

// The folder names are fixed: every action of the host must find the same
// tree whatever name the running application gave itself.
const QString CompanyFolder = QStringLiteral("lumex software");
const QString ProductFolder = QStringLiteral("RUZ Irida");

void MakeFolder(const QString& path)
{
    if (!QDir(path).exists())
        QDir().mkdir(path);
}

} // namespace

QString CUtils::mApplicationName;

void CUtils::SetAppName(QString name)
{
    mApplicationName = name;
}

QString CUtils::GetAppName()
{
    return mApplicationName.isEmpty() ? ProductFolder : mApplicationName;
}

QString CUtils::GetAppDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString CUtils::GetAppDataToolsFolder()
{
    return GetAppDataFolder() + "/" + CompanyFolder + "/" + ProductFolder + "/";
}

// The tools folder already ends with a separator, so the folders below that
// add their own get a doubled one. Every action of the host builds these
// strings the same way; keep them byte for byte.

QString CUtils::GetSequenceFolder()
{
    return GetAppDataToolsFolder() + "Actions";
}

QString CUtils::GetSettingsFolder()
{
    return GetAppDataToolsFolder() + "/Settings";
}

QString CUtils::GetCollectionsFolder()
{
    return GetAppDataToolsFolder() + "/Settings/Favorites";
}

QString CUtils::GetAdvSplitTemplatesFolder()
{
    return GetAppDataToolsFolder() + "/Settings/AdvSplitTemplates";
}

QString CUtils::GetReportsFolder()
{
    return GetAppDataToolsFolder() + "/Reports/Action Reports";
}

QString CUtils::GetAppLogFolder()
{
    return GetAppDataToolsFolder() + "/Reports/App Log";
}

QString CUtils::GetWFFolder()
{
    return GetAppDataToolsFolder() + "WF";
}

QString CUtils::GetActionFolder()
{
    return QStringLiteral("./Tools");
}

void CUtils::SetupFolders()
{
    const QString company = GetAppDataFolder() + "/" + CompanyFolder;
    MakeFolder(company);
    const QString product = company + "/" + ProductFolder;
    MakeFolder(product);
    for (const char* folder : {"/Actions", "/Reports", "/Scripts", "/Reports/Action Reports",
                               "/Reports/App Log", "/WF", "/Settings", "/Settings/Favorites",
                               "/Settings/AdvSplitTemplates"})
        MakeFolder(product + folder);

    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
        + "/" + QCoreApplication::applicationName();
    MakeFolder(documents);
    MakeFolder(documents + "/Input");
    MakeFolder(documents + "/Output");
}

bool CUtils::CheckOpenGLSupport()
{
    // QGLFormat::openGLVersionFlags() builds a temporary GL widget when no
    // context is current, which crashes on platforms without a display. Make
    // a context current ourselves so it only has to read the version string.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    QOffscreenSurface surface;
    surface.create();
    if (!surface.isValid())
        return false;
    QOpenGLContext context;
    if (!context.create() || !context.makeCurrent(&surface))
        return false;
    const int versionFlags = static_cast<int>(QGLFormat::openGLVersionFlags());
    context.doneCurrent();
    return IsSupportedOpenGLVersion(versionFlags);
}

bool CUtils::IsSupportedOpenGLVersion(int versionFlags)
{
    // The flags are cumulative: up to 2.0 gives 0x3f, up to 2.1 gives 0x7f,
    // 3.0 and later set 0x1000. Older than 2.0, and drivers whose newest
    // version lies in the 2.1 range, get the opaque frame.
    if (versionFlags < 0x20)
        return false;
    return versionFlags <= 0x40 || versionFlags >= 0x800;
}
