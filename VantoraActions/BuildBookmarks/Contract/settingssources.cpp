#include "settingssources.h"

#include "actionidentity.h"
#include "handwrittensettings.h"
#include "savedsettingskeys.h"
#include "settingsfileerror.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSettings>

#include <algorithm>

namespace SettingsSources {

namespace {

QMap<QString, QVariant> MapValue(const QSettings& file, const QString& key, const QString& path)
{
    const QVariant value = file.value(key);
    if (value.type() != QVariant::Map)
        throw SettingsFileError(QStringLiteral("The %1 value in %2 is not a settings map.").arg(key, QuotedPath(path)));
    return value.toMap();
}

// The step numbers of an action list, in order. Appending fills the first
// free number, so a list may have gaps (steps 0, 1 and 3): every step runs.
QList<int> StepNumbers(const QSettings& file)
{
    QList<int> numbers;
    static const QRegularExpression stepKey(QStringLiteral("^ActionName(\\d+)$"));
    for (const QString& key : file.childKeys()) {
        const QRegularExpressionMatch match = stepKey.match(key);
        bool ok = false;
        const int number = match.hasMatch() ? match.captured(1).toInt(&ok) : -1;
        if (ok)
            numbers << number;
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

Source ActionListSteps(const QSettings& file, const QString& path)
{
    Source list{Kind::ActionList, {}, {}};
    for (int step : StepNumbers(file)) {
        if (file.value(SavedSettingsKeys::StepActionName(step)).toString() == ActionIdentity::Name) {
            list.maps << MapValue(file, SavedSettingsKeys::StepActionPrefs(step), path);
            list.steps << step;
        }
    }
    if (list.maps.isEmpty())
        throw SettingsFileError(
            QStringLiteral("The action list %1 has no \"%2\" step.").arg(QuotedPath(path), ActionIdentity::Name));
    return list;
}

} // namespace

Source Read(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw SettingsFileError(QStringLiteral("The settings file %1 does not exist.").arg(QuotedPath(path)));
    // A pipe or device would block the open, or never end.
    if (!info.isDir() && !info.isFile())
        throw SettingsFileError(QStringLiteral("The settings file %1 is not a regular file.").arg(QuotedPath(path)));
    QFile probe(path);
    if (info.isDir() || !probe.open(QIODevice::ReadOnly))
        throw SettingsFileError(QStringLiteral("The settings file %1 cannot be read.").arg(QuotedPath(path)));
    probe.close();

    QSettings file(path, QSettings::IniFormat);
    // Hand-written files are UTF-8; the files the plug-in writes escape
    // whatever is not ASCII, so they read the same.
    file.setIniCodec("UTF-8");
    if (file.status() != QSettings::NoError)
        throw SettingsFileError(QStringLiteral("%1 is not a settings file.").arg(QuotedPath(path)));

    using namespace SavedSettingsKeys;
    if (file.contains(ActionPrefs))
        return {Kind::Export, {MapValue(file, ActionPrefs, path)}, {}};
    if (file.contains(ToolSettings))
        return {Kind::ToolSettings, {MapValue(file, ToolSettings, path)}, {}};
    if (!StepNumbers(file).isEmpty() || file.contains(SequenceName))
        return ActionListSteps(file, path);
    if (HandWrittenSettings::recognises(file))
        return {Kind::HandWritten, {HandWrittenSettings::read(file, path)}, {}};
    throw SettingsFileError(QStringLiteral("%1 holds no bookmark settings: no ActionPrefs, ToolSettings, action list "
                                           "steps or [%2] section.")
                                .arg(QuotedPath(path), HandWrittenSettings::Section));
}

void Write(const QString& path, Kind kind, const QMap<QString, QVariant>& map, int step)
{
    if (kind == Kind::HandWritten) {
        const QByteArray text = HandWrittenSettings::write(map).toUtf8();
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
            throw SettingsFileError(QStringLiteral("%1 could not be written: %2.").arg(QuotedPath(path), file.errorString()));
        return;
    }
    QSettings file(path, QSettings::IniFormat);
    const QString key = kind == Kind::ToolSettings ? SavedSettingsKeys::ToolSettings
                        : kind == Kind::ActionList ? SavedSettingsKeys::StepActionPrefs(step)
                                                   : SavedSettingsKeys::ActionPrefs;
    file.setValue(key, map);
    file.sync();
    if (file.status() != QSettings::NoError)
        throw SettingsFileError(QStringLiteral("%1 could not be written.").arg(QuotedPath(path)));
}

QString KindName(Kind kind)
{
    switch (kind) {
    case Kind::Export:
        return QStringLiteral("settings export");
    case Kind::ToolSettings:
        return QStringLiteral("tool settings file");
    case Kind::ActionList:
        return QStringLiteral("action list");
    case Kind::HandWritten:
        return QStringLiteral("hand-written settings file");
    }
    return QString();
}

} // namespace SettingsSources
