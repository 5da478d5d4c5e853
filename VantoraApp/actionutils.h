#pragma once

#include <QColor>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

class QComboBox;

// Helpers the actions call from their dialogs. Every action of the host calls
// them by these names, so the class stays one; each concern below is
// implemented in its own file.
class CActionUtils
{
public:
    CActionUtils() = delete;

    // The shared per-user folders, as CUtils builds them (actionfolders.cpp).
    static QString GetSettingsFolder();
    static QString GetCollectionsFolder();
    static QString GetSequenceFolder();
    static QString GetVantoraAppDataFolder();

    // The folder each file dialog last visited, kept in the settings folder
    // (lastvisitedlocations.cpp). Keys name one file dialog each, as
    // "Area::OpenFile" or "Area::SaveFile"; an unknown key gives the desktop.
    static void SaveLastVisitedLocation(QString key, QString path);
    static QString GetLastVisitedLocation(QString key);

    // Colour components scaled to 0-255 (colorrounding.cpp). Halves round
    // down: 127.5 gives 127.
    static int Round(double x);

    // The colour picker (colorpicker.cpp). Indices count the leading
    // "(none)" row, also when the picker is built without it; an index
    // without a colour of its own gives black.
    static void SetupColorPickerComboBox(QComboBox* combo, bool withNone);
    static QColor GetColorPickerColor(int index);
    static int GetColorPickerIndex(QColor color);

    // The font picker: the PDF library's installed fonts (fontpicker.cpp).
    static void SetupSystemFontsComboBox(QComboBox* combo);

    // Action list files in the sequence folder (ActionLists/actionlistfiles.cpp).
    // SaveAsCustomActionList saves prefs as an action list named by its
    // ActionListName: a new list (or one replacing a list of that name) when
    // ActionListOverwrite is set or no such list exists, else as the list's
    // first free step. A name that would leave the folder writes nothing.
    static void SaveAsCustomActionList(QMap<QString, QVariant>* prefs);
    // "Default", "Favorites", then the categories of the stored lists.
    static QStringList GetActionListCategories();
};
