#include "settingsfile.h"

#include "hosterror.h"
#include "readablesettings.h"
#include "settingskeys.h"

#include <QFile>
#include <QRegularExpression>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>

namespace {

const QString ActionDisplayName = QStringLiteral("Bookmarks by Content");

ActionPrefs MapValue(const QSettings& file, const QString& key, const QString& path)
{
    const QVariant value = file.value(key);
    if (value.type() != QVariant::Map)
        throw HostError(QStringLiteral("The %1 value in %2 is not a settings map.").arg(key, Quoted(path)));
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

QList<ActionPrefs> ActionListSteps(const QSettings& file, const QString& path)
{
    QList<ActionPrefs> steps;
    for (int step : StepNumbers(file)) {
        if (file.value(QStringLiteral("ActionName%1").arg(step)).toString() == ActionDisplayName)
            steps << MapValue(file, QStringLiteral("ActionPrefs%1").arg(step), path);
    }
    if (steps.isEmpty())
        throw HostError(QStringLiteral("The action list %1 has no \"%2\" step.").arg(Quoted(path), ActionDisplayName));
    return steps;
}

void CheckRunnable(const ActionPrefs& prefs, const QString& path)
{
    if (prefs.value(SettingsKeys::NthChecked).toBool()) {
        if (prefs.value(SettingsKeys::NthPage).toInt() < 1)
            throw HostError(QStringLiteral("The settings in %1 ask for a bookmark every N-th page but give no NthPage of 1 or more.")
                                .arg(Quoted(path)));
        return;
    }
    if (prefs.value(SettingsKeys::LevelCount).toInt() < 1)
        throw HostError(QStringLiteral("The settings in %1 define no bookmark levels.").arg(Quoted(path)));
}

} // namespace

QList<ActionPrefs> SettingsFile::read(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw HostError(QStringLiteral("The settings file %1 does not exist.").arg(Quoted(path)));
    QFile probe(path);
    if (info.isDir() || !probe.open(QIODevice::ReadOnly))
        throw HostError(QStringLiteral("The settings file %1 cannot be read.").arg(Quoted(path)));
    probe.close();

    QSettings file(path, QSettings::IniFormat);
    if (file.status() != QSettings::NoError)
        throw HostError(QStringLiteral("%1 is not a settings file.").arg(Quoted(path)));

    QList<ActionPrefs> steps;
    if (file.contains(QStringLiteral("ActionPrefs")))
        steps << MapValue(file, QStringLiteral("ActionPrefs"), path);
    else if (file.contains(QStringLiteral("ToolSettings")))
        steps << MapValue(file, QStringLiteral("ToolSettings"), path);
    else if (!StepNumbers(file).isEmpty() || file.contains(QStringLiteral("SequenceName")))
        steps = ActionListSteps(file, path);
    else if (ReadableSettings::recognises(file))
        steps << ReadableSettings::read(file, path);
    else
        throw HostError(QStringLiteral("%1 holds no bookmark settings: no ActionPrefs, ToolSettings, action list "
                                       "steps or [%2] section.")
                            .arg(Quoted(path), QLatin1String(ReadableSettings::Section)));

    for (const ActionPrefs& prefs : steps)
        CheckRunnable(prefs, path);
    return steps;
}

ActionPrefs SettingsFile::everyNthPage(int n)
{
    ActionPrefs prefs;
    prefs.insert(SettingsKeys::NthChecked, true);
    prefs.insert(SettingsKeys::MultiChecked, false);
    prefs.insert(SettingsKeys::NthPage, n);
    prefs.insert(SettingsKeys::ActionName, ActionDisplayName);
    return prefs;
}
