#include "actionplugin.h"

#include "actioninterface.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

ActionPlugin::ActionPlugin(const QString& path)
    : mLoader(path)
{
}

QString ActionPlugin::defaultPath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("libBuildBookmarks.so"));
}

bool ActionPlugin::load()
{
    if (!QFileInfo::exists(mLoader.fileName())) {
        mError = QStringLiteral("The plug-in %1 does not exist.").arg(mLoader.fileName());
        return false;
    }
    if (mLoader.metaData().value(QStringLiteral("IID")).toString().isEmpty()) {
        mError = QStringLiteral("%1 is not an action plug-in.").arg(mLoader.fileName());
        return false;
    }
    QObject* instance = mLoader.instance();
    if (!instance) {
        mError = QStringLiteral("The plug-in could not be loaded: %1").arg(mLoader.errorString());
        return false;
    }
    mAction = qobject_cast<CActionInterface*>(instance);
    if (!mAction) {
        mError = QStringLiteral("The plug-in does not offer the action interface.");
        return false;
    }
    return true;
}
