// What vantora accepts on its command line, the usage errors (exit code 2)
// for what it does not, and the help made from its command table.
#include "commandhelp.h"
#include "hosterror.h"
#include "vantoracommands.h"
#include "vantoraoptions.h"

#include <QtTest>

using namespace VantoraOptions;

namespace {

QString Names(const QList<const CommandEntry*>& commands)
{
    QStringList names;
    for (const CommandEntry* command : commands)
        names << command->name;
    return names.join(',');
}

} // namespace

class TestHostCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void runWithSettingsFile()
    {
        const CommandRequest request = VantoraCommands::parse(
            {"--plugin", "/p/lib.so", "run", "in.pdf", "--settings=s.ini", "--password", "pw", "--output", "out.pdf"});
        QCOMPARE(request.command().name, QStringLiteral("run"));
        QCOMPARE(request.value(Plugin), QStringLiteral("/p/lib.so"));
        QCOMPARE(request.argument(0), QStringLiteral("in.pdf"));
        QCOMPARE(request.value(Settings), QStringLiteral("s.ini"));
        QCOMPARE(request.value(Password), QStringLiteral("pw"));
        QCOMPARE(request.value(Output), QStringLiteral("out.pdf"));
        QVERIFY(!request.isSet(InPlace));
        QVERIFY(!request.needsDisplay());
    }

    void runInPlaceEveryNthPage()
    {
        const CommandRequest request =
            VantoraCommands::parse({"run", "--nth", "5", "--in-place", "--keep-partial", "--", "-odd.pdf"});
        QCOMPARE(request.number(Nth), 5);
        QVERIFY(request.isSet(InPlace));
        QVERIFY(request.isSet(KeepPartial));
        QCOMPARE(request.argument(0), QStringLiteral("-odd.pdf"));
    }

    void manyInputs()
    {
        const CommandRequest request = VantoraCommands::parse({"run", "--nth", "3", "a.pdf", "b.pdf", "--output-dir", "d"});
        QCOMPARE(request.arguments(), (QStringList{"a.pdf", "b.pdf"}));
        QCOMPARE(VantoraCommands::parse({"outline", "--format", "text", "a.pdf"}).value(Format), QStringLiteral("text"));
    }

    void lookingCommands()
    {
        QVERIFY(VantoraCommands::parse({"outline", "--json", "a.pdf"}).isSet(Json));
        QCOMPARE(VantoraCommands::parse({"text", "a.pdf", "--page", "7"}).number(Page), 7);
        QCOMPARE(VantoraCommands::parse({"fonts", "a.pdf"}).command().name, QStringLiteral("fonts"));
        QCOMPARE(VantoraCommands::parse({"info"}).command().name, QStringLiteral("info"));
    }

    void twoWordCommand()
    {
        const CommandRequest request = VantoraCommands::parse({"settings", "--plugin", "p.so", "edit", "levels.ini"});
        QCOMPARE(request.command().name, QStringLiteral("settings edit"));
        QCOMPARE(request.argument(0), QStringLiteral("levels.ini"));
        QCOMPARE(request.value(Plugin), QStringLiteral("p.so"));
        QVERIFY(request.needsDisplay());
    }

    void helpAndVersion_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("topics"); // "version" for the version
        QTest::newRow("overview") << QStringList{"--help"} << "";
        QTest::newRow("help command") << QStringList{"help", "run"} << "run";
        QTest::newRow("command --help") << QStringList{"fonts", "a.pdf", "-h"} << "fonts";
        QTest::newRow("despite a mistake") << QStringList{"run", "--json=1", "--help"} << "run";
        QTest::newRow("two words") << QStringList{"help", "settings", "edit"} << "settings edit";
        QTest::newRow("a group") << QStringList{"settings", "--help"} << "settings edit,settings show";
        QTest::newRow("unknown with --help") << QStringList{"bookmark", "--help"} << "";
        QTest::newRow("version") << QStringList{"info", "--version"} << "version";
    }

    void helpAndVersion()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, topics);
        const CommandRequest request = VantoraCommands::parse(arguments);
        if (topics == "version") {
            QCOMPARE(request.kind(), CommandRequest::Kind::Version);
            return;
        }
        QCOMPARE(request.kind(), CommandRequest::Kind::Help);
        QCOMPARE(Names(request.helpTopics()), topics);
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected");
        QTest::newRow("nothing") << QStringList{} << "Name a command: run, outline";
        QTest::newRow("unknown command") << QStringList{"bookmark", "a.pdf"} << "Unknown command";
        QTest::newRow("help on nothing known") << QStringList{"help", "bookmark"} << "Unknown command";
        QTest::newRow("no output") << QStringList{"run", "--nth", "2", "a.pdf"}
                                   << "Give -o OUTPUT.pdf, --in-place, --output-dir DIR or --dry-run.";
        QTest::newRow("both outputs") << QStringList{"run", "--nth", "2", "a.pdf", "-o", "b.pdf", "--in-place"}
                                      << "-o OUTPUT.pdf, --in-place";
        QTest::newRow("no settings") << QStringList{"run", "a.pdf", "-o", "b.pdf"} << "--settings FILE, --nth N or --auto";
        QTest::newRow("both settings") << QStringList{"run", "--nth", "2", "--settings", "s", "a.pdf", "-o", "b"}
                                       << "--settings FILE, --nth N or --auto";
        QTest::newRow("nth zero") << QStringList{"run", "--nth", "0", "a.pdf", "--in-place"} << "at least 1";
        QTest::newRow("page word") << QStringList{"text", "--page", "two", "a.pdf"} << "--page needs a whole number";
        QTest::newRow("missing value") << QStringList{"run", "a.pdf", "--in-place", "--nth"} << "needs a value";
        QTest::newRow("value on a flag") << QStringList{"outline", "--json=yes", "a.pdf"} << "takes no value";
        QTest::newRow("twice") << QStringList{"run", "-o", "a", "--output", "b", "--nth", "1", "c"} << "-o is given twice";
        QTest::newRow("foreign option") << QStringList{"fonts", "--page", "2", "a.pdf"} << "does not take the option --page";
        QTest::newRow("unknown option") << QStringList{"info", "--frobnicate"} << "does not take the option --frobnicate";
        QTest::newRow("no file") << QStringList{"outline"} << "\"outline\" needs a PDF file";
        QTest::newRow("two files") << QStringList{"outline", "a.pdf", "b.pdf"} << "one PDF file, not 2";
        QTest::newRow("one outline file") << QStringList{"set-outline", "a.pdf", "--in-place"} << "needs a text or JSON outline.";
        QTest::newRow("jobs alone") << QStringList{"run", "--nth", "1", "--jobs", "2", "a.pdf", "--in-place"}
                                    << "--jobs goes with --output-dir DIR.";
        QTest::newRow("json without dry run") << QStringList{"run", "--nth", "1", "--json", "a.pdf", "-o", "b.pdf"}
                                              << "--json goes with --dry-run.";
        QTest::newRow("unknown format") << QStringList{"outline", "--format", "xml", "a.pdf"}
                                        << "--format takes text or json, not \"xml\".";
        QTest::newRow("file for info") << QStringList{"info", "a.pdf"} << "takes no file";
        QTest::newRow("no subcommand") << QStringList{"settings"} << "needs a subcommand: settings edit FILE.ini";
        QTest::newRow("unknown subcommand") << QStringList{"settings", "print", "a.ini"} << "needs a subcommand";
        QTest::newRow("no settings file") << QStringList{"settings", "edit"} << "needs a settings file";
        QTest::newRow("two settings files") << QStringList{"settings", "edit", "a.ini", "b.ini"} << "one settings file";
        QTest::newRow("option of run") << QStringList{"settings", "edit", "--nth", "2", "a.ini"}
                                       << "\"settings edit\" does not take the option --nth";
        QTest::newRow("--plugin without value") << QStringList{"settings", "edit", "a.ini", "--plugin"} << "needs a value";
    }

    void usageErrors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        try {
            VantoraCommands::parse(arguments);
            QFAIL("accepted");
        } catch (const HostError& error) {
            QVERIFY2(error.message().contains(expected), qPrintable(error.message()));
            QCOMPARE(error.exitCode(), 2);
        }
    }

    void helpListsEveryOption()
    {
        const CommandTable& table = VantoraCommands::table();
        const CommandHelp help(table);
        const QString overview = help.overview();
        QVERIFY2(overview.count('\n') <= 24, qPrintable(overview));
        for (const CommandEntry& command : table.commands) {
            QVERIFY(overview.contains("\n  " + command.name + ' '));
            const QString text = help.command(command);
            QVERIFY2(text.startsWith("usage: vantora " + command.name + ' '), qPrintable(text));
            QList<const CommandOption*> options = table.everyCommandOptions;
            for (const OptionSlot& slot : command.options)
                options += slot.choices;
            for (const CommandOption* option : options) {
                QVERIFY2(text.simplified().contains(option->help), qPrintable(command.name + ": " + option->name));
                QVERIFY2(text.contains(option->alias), qPrintable(command.name + ": " + option->alias));
            }
            for (const QString& line : (overview + text).split('\n'))
                QVERIFY2(line.size() < 80, qPrintable(line));
        }
    }
};

QTEST_GUILESS_MAIN(TestHostCommandLine)
#include "tst_hostcommandline.moc"
