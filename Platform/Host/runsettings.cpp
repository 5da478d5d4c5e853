#include "runsettings.h"

#include "commandrequest.h"
#include "hosterror.h"
#include "settingsfile.h"
#include "suggestcommand.h"
#include "vantoraoptions.h"

#include <QFile>
#include <QTemporaryFile>

namespace {

const QString StandardInput = QStringLiteral("-");

QByteArray ReadStandardInput()
{
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        throw HostError(QStringLiteral("Standard input cannot be read."));
    return input.readAll();
}

// The settings readers take a file: settings from standard input or the
// suggestion go through a temporary one, whose name the messages do not show.
QList<ActionPrefs> ReadText(const QByteArray& text, const QString& source)
{
    QTemporaryFile file;
    if (!file.open() || file.write(text) != text.size() || !file.flush())
        throw HostError(QStringLiteral("The settings from %1 cannot be kept in a temporary file.").arg(source));
    try {
        return SettingsFile::read(file.fileName());
    } catch (const HostError& error) {
        QString message = error.message();
        message.replace(Quoted(file.fileName()), source);
        message.replace(file.fileName(), source);
        if (message.startsWith(source))
            message[0] = message.at(0).toUpper();
        throw HostError(message, error.exitCode());
    }
}

} // namespace

RunSettings::RunSettings(const CommandRequest& request)
    : mPath(request.value(VantoraOptions::Settings)), mNth(request.number(VantoraOptions::Nth)),
      mSuggested(request.isSet(VantoraOptions::Auto))
{
    if (mPath == StandardInput)
        mInput = ReadStandardInput();
}

QList<ActionPrefs> RunSettings::maps() const
{
    if (mSuggested)
        return {};
    if (mPath.isEmpty())
        return {SettingsFile::everyNthPage(mNth)};
    if (mPath == StandardInput)
        return ReadText(mInput, QStringLiteral("standard input"));
    return SettingsFile::read(mPath);
}

QList<ActionPrefs> RunSettings::suggestedMaps(const DocumentRecords& records, const QString& name)
{
    return ReadText(SuggestCommand::settingsFor(records, name).toUtf8(), QStringLiteral("the suggested levels"));
}

QStringList RunSettings::arguments() const
{
    if (mSuggested)
        return {VantoraOptions::Auto.name};
    if (mPath.isEmpty())
        return {VantoraOptions::Nth.name, QString::number(mNth)};
    return {VantoraOptions::Settings.name, mPath};
}
