#include "settingssources.h"

#include "actionidentity.h"
#include "handwrittensettings.h"
#include "savedsettingskeys.h"
#include "settingsfileerror.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
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

QList<QMap<QString, QVariant>> ActionListSteps(const QSettings& file, const QString& path)
{
    QList<QMap<QString, QVariant>> steps;
    for (int step : StepNumbers(file)) {
        if (file.value(SavedSettingsKeys::StepActionName(step)).toString() == ActionIdentity::Name)
            steps << MapValue(file, SavedSettingsKeys::StepActionPrefs(step), path);
    }
    if (steps.isEmpty())
        throw SettingsFileError(
            QStringLiteral("The action list %1 has no \"%2\" step.").arg(QuotedPath(path), ActionIdentity::Name));
    return steps;
}

} // namespace

Source Read(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw SettingsFileError(QStringLiteral("The settings file %1 does not exist.").arg(QuotedPath(path)));
    QFile probe(path);
    if (info.isDir() || !probe.open(QIODevice::ReadOnly))
        throw SettingsFileError(QStringLiteral("The settings file %1 cannot be read.").arg(QuotedPath(path)));
    probe.close();

    QSettings file(path, QSettings::IniFormat);
    if (file.status() != QSettings::NoError)
        throw SettingsFileError(QStringLiteral("%1 is not a settings file.").arg(QuotedPath(path)));

    using namespace SavedSettingsKeys;
    if (file.contains(ActionPrefs))
        return {Kind::Export, {MapValue(file, ActionPrefs, path)}};
    if (file.contains(ToolSettings))
        return {Kind::ToolSettings, {MapValue(file, ToolSettings, path)}};
    if (!StepNumbers(file).isEmpty() || file.contains(SequenceName))
        return {Kind::ActionList, ActionListSteps(file, path)};
    if (HandWrittenSettings::recognises(file))
        return {Kind::HandWritten, {HandWrittenSettings::read(file, path)}};
    throw SettingsFileError(QStringLiteral("%1 holds no bookmark settings: no ActionPrefs, ToolSettings, action list "
                                           "steps or [%2] section.")
                                .arg(QuotedPath(path), HandWrittenSettings::Section));
}

} // namespace SettingsSources
