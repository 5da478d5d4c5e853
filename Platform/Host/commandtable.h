#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <initializer_list>

class CommandRequest;
class QTextStream;

// An option as the user types it and as the help lists it. Options are
// declared once and referenced by every command that takes them.
struct CommandOption
{
    enum class Value { None, Text, PositiveNumber, Choice };

    QString name;               // "--settings", or the short form: "-o"
    Value value = Value::None;  // None: a flag
    QString valueName;          // "FILE"; empty for a flag
    QString help;               // one line, lower case, no full stop
    QString alias = {};         // the long form of a short name: "--output"
    QStringList choices = {};   // Value::Choice: the values it takes

    static CommandOption flag(const QString& name, const QString& help) { return {name, Value::None, {}, help}; }
    static CommandOption text(const QString& name, const QString& valueName, const QString& help, const QString& alias = {})
    {
        return {name, Value::Text, valueName, help, alias};
    }
    static CommandOption number(const QString& name, const QString& valueName, const QString& help)
    {
        return {name, Value::PositiveNumber, valueName, help};
    }
    // The value name lists the choices: "--format text|json".
    static CommandOption choice(const QString& name, const QStringList& choices, const QString& help)
    {
        return {name, Value::Choice, choices.join(QLatin1Char('|')), help, {}, choices};
    }

    bool takesValue() const { return value != Value::None; }
    bool isCalled(const QString& spelling) const { return spelling == name || (!alias.isEmpty() && spelling == alias); }
    // "--settings FILE", "--in-place"
    QString synopsis() const { return takesValue() ? name + QLatin1Char(' ') + valueName : name; }
};

// One place in a command's synopsis: an option that may be given, or options
// of which exactly one must be.
struct OptionSlot
{
    // Implicit, so that a command's options read as a plain list.
    OptionSlot(const CommandOption& option) : choices{&option} {}
    static OptionSlot exactlyOne(std::initializer_list<const CommandOption*> options) { return {options, true}; }

    // Taken only together with another option: "--jobs goes with --output-dir".
    OptionSlot with(const CommandOption& partner) const
    {
        OptionSlot slot = *this;
        slot.partner = &partner;
        return slot;
    }

    QList<const CommandOption*> choices;
    bool required = false;
    const CommandOption* partner = nullptr;

private:
    OptionSlot(QList<const CommandOption*> options, bool isRequired) : choices(std::move(options)), required(isRequired) {}
};

// A file the command takes after its options.
struct CommandArgument
{
    QString name; // "INPUT.pdf"
    QString noun; // "PDF file", for "needs a PDF file."
    QString help;
    bool repeats = false; // the last argument may be given many times: "INPUT.pdf..."

    QString synopsis() const { return repeats ? name + QStringLiteral("...") : name; }
};

// Runs a parsed command; returns the exit code or throws a HostError.
using CommandHandler = int (*)(const CommandRequest& request, QTextStream& out);

struct CommandEntry
{
    QString name; // one word, or a group and its verb: "settings edit"
    QString help; // one line, lower case, no full stop
    QList<OptionSlot> options;
    QList<CommandArgument> arguments;
    CommandHandler handler;
    bool needsDisplay = false; // shows windows: the host must not fall back to offscreen

    bool takes(const QString& optionName) const;
};

// Everything a host's command line knows: the parser and the help are made
// from it, so a command is declared here once.
struct CommandTable
{
    QString program;
    QString version;
    QList<const CommandOption*> everyCommandOptions; // taken by every command
    QList<CommandEntry> commands;

    const CommandEntry* find(const QString& name) const;
    // The commands named "group verb" for this group.
    QList<const CommandEntry*> group(const QString& name) const;
    // Any option of the table, by its name or alias.
    const CommandOption* option(const QString& spelling) const;
};
