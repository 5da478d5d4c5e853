// What vantora accepts on its command line, and the usage errors (exit code
// 2) for what it does not.
#include "commandline.h"
#include "hosterror.h"

#include <QtTest>

class TestHostCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void runWithSettingsFile()
    {
        const HostOptions options = CommandLine::parse(
            {"--plugin", "/p/lib.so", "run", "in.pdf", "--settings=s.ini", "--password", "pw", "--output", "out.pdf"});
        QCOMPARE(options.command, HostOptions::Command::Run);
        QCOMPARE(options.pluginPath, QStringLiteral("/p/lib.so"));
        QCOMPARE(options.input, QStringLiteral("in.pdf"));
        QCOMPARE(options.settingsPath, QStringLiteral("s.ini"));
        QCOMPARE(options.password, QStringLiteral("pw"));
        QCOMPARE(options.output, QStringLiteral("out.pdf"));
        QVERIFY(!options.inPlace);
    }

    void runInPlaceEveryNthPage()
    {
        const HostOptions options = CommandLine::parse({"run", "--nth", "5", "--in-place", "--keep-partial", "--", "-odd.pdf"});
        QCOMPARE(options.nthPage, 5);
        QVERIFY(options.inPlace);
        QVERIFY(options.keepPartial);
        QCOMPARE(options.input, QStringLiteral("-odd.pdf"));
    }

    void lookingCommands()
    {
        QCOMPARE(CommandLine::parse({"outline", "--json", "a.pdf"}).json, true);
        QCOMPARE(CommandLine::parse({"text", "a.pdf", "--page", "7"}).page, 7);
        QCOMPARE(CommandLine::parse({"fonts", "a.pdf"}).command, HostOptions::Command::Fonts);
        QCOMPARE(CommandLine::parse({"info"}).command, HostOptions::Command::Info);
        QCOMPARE(CommandLine::parse({"run", "--help"}).command, HostOptions::Command::Help);
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected");
        QTest::newRow("nothing") << QStringList{} << "Name a command";
        QTest::newRow("unknown command") << QStringList{"bookmark", "a.pdf"} << "Unknown command";
        QTest::newRow("no output") << QStringList{"run", "--nth", "2", "a.pdf"} << "-o OUTPUT.pdf or --in-place";
        QTest::newRow("both outputs") << QStringList{"run", "--nth", "2", "a.pdf", "-o", "b.pdf", "--in-place"}
                                      << "-o OUTPUT.pdf or --in-place";
        QTest::newRow("no settings") << QStringList{"run", "a.pdf", "-o", "b.pdf"} << "--settings FILE or --nth N";
        QTest::newRow("both settings") << QStringList{"run", "--nth", "2", "--settings", "s", "a.pdf", "-o", "b"}
                                       << "--settings FILE or --nth N";
        QTest::newRow("nth zero") << QStringList{"run", "--nth", "0", "a.pdf", "--in-place"} << "at least 1";
        QTest::newRow("nth word") << QStringList{"run", "--nth", "two", "a.pdf", "--in-place"} << "at least 1";
        QTest::newRow("missing value") << QStringList{"run", "a.pdf", "--in-place", "--nth"} << "needs a value";
        QTest::newRow("value on a flag") << QStringList{"outline", "--json=yes", "a.pdf"} << "takes no value";
        QTest::newRow("twice") << QStringList{"text", "--page", "1", "--page", "2", "a.pdf"} << "given twice";
        QTest::newRow("foreign option") << QStringList{"fonts", "--page", "2", "a.pdf"} << "does not take the option --page";
        QTest::newRow("no file") << QStringList{"outline"} << "needs a PDF file";
        QTest::newRow("two files") << QStringList{"outline", "a.pdf", "b.pdf"} << "one PDF file";
        QTest::newRow("file for info") << QStringList{"info", "a.pdf"} << "takes no file";
    }

    void usageErrors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        try {
            CommandLine::parse(arguments);
            QFAIL("accepted");
        } catch (const HostError& error) {
            QVERIFY2(error.message().contains(expected), qPrintable(error.message()));
            QCOMPARE(error.exitCode(), 2);
        }
    }
};

QTEST_GUILESS_MAIN(TestHostCommandLine)
#include "tst_hostcommandline.moc"
