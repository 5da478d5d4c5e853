#include "actionutils.h"

#include "savedsettingskeys.h"
#include "storedfilename.h"

#include <QDir>
#include <QFile>
#include <QSettings>

// Action lists are INI files in the sequence folder: a name, a category, and
// numbered steps of an action name and its settings map.

namespace {

const QString ActionListSuffix = QStringLiteral(".xqq");
const QString DefaultActionListName = QStringLiteral("Action");
const QString DefaultCategory = QStringLiteral("Default");
const QString FavoritesCategory = QStringLiteral("Favorites");

} // namespace

void CActionUtils::SaveAsCustomActionList(QMap<QString, QVariant>* prefs)
{
    namespace Keys = SavedSettingsKeys;
    if (!prefs)
        return;
    const QString name = prefs->value(Keys::ActionListName, DefaultActionListName).toString();
    if (!CStoredFileName::Problem(name, ActionListSuffix).isEmpty())
        return;
    const QString path = GetSequenceFolder() + "/" + QString(name).replace(' ', '_') + ActionListSuffix;
    const QString category = prefs->value(Keys::ActionListCategory).toString();
    const bool overwrite = prefs->value(Keys::ActionListOverwrite).toBool();

    if (!overwrite && QFile::exists(path)) {
        QSettings list(path, QSettings::IniFormat);
        int step = 0;
        while (list.contains(Keys::StepActionName(step)))
            ++step;
        list.setValue(Keys::StepActionName(step), prefs->value(Keys::ActionName).toString());
        list.setValue(Keys::StepActionPrefs(step), QVariant(*prefs));
        return;
    }

    if (QFile::exists(path) && !QFile::remove(path))
        return;
    QSettings list(path, QSettings::IniFormat);
    list.setValue(Keys::SequenceName, prefs->value(Keys::ActionListName).toString());
    list.setValue(Keys::SequenceCategory, category.isEmpty() ? FavoritesCategory : category);
    list.setValue(Keys::IOSettings, 0);
    list.setValue(Keys::StepActionName(0), prefs->value(Keys::ActionName).toString());
    // The stored step carries the action's settings only, not the request.
    prefs->remove(Keys::ActionName);
    prefs->remove(Keys::ActionListOverwrite);
    prefs->remove(Keys::ActionListCategory);
    prefs->remove(Keys::ActionListName);
    list.setValue(Keys::StepActionPrefs(0), QVariant(*prefs));
}

QStringList CActionUtils::GetActionListCategories()
{
    QStringList categories{DefaultCategory, FavoritesCategory};
    const QDir folder(GetSequenceFolder());
    const QStringList lists = folder.entryList({"*" + ActionListSuffix},
                                               QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                                               QDir::Name | QDir::IgnoreCase);
    for (const QString& file : lists) {
        const QString category =
            QSettings(folder.filePath(file), QSettings::IniFormat).value(SavedSettingsKeys::SequenceCategory).toString();
        if (!category.isEmpty() && !categories.contains(category, Qt::CaseInsensitive))
            categories.append(category);
    }
    return categories;
}
