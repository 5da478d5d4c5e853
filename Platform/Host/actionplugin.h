#pragma once

#include <QJsonObject>
#include <QPluginLoader>
#include <QString>

class CActionInterface;

// Loads the action plug-in the way the desktop host does: metadata first,
// read from the file without loading it, then the instance, cast to the
// action interface.
class ActionPlugin
{
public:
    explicit ActionPlugin(const QString& path);

    bool load();
    QString errorString() const { return mError; }
    QJsonObject metaData() const { return mLoader.metaData(); }
    CActionInterface* action() const { return mAction; }
    QString fileName() const { return mPath; }

    // The plug-in file beside the running executable.
    static QString defaultPath();

private:
    QString mPath;
    QPluginLoader mLoader;
    CActionInterface* mAction = nullptr;
    QString mError;
};
