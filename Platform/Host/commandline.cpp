#include "commandline.h"

#include "hosterror.h"

namespace {

// The arguments sorted into words and options. A mistake in an option is kept
// rather than thrown: --help anywhere still gets its help.
struct Scan
{
    QStringList words;              // the command's words, then its files
    QMap<QString, QString> options; // by the option's name in the table
    bool help = false;
    bool version = false;
    QString mistake;                // the first one
};

Scan Read(const CommandTable& table, const QStringList& arguments)
{
    Scan scan;
    const auto note = [&scan](const QString& mistake) {
        if (scan.mistake.isEmpty())
            scan.mistake = mistake;
    };
    for (int i = 0; i < arguments.size(); ++i) {
        QString argument = arguments.at(i);
        if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            scan.help = true;
            continue;
        }
        if (argument == QLatin1String("--version")) {
            scan.version = true;
            continue;
        }
        if (argument == QLatin1String("--")) {
            scan.words += arguments.mid(i + 1);
            break;
        }
        if (!argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) {
            scan.words << argument;
            continue;
        }
        QString value;
        bool hasValue = false;
        const int equals = argument.indexOf(QLatin1Char('='));
        if (argument.startsWith(QLatin1String("--")) && equals > 0) {
            value = argument.mid(equals + 1);
            argument = argument.left(equals);
            hasValue = true;
        }
        // An option no command takes is kept as a flag: the command refuses it.
        const CommandOption* option = table.option(argument);
        const bool takesValue = option && option->takesValue();
        if (takesValue && !hasValue) {
            if (i + 1 >= arguments.size()) {
                note(QStringLiteral("%1 needs a value.").arg(argument));
                continue;
            }
            value = arguments.at(++i);
        } else if (!takesValue && hasValue) {
            note(QStringLiteral("%1 takes no value.").arg(argument));
        }
        const QString name = option ? option->name : argument;
        if (scan.options.contains(name))
            note(QStringLiteral("%1 is given twice.").arg(name));
        scan.options.insert(name, value);
    }
    return scan;
}

// "a, b or c"
QString OrList(const QStringList& items)
{
    if (items.size() < 2)
        return items.join(QString());
    return QStringList(items.mid(0, items.size() - 1)).join(QLatin1String(", ")) + QLatin1String(" or ") + items.last();
}

void CheckPositiveNumber(const CommandOption& option, const QString& value)
{
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok || number < 1)
        throw HostError::usage(QStringLiteral("%1 needs a whole number of at least 1, not \"%2\".").arg(option.name, value));
}

} // namespace

CommandRequest CommandLine::parse(const QStringList& arguments) const
{
    const Scan scan = Read(mTable, arguments);
    if (scan.help)
        return CommandRequest::help(helpTopics(scan.words, Topics::Lenient));
    if (scan.version)
        return CommandRequest::version();
    if (scan.words.value(0) == QLatin1String("help"))
        return CommandRequest::help(helpTopics(scan.words.mid(1), Topics::Strict));
    if (!scan.mistake.isEmpty())
        throw HostError::usage(scan.mistake);

    int wordsUsed = 0;
    const CommandEntry& entry = command(scan.words, &wordsUsed);
    const QStringList files = scan.words.mid(wordsUsed);
    checkOptions(entry, scan.options);
    checkArguments(entry, files);
    checkChoices(entry, scan.options);
    return CommandRequest::command(entry, scan.options, files);
}

const CommandEntry& CommandLine::command(const QStringList& words, int* wordsUsed) const
{
    if (words.isEmpty()) {
        QStringList names;
        for (const CommandEntry& entry : mTable.commands)
            names << entry.name;
        throw HostError::usage(QStringLiteral("Name a command: %1.").arg(OrList(names)));
    }
    if (const CommandEntry* entry = mTable.find(words.first())) {
        *wordsUsed = 1;
        return *entry;
    }
    const QList<const CommandEntry*> group = mTable.group(words.first());
    if (group.isEmpty())
        throw HostError::usage(QStringLiteral("Unknown command \"%1\".").arg(words.first()));
    if (const CommandEntry* entry = mTable.find(words.first() + QLatin1Char(' ') + words.value(1))) {
        *wordsUsed = 2;
        return *entry;
    }
    QStringList verbs;
    for (const CommandEntry* member : group) {
        QStringList synopsis{member->name};
        for (const CommandArgument& argument : member->arguments)
            synopsis << argument.synopsis();
        verbs << synopsis.join(QLatin1Char(' '));
    }
    throw HostError::usage(QStringLiteral("\"%1\" needs a subcommand: %2.").arg(words.first(), OrList(verbs)));
}

QList<const CommandEntry*> CommandLine::helpTopics(const QStringList& words, Topics strictness) const
{
    if (words.isEmpty())
        return {};
    if (const CommandEntry* entry = mTable.find(words.first()))
        return {entry};
    if (const CommandEntry* entry = mTable.find(words.first() + QLatin1Char(' ') + words.value(1)))
        return {entry};
    const QList<const CommandEntry*> group = mTable.group(words.first());
    if (group.isEmpty() && strictness == Topics::Strict)
        throw HostError::usage(QStringLiteral("Unknown command \"%1\".").arg(words.first()));
    return group;
}

void CommandLine::checkOptions(const CommandEntry& command, const QMap<QString, QString>& options) const
{
    for (auto it = options.cbegin(); it != options.cend(); ++it) {
        const CommandOption* option = mTable.option(it.key());
        if (!command.takes(it.key()) && !mTable.everyCommandOptions.contains(option))
            throw HostError::usage(QStringLiteral("\"%1\" does not take the option %2.").arg(command.name, it.key()));
    }
    for (auto it = options.cbegin(); it != options.cend(); ++it) {
        const CommandOption* option = mTable.option(it.key());
        if (option->value == CommandOption::Value::PositiveNumber)
            CheckPositiveNumber(*option, it.value());
        if (option->value == CommandOption::Value::Choice && !option->choices.contains(it.value()))
            throw HostError::usage(
                QStringLiteral("%1 takes %2, not \"%3\".").arg(option->name, OrList(option->choices), it.value()));
    }
}

void CommandLine::checkArguments(const CommandEntry& command, const QStringList& arguments)
{
    const QList<CommandArgument>& expected = command.arguments;
    const bool repeats = !expected.isEmpty() && expected.last().repeats;
    if (expected.isEmpty() && !arguments.isEmpty())
        throw HostError::usage(QStringLiteral("\"%1\" takes no file.").arg(command.name));
    if (arguments.size() < expected.size())
        throw HostError::usage(QStringLiteral("\"%1\" needs a %2.").arg(command.name, expected.at(arguments.size()).noun));
    if (repeats)
        return;
    if (arguments.size() > expected.size() && expected.size() == 1)
        throw HostError::usage(QStringLiteral("\"%1\" takes one %2, not %3.")
                                   .arg(command.name, expected.first().noun)
                                   .arg(arguments.size()));
    if (arguments.size() > expected.size())
        throw HostError::usage(QStringLiteral("\"%1\" takes %2 files, not %3.")
                                   .arg(command.name)
                                   .arg(expected.size())
                                   .arg(arguments.size()));
}

void CommandLine::checkChoices(const CommandEntry& command, const QMap<QString, QString>& options)
{
    for (const OptionSlot& slot : command.options) {
        for (const CommandOption* option : slot.choices) {
            if (slot.partner && options.contains(option->name) && !options.contains(slot.partner->name))
                throw HostError::usage(QStringLiteral("%1 goes with %2.").arg(option->name, slot.partner->synopsis()));
        }
        if (!slot.required)
            continue;
        QStringList choices;
        int given = 0;
        for (const CommandOption* option : slot.choices) {
            choices << option->synopsis();
            given += options.contains(option->name) ? 1 : 0;
        }
        if (given != 1)
            throw HostError::usage(QStringLiteral("Give %1%2.")
                                       .arg(choices.size() == 2 ? QStringLiteral("either ") : QString(), OrList(choices)));
    }
}
