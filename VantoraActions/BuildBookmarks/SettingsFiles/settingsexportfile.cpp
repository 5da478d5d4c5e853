#include "settingsexportfile.h"

#include "ascabapi.h"
#include "indentationunits.h"
#include "savedsettingskeys.h"
#include "settingskeys.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

using SavedSettingsKeys::ActionPrefs;

QString tr(const char* text)
{
    return QCoreApplication::translate("CSettingsExportFile", text);
}

} // namespace

void CSettingsExportFile::Write(const QString& path, const QMap<QString, QVariant>& prefs)
{
    QSettings file(path, QSettings::IniFormat);
    file.setValue(ActionPrefs, QVariant(prefs));
}

std::optional<QMap<QString, QVariant>> CSettingsExportFile::Read(const QString& path,
                                                                  const QMap<QString, QVariant>& current,
                                                                  QString* problem)
{
    QFile probe(path);
    if (QFileInfo(path).isDir() || !probe.open(QIODevice::ReadOnly)) {
        *problem = tr("The file %1 cannot be read.").arg(QFileInfo(path).fileName());
        return std::nullopt;
    }
    probe.close();

    const QSettings file(path, QSettings::IniFormat);
    if (file.contains(ActionPrefs)) {
        const QVariant prefs = file.value(ActionPrefs);
        if (prefs.type() != QVariant::Map) {
            *problem = tr("The settings in %1 are damaged.").arg(QFileInfo(path).fileName());
            return std::nullopt;
        }
        return prefs.toMap();
    }

    QMap<QString, QVariant> imported = current;
    CASCabAPI foreign(path, &imported);
    foreign.LoadASCab();
    if (foreign.RecognisedEntries() == 0) {
        *problem = tr("The file %1 holds no bookmark settings.").arg(QFileInfo(path).fileName());
        return std::nullopt;
    }
    // Foreign levels carry their indentation in points but name no unit;
    // saying so lets the level editor show and save them in points.
    const int levelCount = imported.value(SettingsKeys::LevelCount).toInt();
    for (int level = 1; level <= levelCount; ++level) {
        const QString unit = SettingsKeys::Level(SettingsKeys::LeftIndentUnits, level);
        if (!imported.contains(unit))
            imported.insert(unit, IndentationUnits::Point);
    }
    return imported;
}
