#pragma once

#include <QColor>
#include <QString>

class QComboBox;

// Helpers the actions call from their dialogs: the shared folders, the folder
// each file dialog last visited, and the colour and font pickers.
class CActionUtils
{
public:
    CActionUtils() = delete;

    static QString GetSettingsFolder();
    static QString GetCollectionsFolder();
    static QString GetSequenceFolder();
    static QString GetVantoraAppDataFolder();

    // Keys name one file dialog each, as "Area::OpenFile" or "Area::SaveFile".
    static void SaveLastVisitedLocation(QString key, QString path);
    static QString GetLastVisitedLocation(QString key);

    // Halves round down: 127.5 gives 127.
    static int Round(double x);

    // Colour picker indices count the leading "(none)" row, also when the
    // picker is built without it.
    static void SetupColorPickerComboBox(QComboBox* combo, bool withNone);
    static QColor GetColorPickerColor(int index);
    static int GetColorPickerIndex(QColor color);

    static void SetupSystemFontsComboBox(QComboBox* combo);
};
