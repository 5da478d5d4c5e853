#pragma once

#include "commandrequest.h"

#include <QStringList>

// Checks the arguments (without the program name) against a command table.
// Besides the table's commands it knows "help [COMMAND]", and -h, --help and
// --version anywhere.
class CommandLine
{
public:
    explicit CommandLine(const CommandTable& table) : mTable(table) {}

    // A mistake throws a usage HostError naming the first one.
    CommandRequest parse(const QStringList& arguments) const;

private:
    enum class Topics { Strict, Lenient };

    const CommandEntry& command(const QStringList& words, int* wordsUsed) const;
    QList<const CommandEntry*> helpTopics(const QStringList& words, Topics strictness) const;
    void checkOptions(const CommandEntry& command, const QMap<QString, QString>& options) const;
    static void checkArguments(const CommandEntry& command, const QStringList& arguments);
    static void checkChoices(const CommandEntry& command, const QMap<QString, QString>& options);

    const CommandTable& mTable;
};
