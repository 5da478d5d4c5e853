#pragma once

#include "commandtable.h"

#include <QMap>
#include <QStringList>

// What a checked command line asks for: a command of the table with its
// options and files, or the help or the version.
class CommandRequest
{
public:
    enum class Kind { Command, Help, Version };

    static CommandRequest command(const CommandEntry& command, QMap<QString, QString> options, QStringList arguments);
    // No topics: the overview of every command.
    static CommandRequest help(QList<const CommandEntry*> topics);
    static CommandRequest version();

    Kind kind() const { return mKind; }
    // Kind::Command only.
    const CommandEntry& command() const { return *mCommand; }
    const QList<const CommandEntry*>& helpTopics() const { return mHelpTopics; }
    bool needsDisplay() const { return mKind == Kind::Command && mCommand->needsDisplay; }

    // The option's value as given; empty when it was not.
    QString value(const CommandOption& option) const { return mOptions.value(option.name); }
    bool isSet(const CommandOption& option) const { return mOptions.contains(option.name); }
    // A number option's value, checked by the parser; 0 when not given.
    int number(const CommandOption& option) const { return value(option).toInt(); }
    // The files after the options, in the order of the command's arguments.
    QString argument(int index) const { return mArguments.value(index); }
    const QStringList& arguments() const { return mArguments; }

private:
    explicit CommandRequest(Kind kind) : mKind(kind) {}

    Kind mKind;
    const CommandEntry* mCommand = nullptr;
    QList<const CommandEntry*> mHelpTopics;
    QMap<QString, QString> mOptions; // by the option's name
    QStringList mArguments;
};
