#pragma once

#include <QFile>
#include <QMap>
#include <QString>
#include <QVariant>

// Imports a bookmark-settings file of the foreign line format into a
// settings map: each recognised entry becomes the map's keys, the levels
// mentioned set LevelCount, and each level's colour components become its
// ColorInHex. Keys the file does not mention are left as they are.
class CASCabAPI
{
public:
    // The map is not owned and must outlive LoadASCab().
    CASCabAPI(QString fileName, QMap<QString, QVariant>* map);

    void LoadASCab();

private:
    QString ReadLine();
    void StoreLevelColors(int levelCount);

    QMap<QString, QVariant>* map;
    QFile file;
    QString fileName;
};
