#include "commandline.h"

#include "hosterror.h"

#include <QMap>
#include <QSet>

namespace {

using Command = HostOptions::Command;

const QMap<QString, Command>& Commands()
{
    static const QMap<QString, Command> commands = {
        {QStringLiteral("info"), Command::Info},       {QStringLiteral("run"), Command::Run},
        {QStringLiteral("outline"), Command::Outline}, {QStringLiteral("text"), Command::Text},
        {QStringLiteral("fonts"), Command::Fonts},     {QStringLiteral("help"), Command::Help},
    };
    return commands;
}

// The options each command accepts; --plugin is accepted everywhere.
QSet<QString> AllowedOptions(Command command)
{
    switch (command) {
    case Command::Run:
        return {"--settings", "--nth", "--password", "-o", "--output", "--in-place", "--keep-partial"};
    case Command::Outline:
        return {"--password", "--json"};
    case Command::Text:
        return {"--password", "--page"};
    case Command::Fonts:
        return {"--password"};
    case Command::Info:
    case Command::Help:
        return {};
    }
    return {};
}

bool TakesValue(const QString& option)
{
    static const QSet<QString> valued = {"--plugin", "--settings", "--nth",  "--password",
                                         "-o",       "--output",   "--page"};
    return valued.contains(option);
}

int PositiveNumber(const QString& option, const QString& value)
{
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok || number < 1)
        throw HostError::usage(QStringLiteral("%1 needs a whole number of at least 1, not \"%2\".").arg(option, value));
    return number;
}

} // namespace

HostOptions CommandLine::parse(const QStringList& arguments)
{
    HostOptions options;
    QString commandName;
    QStringList positional;
    QMap<QString, QString> given;

    for (int i = 0; i < arguments.size(); ++i) {
        QString argument = arguments.at(i);
        if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            options.command = Command::Help;
            return options;
        }
        if (argument == QLatin1String("--")) {
            positional += arguments.mid(i + 1);
            break;
        }
        if (!argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) {
            if (commandName.isEmpty())
                commandName = argument;
            else
                positional << argument;
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
        if (TakesValue(argument) && !hasValue) {
            if (i + 1 >= arguments.size())
                throw HostError::usage(QStringLiteral("%1 needs a value.").arg(argument));
            value = arguments.at(++i);
            hasValue = true;
        } else if (!TakesValue(argument) && hasValue) {
            throw HostError::usage(QStringLiteral("%1 takes no value.").arg(argument));
        }
        if (argument == QLatin1String("--output"))
            argument = QStringLiteral("-o");
        if (given.contains(argument))
            throw HostError::usage(QStringLiteral("%1 is given twice.").arg(argument));
        given.insert(argument, value);
    }

    if (commandName.isEmpty())
        throw HostError::usage(QStringLiteral("Name a command: info, run, outline, text, fonts or settings edit."));
    if (!Commands().contains(commandName))
        throw HostError::usage(QStringLiteral("Unknown command \"%1\".").arg(commandName));
    options.command = Commands().value(commandName);

    const QSet<QString> allowed = AllowedOptions(options.command) + QSet<QString>{"--plugin"};
    for (auto it = given.cbegin(); it != given.cend(); ++it) {
        if (!allowed.contains(it.key()))
            throw HostError::usage(QStringLiteral("\"%1\" does not take the option %2.").arg(commandName, it.key()));
    }

    options.pluginPath = given.value(QStringLiteral("--plugin"));
    options.settingsPath = given.value(QStringLiteral("--settings"));
    options.password = given.value(QStringLiteral("--password"));
    options.output = given.value(QStringLiteral("-o"));
    options.inPlace = given.contains(QStringLiteral("--in-place"));
    options.keepPartial = given.contains(QStringLiteral("--keep-partial"));
    options.json = given.contains(QStringLiteral("--json"));
    if (given.contains(QStringLiteral("--nth")))
        options.nthPage = PositiveNumber(QStringLiteral("--nth"), given.value(QStringLiteral("--nth")));
    if (given.contains(QStringLiteral("--page")))
        options.page = PositiveNumber(QStringLiteral("--page"), given.value(QStringLiteral("--page")));

    const bool needsInput = options.command != Command::Info && options.command != Command::Help;
    if (!needsInput) {
        if (!positional.isEmpty())
            throw HostError::usage(QStringLiteral("\"%1\" takes no file.").arg(commandName));
        return options;
    }
    if (positional.isEmpty())
        throw HostError::usage(QStringLiteral("\"%1\" needs a PDF file.").arg(commandName));
    if (positional.size() > 1)
        throw HostError::usage(QStringLiteral("\"%1\" takes one PDF file, not %2.").arg(commandName).arg(positional.size()));
    options.input = positional.first();

    if (options.command == Command::Run) {
        if (options.output.isEmpty() == !options.inPlace)
            throw HostError::usage(QStringLiteral("Give either -o OUTPUT.pdf or --in-place."));
        if (options.settingsPath.isEmpty() == (options.nthPage == 0))
            throw HostError::usage(QStringLiteral("Give either --settings FILE or --nth N."));
    }
    return options;
}

QString CommandLine::usage()
{
    return QStringLiteral(
        "usage: vantora [--plugin PATH] COMMAND ...\n"
        "\n"
        "  vantora run (--settings FILE | --nth N) [--password P] [--keep-partial]\n"
        "              INPUT.pdf (-o OUTPUT.pdf | --in-place)\n"
        "      Build bookmarks with the plug-in and save the document.\n"
        "      FILE: a settings export, tool settings file (.tsf), favourite,\n"
        "      action list (.xqq) or a hand-written [BookmarksByContent] file.\n"
        "  vantora outline [--json] FILE.pdf    the bookmarks as a tree\n"
        "  vantora text [--page N] FILE.pdf     the text records the plug-in sees\n"
        "  vantora fonts FILE.pdf               the document's fonts\n"
        "  vantora info                         the plug-in's identity\n"
        "  vantora settings edit FILE.ini       define the levels in the wizard\n"
        "      (needs a display; FILE is a settings export, made on Finish)\n"
        "\n"
        "Exit codes: 0 success, 1 failure, 2 usage error.\n");
}
