#pragma once

#include <QString>

// A settings file that cannot be used: one plain sentence naming the file and,
// where there is one, the section and key at fault.
class SettingsFileError
{
public:
    explicit SettingsFileError(QString message) : mMessage(std::move(message)) {}

    const QString& message() const { return mMessage; }

private:
    QString mMessage;
};

// Paths in messages: as the user typed them, quoted so blanks stay visible.
inline QString QuotedPath(const QString& path)
{
    return QLatin1Char('"') + path + QLatin1Char('"');
}
