#pragma once

#include <QString>

// A failure the host reports to the user: one plain sentence and the exit
// code. Thrown from anywhere in the host and caught once, in main().
class HostError
{
public:
    enum ExitCode { Failure = 1, Usage = 2 };

    explicit HostError(QString message, int exitCode = Failure)
        : mMessage(std::move(message)), mExitCode(exitCode)
    {
    }

    static HostError usage(const QString& message) { return HostError(message, Usage); }

    const QString& message() const { return mMessage; }
    int exitCode() const { return mExitCode; }

private:
    QString mMessage;
    int mExitCode;
};

// Paths in messages: as the user typed them, quoted so blanks stay visible.
inline QString Quoted(const QString& path)
{
    return QLatin1Char('"') + path + QLatin1Char('"');
}
