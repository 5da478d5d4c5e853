#pragma once

#include <QColor>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

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

    // Saves prefs as an action list named by its ActionListName: a new list
    // (or one replacing a list of that name) when ActionListOverwrite is set
    // or no such list exists, else as the list's first free step. A name
    // that would leave the action-list folder writes nothing.
    static void SaveAsCustomActionList(QMap<QString, QVariant>* prefs);
    // "Default", "Favorites", then the categories of the stored lists.
    static QStringList GetActionListCategories();
};
