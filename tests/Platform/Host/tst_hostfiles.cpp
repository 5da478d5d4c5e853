// The files the host reads and writes: every kind of settings file the
// plug-in writes or a user types, and the save that never leaves a
// half-written file behind.
#include "atomicsave.h"
#include "hosterror.h"
#include "leveldefinition.h"
#include "opendocument.h"
#include "outlinejson.h"
#include "outlinetext.h"
#include "settingsfile.h"
#include "settingsshowcommand.h"
#include "vantoracommands.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest>

#include <functional>

#include <csignal>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

ActionPrefs TwoLevels()
{
    ActionPrefs prefs;
    prefs.insert("NthChecked", false);
    prefs.insert("LevelCount", 2);
    prefs.insert("FontSizeCheck1", true);
    prefs.insert("FontSizeValue1", 18.0);
    prefs.insert("TextMaskCheck2", true);
    prefs.insert("TextMaskEdit2", QStringLiteral("^\\d+\\.\\d+ , and more"));
    prefs.insert("ActionName", QStringLiteral("Bookmarks by Content"));
    return prefs;
}

void WriteText(const QString& path, const QByteArray& text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// What a run reads of a map, level by level.
QString RunView(const ActionPrefs& prefs)
{
    QString view;
    for (const char* key : {"NthChecked", "NthPage", "LevelCount", "InsertionMode", "ZoomSettings", "ZoomValue", "ExactText"})
        view += QStringLiteral("%1=%2 ").arg(key, prefs.value(key).toString());
    for (int level = 1; level <= prefs.value("LevelCount").toInt(); ++level) {
        const CLevelDefinition d = CLevelDefinition::Read(prefs, level);
        view += QStringLiteral("\n%1: %2 %3 %4 %5/%6 %7 %8 %9").arg(level)
                    .arg(d.Summary(d.colour, QString()), d.fontSizeCheck ? QString::number(d.fontSize) : QString())
                    .arg(d.leftIndent).arg(d.includeKeywords).arg(d.ignoreRepeated).arg(d.multiLine).arg(d.leadingNumbers)
                    .arg(d.keywordListCheck ? QFile(d.keywordFile).exists() : false);
    }
    return view;
}

class TestHostFiles : public QObject
{
    Q_OBJECT

private slots:
    void mapFilesOfThePlugin_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("withIcon");
        QTest::newRow("settings export") << "ActionPrefs" << false;
        QTest::newRow("favourite") << "ActionPrefs" << true;
        QTest::newRow("tool settings") << "ToolSettings" << false;
    }

    void mapFilesOfThePlugin()
    {
        QFETCH(QString, key);
        QFETCH(bool, withIcon);
        const QString path = mDir.filePath(QStringLiteral("map-%1.ini").arg(QTest::currentDataTag()));
        {
            QSettings file(path, QSettings::IniFormat);
            file.setValue(key, TwoLevels());
            if (withIcon) {
                QImage icon(42, 42, QImage::Format_ARGB32);
                icon.fill(Qt::red);
                file.setValue("ActionIcon", icon);
            }
        }
        const QList<ActionPrefs> steps = SettingsFile::read(path);
        QCOMPARE(steps.size(), 1);
        QCOMPARE(steps.first(), TwoLevels());
    }

    void actionListRunsItsBookmarkStepsInOrder()
    {
        const QString path = mDir.filePath("Make_bookmarks.xqq");
        ActionPrefs rotate;
        rotate.insert("Angle", 90);
        ActionPrefs nth;
        nth.insert("NthChecked", true);
        nth.insert("NthPage", 3);
        {
            QSettings file(path, QSettings::IniFormat);
            file.setValue("SequenceName", "Make bookmarks");
            file.setValue("SequenceCategory", "Favorites");
            file.setValue("IOSettings", 0);
            file.setValue("ActionName0", "Rotate Pages");
            file.setValue("ActionPrefs0", rotate);
            file.setValue("ActionName1", "Bookmarks by Content");
            file.setValue("ActionPrefs1", TwoLevels());
            file.setValue("ActionName2", "Bookmarks by Content");
            file.setValue("ActionPrefs2", nth);
            // A removed step leaves a gap; the steps after it still run, and
            // step 10 comes after step 4, not between 1 and 2.
            file.setValue("ActionName10", "Bookmarks by Content");
            file.setValue("ActionPrefs10", nth);
            file.setValue("ActionName4", "Bookmarks by Content");
            file.setValue("ActionPrefs4", TwoLevels());
        }
        const QList<ActionPrefs> steps = SettingsFile::read(path);
        QCOMPARE(steps.size(), 4);
        QCOMPARE(steps.at(0), TwoLevels());
        QCOMPARE(steps.at(1), nth);
        QCOMPARE(steps.at(2), TwoLevels());
        QCOMPARE(steps.at(3), nth);
    }

    void handWrittenFileIsTypedAndDerived()
    {
        const QString path = mDir.filePath("hand.ini");
        WriteText(path,
                  "; chapters and sections\n"
                  "[BookmarksByContent]\n"
                  "InsertionMode=2\n"
                  "[Level1]\n"
                  "FontSizeCheck=yes\n"
                  "FontSizeValue=18.5\n"
                  "TextMaskCheck=true\n"
                  "TextMaskEdit=\"^\\\\d+ , \"\n"
                  "FontColor=#1F3A93\n"
                  "LeftIndentValue=10\n"
                  "LeftIndentUnits=mm\n"
                  "[Level2]\n"
                  "FontColorCheck=true\n"
                  "FontColor=3\n"
                  "KeywordListCheck=true\n"
                  "Keywords=Contents, Index\n"
                  "RepeatedHeadings=off\n"
                  "[Level3]\n"
                  "FontColorCheck=true\n"
                  "FontColor=fuchsia\n"
                  "LeftIndentValue=1\n"
                  "LeftIndentUnits=inch\n");
        const QList<ActionPrefs> steps = SettingsFile::read(path);
        QCOMPARE(steps.size(), 1);
        const ActionPrefs& prefs = steps.first();
        QCOMPARE(prefs.value("LevelCount"), QVariant(3));
        QCOMPARE(prefs.value("InsertionMode"), QVariant(2));
        QCOMPARE(prefs.value("MultiChecked"), QVariant(true));
        QCOMPARE(prefs.value("ActionName"), QVariant("Bookmarks by Content"));
        QCOMPARE(prefs.value("FontSizeCheck1"), QVariant(true));
        QCOMPARE(prefs.value("FontSizeValue1"), QVariant(18.5));
        QCOMPARE(prefs.value("TextMaskEdit1").toString(), QStringLiteral("^\\d+ , "));
        QCOMPARE(prefs.value("ColorInHex1"), QVariant("#1f3a93"));
        QCOMPARE(prefs.value("FontColor1"), QVariant(10));
        QCOMPARE(prefs.value("LeftIndentToPoints1").toDouble(), 10 / 25.4 * 72);
        QCOMPARE(prefs.value("ColorInHex2"), QVariant("#ff0000"));
        QCOMPARE(prefs.value("RepeatedHeadings2"), QVariant(false));
        QVERIFY(!prefs.contains("FontSizeCheck2"));
        QFile keywords(prefs.value("KeyListEdit2").toString());
        QVERIFY(keywords.open(QIODevice::ReadOnly));
        QCOMPARE(keywords.readAll(), QByteArray("Contents\nIndex\n"));
        QCOMPARE(prefs.value("ColorInHex3"), QVariant("#ff00ff"));
        QCOMPARE(prefs.value("LeftIndentToPoints3").toDouble(), 72.0);
    }

    // Shown as a hand-written file, any settings run as their source does.
    void showRunsAsTheSource()
    {
        ActionPrefs prefs = TwoLevels();
        prefs.insert({{"FontColorCheck2", true}, {"ColorInHex2", "#1f3a93"}, {"LeftIndentCheck2", true},
                      {"LeftIndentValue2", 10.0}, {"LeftIndentUnits2", 0}, {"LeftIndentToPoints2", 10 / 25.4 * 72},
                      {"InsertionMode", 2}, {"MultiLineHeadings1", true}, {"LeadingNumbers2", 2}});
        const QString export_ = mDir.filePath("shown-export.ini"), tool = mDir.filePath("shown.tsf"),
                      list = mDir.filePath("shown.xqq"), hand = mDir.filePath("shown-hand.ini");
        QSettings(export_, QSettings::IniFormat).setValue("ActionPrefs", prefs);
        QSettings(tool, QSettings::IniFormat).setValue("ToolSettings", prefs);
        {
            QSettings file(list, QSettings::IniFormat);
            file.setValue("ActionName3", "Bookmarks by Content");
            file.setValue("ActionPrefs3", prefs);
        }
        WriteText(hand, "[Level1]\nFontSizeCheck=1\nFontSizeValue=20\nKeywordListCheck=1\nKeywords=Contents, Index\n"
                        "[BookmarksByContent]\nFontNameCheck2=1\nFontNameCombo2=Helvetica\nFontColorCheck2=1\nFontColor2=red\n");
        for (const QString& source : {export_, tool, list, hand}) {
            QString text;
            QTextStream out(&text);
            SettingsShowCommand::execute(VantoraCommands::parse({"settings", "show", source}), out);
            out.flush();
            const QString shown = source + ".shown.ini";
            WriteText(shown, text.toUtf8());
            QCOMPARE(RunView(SettingsFile::read(shown).first()), RunView(SettingsFile::read(source).first()));
        }
    }

    void unreadableSettingsGiveOneSentence_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no file at all
        QTest::addColumn<QString>("expected");
        QTest::newRow("missing") << QByteArray() << "does not exist";
        QTest::newRow("unrelated ini") << QByteArray("[Colours]\nsky=blue\n") << "holds no bookmark settings";
        QTest::newRow("not a map") << QByteArray("[General]\nActionPrefs=text\n") << "is not a settings map";
        QTest::newRow("no levels") << QByteArray("[BookmarksByContent]\nLevelCount=0\n") << "define no bookmark levels";
        QTest::newRow("list without our step")
            << QByteArray("[General]\nSequenceName=x\nActionName0=Rotate Pages\n") << "has no \"Bookmarks by Content\" step";
        QTest::newRow("unquoted comma")
            << QByteArray("[Level1]\nTextMaskEdit=a, b\n[BookmarksByContent]\n") << "put it in double quotes";
        QTest::newRow("unknown key") << QByteArray("[BookmarksByContent]\nFontSizeValeu1=3\n") << "unknown key FontSizeValeu1";
        QTest::newRow("unknown section") << QByteArray("[BookmarksByContent]\nLevelCount=1\n[Level]\nx=1\n") << "unknown section [Level]";
        QTest::newRow("bad bool") << QByteArray("[BookmarksByContent]\n[Level1]\nFontSizeCheck=maybe\n") << "must be true or false";
        QTest::newRow("bad number") << QByteArray("[BookmarksByContent]\nLevelCount=two\n") << "must be a whole number";
        QTest::newRow("bad colour") << QByteArray("[BookmarksByContent]\n[Level1]\nColorInHex=#12345z\n") << "is not a colour";
        QTest::newRow("bad mask")
            << QByteArray("[BookmarksByContent]\n[Level1]\nTextMaskCheck=true\nTextMaskEdit=\"([0-9\"\n") << "not a valid regular expression";
        QTest::newRow("level without checks")
            << QByteArray("[BookmarksByContent]\nLevelCount=2\n[Level1]\nFontSizeCheck=true\nFontSizeValue=9\n")
            << "level 2: turns no check on";
        QTest::newRow("gap in numbered levels")
            << QByteArray("[BookmarksByContent]\nFontSizeCheck1=true\nFontSizeValue1=9\nFontSizeCheck3=true\n")
            << "level 2: turns no check on";
        QTest::newRow("nth without step")
            << QByteArray("[BookmarksByContent]\nNthChecked=true\nNthPage=0\n") << "NthPage must be a whole number from 1";
    }

    void hostileExportsAreRefused_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("named group") << "TextMaskEdit1" << QVariant("(?<n>\\d+) ") << "level 1: TextMaskEdit1 \"(?<n>\\d+) \" uses named groups";
        QTest::newRow("lazy") << "TextMaskEdit1" << QVariant("^.*?x") << "uses lazy quantifiers";
        QTest::newRow("posix class") << "TextMaskEdit1" << QVariant("[[:digit:]]") << "uses POSIX classes";
        QTest::newRow("inline option") << "TextMaskEdit1" << QVariant("(?i)chapter") << "uses inline options";
        QTest::newRow("escaped plus is fine, bad group is not") << "TextMaskEdit1" << QVariant("\\++(") << "not a valid regular expression";
        QTest::newRow("huge level count") << "LevelCount" << QVariant(10000000) << "LevelCount must be a whole number from 1 to 100";
        QTest::newRow("size not a number") << "FontSizeValue1" << QVariant("abc") << "FontSizeValue1 must be a number";
        QTest::newRow("size nan") << "FontSizeValue1" << QVariant("nan") << "FontSizeValue1 must be a number";
        QTest::newRow("negative tolerance") << "FontSizeTolerance1" << QVariant(-0.5) << "FontSizeTolerance1 must be a number of at least 0";
        QTest::newRow("insertion mode") << "InsertionMode" << QVariant(99) << "InsertionMode must be a whole number from 0 to 2";
        QTest::newRow("no check") << "FontSizeCheck1" << QVariant(false) << "level 1: turns no check on";
    }

    // Maps the plug-in writes get the checks a hand-written file gets.
    void hostileExportsAreRefused()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, value);
        QFETCH(QString, expected);
        ActionPrefs prefs{{"LevelCount", 1}, {"FontSizeCheck1", true}, {"FontSizeValue1", 12.0}};
        prefs.insert(key, value);
        if (key.startsWith("TextMask"))
            prefs.insert("TextMaskCheck1", true);
        const QString path = mDir.filePath(QStringLiteral("hostile-%1.ini").arg(QTest::currentDataTag()));
        QSettings(path, QSettings::IniFormat).setValue("ActionPrefs", prefs);
        try {
            SettingsFile::read(path);
            QFAIL("no error");
        } catch (const HostError& error) {
            QVERIFY2(error.message().contains(expected), qPrintable(error.message()));
        }
    }

    // Opening a pipe blocks until a writer comes: it must be refused unopened.
    void pipesAreRefused()
    {
        const QString pipe = mDir.filePath("pipe");
        QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        for (const auto& open : {std::function<void()>([&] { SettingsFile::read(pipe); }),
                                 std::function<void()>([&] { OpenDocument document(pipe, QString()); })}) {
            try {
                open();
                QFAIL("a pipe was opened");
            } catch (const HostError& error) {
                QVERIFY2(error.message().contains("is not a regular file"), qPrintable(error.message()));
            }
        }
    }

    void unreadableSettingsGiveOneSentence()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        const QString path = mDir.filePath(QStringLiteral("bad-%1.ini").arg(QTest::currentDataTag()));
        if (!content.isEmpty())
            WriteText(path, content);
        try {
            SettingsFile::read(path);
            QFAIL("no error");
        } catch (const HostError& error) {
            QVERIFY2(error.message().contains(expected), qPrintable(error.message()));
            QVERIFY2(error.message().endsWith('.') && !error.message().contains('\n'), qPrintable(error.message()));
            QCOMPARE(error.exitCode(), 1);
        }
    }

    void commitReplacesTargetKeepingItsPermissions()
    {
        const QString target = mDir.filePath("replace.pdf");
        WriteText(target, "old");
        QFile::setPermissions(target, QFile::ReadOwner | QFile::ReadGroup);
        {
            AtomicSave save(target);
            QCOMPARE(QFileInfo(save.temporaryPath()).absolutePath(), mDir.path());
            QCOMPARE(ReadAll(target), QByteArray("old"));
            WriteText(save.temporaryPath(), "new");
            save.commit();
        }
        QCOMPARE(ReadAll(target), QByteArray("new"));
        const QFile::Permissions modeBits = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
            | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
        QCOMPARE(QFile::permissions(target) & modeBits, QFile::ReadOwner | QFile::ReadGroup);
        QCOMPARE(QDir(mDir.path()).entryList(QDir::Files | QDir::Hidden).filter("replace").size(), 1);
    }

    void uncommittedSaveLeavesNothing()
    {
        const QString target = mDir.filePath("untouched.pdf");
        WriteText(target, "original");
        {
            AtomicSave save(target);
            WriteText(save.temporaryPath(), "half a file");
        }
        QCOMPARE(ReadAll(target), QByteArray("original"));
        QCOMPARE(QDir(mDir.path()).entryList(QDir::Files | QDir::Hidden).filter("untouched").size(), 1);
    }

    void temporaryFilesLiveOnlyWhileSaving()
    {
        const QString target = mDir.filePath("brief.pdf");
        auto leftovers = [&] { return QDir(mDir.path()).entryList(QDir::Files | QDir::Hidden).filter("brief.pdf."); };
        // Left by a killed run, of a process that is gone: the next save removes them.
        const pid_t gone = fork();
        if (gone == 0)
            _exit(0);
        waitpid(gone, nullptr, 0);
        WriteText(mDir.filePath(QStringLiteral(".brief.pdf.%1-abcdef.part").arg(gone)), "x");
        WriteText(mDir.filePath(QStringLiteral("..brief.pdf.%1-abcdef.part.ghijkl").arg(gone)), "x");
        WriteText(mDir.filePath(QStringLiteral(".brief.pdf.%1-abcdef.part").arg(getpid())), "a save in progress");
        {
            AtomicSave save(target);
            QCOMPARE(leftovers().size(), 1);
        }
        // Ctrl-C while saving: the temporary file goes, and so does the process.
        const pid_t saver = fork();
        if (saver == 0) {
            AtomicSave save(target);
            QFile file(save.temporaryPath());
            file.open(QIODevice::WriteOnly);
            file.write("half a file");
            file.close();
            std::raise(SIGINT);
            save.commit();
            _exit(0);
        }
        int status = 0;
        waitpid(saver, &status, 0);
        QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT);
        QCOMPARE(leftovers().size(), 1);
        QVERIFY(!QFile::exists(target));
    }

    void emptyResultNeverReplacesTarget()
    {
        const QString target = mDir.filePath("kept.pdf");
        WriteText(target, "original");
        AtomicSave save(target);
        QVERIFY_EXCEPTION_THROWN(save.commit(), HostError);
        QCOMPARE(ReadAll(target), QByteArray("original"));
    }

    void unusableTargetsAreRefusedUpFront()
    {
        QVERIFY_EXCEPTION_THROWN(AtomicSave(mDir.filePath("no/such/folder/out.pdf")), HostError);
        QVERIFY_EXCEPTION_THROWN(AtomicSave(mDir.path()), HostError);
        const QString file = mDir.filePath("plain-file");
        WriteText(file, "x");
        QVERIFY_EXCEPTION_THROWN(AtomicSave(file + "/out.pdf"), HostError);
    }

    void symbolicLinkStaysALink()
    {
        const QString real = mDir.filePath("real.pdf");
        const QString link = mDir.filePath("link.pdf");
        WriteText(real, "old");
        QVERIFY(QFile::link(real, link));
        AtomicSave save(link);
        WriteText(save.temporaryPath(), "new");
        save.commit();
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(ReadAll(real), QByteArray("new"));
    }

    void outlineTextReadsWhatItWrites()
    {
        const QString text = "\"Say \\\"hi\\\" \\\\o/\" 2 closed\n  \"Child\" 3\n    \"Grandchild\" 3\n\"Next, then\" 4\n";
        const QList<OutlineItem> items = OutlineText::parse("# edited by hand\r\n\n" + text, "o");
        QCOMPARE(items.size(), 2);
        QCOMPARE(items[0].title, QStringLiteral("Say \"hi\" \\o/"));
        QVERIFY(!items[0].open);
        QCOMPARE(items[0].children[0].children[0].page, 3);
        QString written;
        QTextStream out(&written);
        OutlineText::write(items, out);
        out.flush();
        QCOMPARE(written, text);
    }

    void outlineMistakesNameTheirPlace_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("odd indent") << QByteArray("\"A\" 1\n   \"B\" 1\n") << "o, line 2: the indent is 3 blanks";
        QTest::newRow("two levels down") << QByteArray("\"A\" 1\n    \"B\" 1\n") << "o, line 2: this item is indented more";
        QTest::newRow("first indented") << QByteArray("\n  \"A\" 1\n") << "o, line 2: this item is indented more";
        QTest::newRow("tab") << QByteArray("\"A\" 1\n\t\"B\" 1\n") << "o, line 2: indent with blanks";
        QTest::newRow("no closing quote") << QByteArray("\"A 1\n") << "o, line 1: the title has no closing double quote.";
        QTest::newRow("no page") << QByteArray("\"A\"\n") << "o, line 1: a page number must follow";
        QTest::newRow("page zero") << QByteArray("\"A\" 0\n") << "o, line 1: a page number must follow";
        QTest::newRow("other escape") << QByteArray("\"A\\n\" 1\n") << "o, line 1: a backslash";
        QTest::newRow("after the page") << QByteArray("\"A\" 1 open\n") << "o, line 1: only \"closed\"";
        QTest::newRow("json syntax") << QByteArray("{\n \"outline\": [\n}\n") << "o, line 3: ";
        QTest::newRow("json title") << QByteArray("{\"outline\": [{\"page\": 1}]}") << "o, item 1: it needs a \"title\"";
        QTest::newRow("json kind") << QByteArray("[{\"title\": \"A\", \"page\": 1, \"children\": [{\"title\": \"B\", "
                                                 "\"page\": 2, \"destination\": {\"kind\": \"Zoom\"}}]}]")
                                   << "o, item 1.1: the destination kind \"Zoom\"";
        QTest::newRow("newer json") << QByteArray("{\"version\": 2, \"outline\": []}") << "newer vantora";
    }

    void outlineMistakesNameTheirPlace()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, expected);
        try {
            if (text.startsWith('{') || text.startsWith('['))
                OutlineJson::parse(text, "o");
            else
                OutlineText::parse(QString::fromUtf8(text), "o");
            QFAIL("accepted");
        } catch (const HostError& error) {
            QVERIFY2(error.message().contains(expected), qPrintable(error.message()));
        }
    }

private:
    QTemporaryDir mDir;
};

QTEST_GUILESS_MAIN(TestHostFiles)
#include "tst_hostfiles.moc"
