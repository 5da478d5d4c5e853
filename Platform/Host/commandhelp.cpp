#include "commandhelp.h"

#include <QStringList>

namespace {

const int ScreenWidth = 79;
const int WidestNameColumn = 28;

// The pieces, never split, on lines of at most width characters.
QStringList Wrapped(const QStringList& pieces, int width)
{
    QStringList lines;
    for (const QString& piece : pieces) {
        if (!lines.isEmpty() && lines.last().size() + 1 + piece.size() <= width)
            lines.last() += QLatin1Char(' ') + piece;
        else
            lines << piece;
    }
    return lines;
}

// The lines with every one after the first indented by indent blanks.
QString Indented(const QStringList& lines, int indent)
{
    return lines.join(QLatin1Char('\n') + QString(indent, QLatin1Char(' '))) + QLatin1Char('\n');
}

// "  name    help that wraps under itself", for a list of names and their help.
QString Listing(const QList<QPair<QString, QString>>& rows)
{
    int column = 0;
    for (const auto& row : rows)
        column = qMax(column, 2 + row.first.size() + 2);
    column = qMin(column, WidestNameColumn);
    QString text;
    for (const auto& row : rows) {
        const QString name = QStringLiteral("  ") + row.first;
        const QStringList help = Wrapped(row.second.split(QLatin1Char(' ')), ScreenWidth - column);
        if (name.size() + 2 > column)
            text += name + QLatin1Char('\n') + QString(column, QLatin1Char(' '));
        else
            text += name.leftJustified(column);
        text += Indented(help, column);
    }
    return text;
}

QString Sentence(const QString& help)
{
    return help.left(1).toUpper() + help.mid(1) + QLatin1Char('.');
}

QString ListedName(const CommandOption& option)
{
    const QString name = option.alias.isEmpty() ? option.name : option.name + QStringLiteral(", ") + option.alias;
    return option.takesValue() ? name + QLatin1Char(' ') + option.valueName : name;
}

// "[--json]", "--settings FILE", "(-o OUTPUT.pdf | --in-place)"
QString SlotSynopsis(const OptionSlot& slot)
{
    QStringList choices;
    for (const CommandOption* option : slot.choices)
        choices << option->synopsis();
    if (!slot.required)
        return QLatin1Char('[') + choices.join(QLatin1String(" | ")) + QLatin1Char(']');
    if (choices.size() == 1)
        return choices.first();
    return QLatin1Char('(') + choices.join(QLatin1String(" | ")) + QLatin1Char(')');
}

} // namespace

QString CommandHelp::text(const QList<const CommandEntry*>& topics) const
{
    if (topics.isEmpty())
        return overview();
    QStringList texts;
    for (const CommandEntry* topic : topics)
        texts << command(*topic);
    return texts.join(QLatin1Char('\n'));
}

QString CommandHelp::overview() const
{
    QStringList everyCommand;
    QList<QPair<QString, QString>> options;
    for (const CommandOption* option : mTable.everyCommandOptions) {
        everyCommand << SlotSynopsis(*option);
        options << qMakePair(ListedName(*option), option->help);
    }
    QList<QPair<QString, QString>> commands;
    for (const CommandEntry& entry : mTable.commands) {
        QStringList name{entry.name};
        for (const CommandArgument& argument : entry.arguments)
            name << argument.synopsis();
        commands << qMakePair(name.join(QLatin1Char(' ')),
                              entry.needsDisplay ? entry.help + QStringLiteral(" (needs a display)") : entry.help);
    }
    const QString program = mTable.program;
    return QStringLiteral("usage: %1 %2 COMMAND ...\n").arg(program, everyCommand.join(QLatin1Char(' ')))
        + QStringLiteral("       %1 help [COMMAND] | --version\n\nCommands:\n").arg(program) + Listing(commands)
        + QStringLiteral("\nOptions of every command:\n") + Listing(options)
        + QStringLiteral("\n\"%1 help COMMAND\" lists the options of a command.\n"
                         "Exit codes: 0 success, 1 failure, 2 usage error.\n")
              .arg(program);
}

QString CommandHelp::command(const CommandEntry& command) const
{
    QList<QPair<QString, QString>> options;
    for (const OptionSlot& slot : command.options) {
        const QString partner = slot.partner ? QStringLiteral(" (with %1)").arg(slot.partner->name) : QString();
        for (const CommandOption* option : slot.choices)
            options << qMakePair(ListedName(*option), option->help + partner);
    }
    for (const CommandOption* option : mTable.everyCommandOptions)
        options << qMakePair(ListedName(*option), option->help);
    QList<QPair<QString, QString>> files;
    for (const CommandArgument& argument : command.arguments)
        files << qMakePair(argument.name, argument.help);

    QString text = usage(command) + QLatin1Char('\n') + Sentence(command.help) + QLatin1Char('\n');
    if (command.needsDisplay)
        text += QStringLiteral("It shows a window: set DISPLAY or run it under xvfb-run.\n");
    text += QStringLiteral("\nOptions:\n") + Listing(options);
    if (!files.isEmpty())
        text += QStringLiteral("\nFiles:\n") + Listing(files);
    return text;
}

QString CommandHelp::usage(const CommandEntry& command) const
{
    const QString start = QStringLiteral("usage: %1 %2 ").arg(mTable.program, command.name);
    QStringList pieces;
    for (const OptionSlot& slot : command.options)
        pieces << SlotSynopsis(slot);
    for (const CommandOption* option : mTable.everyCommandOptions)
        pieces << SlotSynopsis(*option);
    for (const CommandArgument& argument : command.arguments)
        pieces << argument.synopsis();
    if (pieces.isEmpty())
        return start.trimmed() + QLatin1Char('\n');
    return start + Indented(Wrapped(pieces, ScreenWidth - start.size()), start.size());
}
