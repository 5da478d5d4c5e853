#include "runsettings.h"

#include "commandrequest.h"
#include "hosterror.h"
#include "settingsfile.h"
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

// The settings readers take a file: standard input goes through a temporary
// one, whose name the messages do not show.
QList<ActionPrefs> ReadText(const QByteArray& text)
{
    QTemporaryFile file;
    if (!file.open() || file.write(text) != text.size() || !file.flush())
        throw HostError(QStringLiteral("The settings from standard input cannot be kept in a temporary file."));
    try {
        return SettingsFile::read(file.fileName());
    } catch (const HostError& error) {
        QString message = error.message();
        message.replace(Quoted(file.fileName()), QStringLiteral("standard input"));
        message.replace(file.fileName(), QStringLiteral("standard input"));
        if (message.startsWith(QLatin1String("standard")))
            message[0] = QLatin1Char('S');
        throw HostError(message, error.exitCode());
    }
}

} // namespace

RunSettings::RunSettings(const CommandRequest& request)
    : mPath(request.value(VantoraOptions::Settings)), mNth(request.number(VantoraOptions::Nth))
{
    if (mPath == StandardInput)
        mInput = ReadStandardInput();
}

QList<ActionPrefs> RunSettings::maps() const
{
    if (mPath.isEmpty())
        return {SettingsFile::everyNthPage(mNth)};
    if (mPath == StandardInput)
        return ReadText(mInput);
    return SettingsFile::read(mPath);
}

QStringList RunSettings::arguments() const
{
    if (mPath.isEmpty())
        return {VantoraOptions::Nth.name, QString::number(mNth)};
    return {VantoraOptions::Settings.name, mPath};
}
