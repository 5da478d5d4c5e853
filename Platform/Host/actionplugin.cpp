#include "actionplugin.h"

#include "actioninterface.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

ActionPlugin::ActionPlugin(const QString& path)
    : mPath(path)
{
}

QString ActionPlugin::defaultPath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("libBuildBookmarks.so"));
}

bool ActionPlugin::load()
{
    // Checked before the loader sees the name: given a missing file it would
    // search elsewhere for a plug-in of that name.
    if (!QFileInfo(mPath).isFile()) {
        mError = QStringLiteral("The plug-in \"%1\" does not exist.").arg(mPath);
        return false;
    }
    mLoader.setFileName(QFileInfo(mPath).absoluteFilePath());
    if (mLoader.metaData().value(QStringLiteral("IID")).toString().isEmpty()) {
        mError = QStringLiteral("\"%1\" is not an action plug-in.").arg(mPath);
        return false;
    }
    QObject* instance = mLoader.instance();
    if (!instance) {
        mError = QStringLiteral("The plug-in could not be loaded: %1.").arg(mLoader.errorString());
        return false;
    }
    mAction = qobject_cast<CActionInterface*>(instance);
    if (!mAction) {
        mError = QStringLiteral("The plug-in does not offer the action interface.");
        return false;
    }
    return true;
}
