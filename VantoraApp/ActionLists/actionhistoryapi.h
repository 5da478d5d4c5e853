#pragma once

#include <QDir>
#include <QFileInfo>
#include <QList>
#include <QMap>
#include <QString>
#include <QVariant>

#include <memory>

class QIcon;

// The favourites store of one tool: the favourite files whose names begin
// with the store's name, in the favourites folder. The file list is taken
// once, at construction.
class CActionHistoryAPI
{
public:
    explicit CActionHistoryAPI(QString name);

    // Writes the favourite named by the map's CollectionName, replacing any
    // of that name. 0 on success; 1 when it failed or the name would leave
    // the favourites folder.
    int SaveSettingsToHistory(QMap<QString, QVariant>* prefs, QIcon* icon);

    // The settings of the n-th newest listed favourite (1 = newest); null
    // when n is outside 1 to the number of listed files or the file holds no
    // settings.
    std::unique_ptr<QMap<QString, QVariant>> LoadSettingsFromHistory(int n) const;

    QList<QFileInfo> HistoryFiles() const { return historyFiles; }

private:
    QString historyName;
    QList<QFileInfo> historyFiles;
    QDir historyDir;
    int historyIndex = -1;
};
