// vantora settings edit, and settings made in the wizard and kept every way
// the wizard keeps them (finished, exported, imported back, an action list
// step, a favourite, a tool settings file, and the same levels from a foreign
// file): all run through vantora and give the same bookmarks.

#include "hosterror.h"
#include "samplepdf.h"
#include "settingseditcommand.h"
#include "testing.h"
#include "vantoracommands.h"
#include "wizardtesting.h"

#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolButton>

namespace {

// A level by font size and a text mask, as a user sets it in the editor.
void AddLevel(QWidget* d, double size, const QString& mask)
{
    QVERIFY(Click(d, "page3AddButton"));
    Child<QAbstractButton>(d, "fontNameCheckBox")->setChecked(false);
    Child<QAbstractButton>(d, "FontSizeCheckBox")->setChecked(true);
    Child<QDoubleSpinBox>(d, "fontSizeDoubleSpinBox")->setValue(size);
    Child<QDoubleSpinBox>(d, "fontToleranceDoubleSpinBox")->setValue(0.5);
    Child<QAbstractButton>(d, "textMaskCheckBox")->setChecked(true);
    Child<QLineEdit>(d, "maskLineEdit")->setText(mask);
    QVERIFY(Click(d, "page4OkButton"));
}

// The same two levels in the foreign line format.
const char* const ForeignLevels = "##[misFontSize1][/= true;\n"
                                  "[mfontSize1][/= 20;\n"
                                  "[mfontSizeTol1][/= 0.5;\n"
                                  "[misFontMask1][/= true;\n"
                                  "[mmask1][/= \"^\\d+ \";\n"
                                  "[misFontSize2][/= true;\n"
                                  "[mfontSize2][/= 14;\n"
                                  "[mfontSizeTol2][/= 0.5;\n"
                                  "[misFontMask2][/= true;\n"
                                  "[mmask2][/= \"^\\d+\\.\\d+ \";\n";

} // namespace

class TestSettingsFilesRun : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everySavedFormRunsTheSame();
    void cancelLeavesFileAlone_data();
    void cancelLeavesFileAlone();
    void handWrittenFileStaysHandWritten();

private:
    int Edit(const QString& file, std::function<void(QWidget*)> step);
    QString Outline(const QString& settings);
    QString Path(const QString& name) const { return work.filePath(name); }

    QString dataFolder;
    QTemporaryDir work;
};

void TestSettingsFilesRun::initTestCase()
{
    QVERIFY(work.isValid());
    dataFolder = qEnvironmentVariable("XDG_DATA_HOME") + "/lumex software/RUZ Irida/";

    SamplePdf manual;
    const QFont body("DejaVu Sans", 10);
    const QFont chapter("DejaVu Sans", 20);
    const QFont section("DejaVu Sans", 14);
    manual.drawText(1, {72, 100}, "1 Getting started", chapter);
    manual.drawText(1, {72, 140}, "Some words of body text.", body);
    manual.drawText(1, {72, 180}, "1.1 Installing", section);
    manual.drawText(2, {72, 100}, "2 Daily use", chapter);
    manual.drawText(2, {72, 140}, "2.1 Opening documents", section);
    manual.drawText(2, {72, 180}, "2.2 Printing", section);
    QVERIFY(manual.write(Path("manual.pdf")));
}

int TestSettingsFilesRun::Edit(const QString& file, std::function<void(QWidget*)> step)
{
    WhenModal("CPrefsDialog", std::move(step));
    QString output;
    QTextStream out(&output);
    SettingsEditCommand command(
        VantoraCommands::parse({"settings", "edit", "--plugin", BinFile("libBuildBookmarks.so"), file}));
    return command.execute(out);
}

QString TestSettingsFilesRun::Outline(const QString& settings)
{
    const QString output = Path("out-" + QFileInfo(settings).completeBaseName() + ".pdf");
    QProcess vantora;
    vantora.setProcessChannelMode(QProcess::MergedChannels);
    vantora.start(BinFile("vantora"), {"run", "--settings", settings, Path("manual.pdf"), "-o", output});
    vantora.waitForFinished(60000);
    if (vantora.exitCode() != 0)
        return "run failed: " + QString::fromUtf8(vantora.readAll());
    vantora.start(BinFile("vantora"), {"outline", output});
    vantora.waitForFinished(60000);
    return QString::fromUtf8(vantora.readAll());
}

void TestSettingsFilesRun::everySavedFormRunsTheSame()
{
    // Made in the wizard: finished, exported, saved as an action list step.
    QCOMPARE(Edit(Path("finished.ini"),
                  [&](QWidget* d) {
                      AddLevel(d, 20, "^\\d+ ");
                      AddLevel(d, 14, "^\\d+\\.\\d+ ");
                      AnswerFileDialog(Path("exported.ini"));
                      QVERIFY(Click(d, "exportButton"));
                      WhenModal("CSaveAsActionlistDialog", [](QWidget* save) {
                          QTest::keyClicks(Child<QLineEdit>(save, "actionListNameLineEdit"), "Manual outline");
                          QVERIFY(Click(save, "saveButton"));
                      });
                      QVERIFY(Click(d, "VDtoolbarAddToActionListButton"));
                      QVERIFY(Click(d, "page3FinishButton"));
                  }),
             0);

    // Imported back into a new wizard and finished there.
    QCOMPARE(Edit(Path("imported.ini"),
                  [&](QWidget* d) {
                      AnswerFileDialog(Path("exported.ini"));
                      QVERIFY(Click(d, "importButton"));
                      QVERIFY(Click(d, "page3FinishButton"));
                  }),
             0);

    // Kept as a favourite, and as a tool settings file; both end the wizard,
    // which then writes nothing.
    Edit(Path("unused.ini"), [&](QWidget* d) {
        AnswerFileDialog(Path("exported.ini"));
        QVERIFY(Click(d, "importButton"));
        WhenModal("CSaveAsCollectionDialog", [](QWidget* save) {
            QVERIFY(!Child<QToolButton>(save, "icon_toolButton")->icon().isNull());
            QTest::keyClicks(Child<QLineEdit>(save, "collectionNameLineEdit"), "Manual outline");
            QVERIFY(Click(save, "saveButton"));
        });
        QVERIFY(Click(d, "VDtoolbarAddToCollectionsButton"));
    });
    Edit(Path("unused.ini"), [&](QWidget* d) {
        AnswerFileDialog(Path("exported.ini"));
        QVERIFY(Click(d, "importButton"));
        WhenModal("CSaveAsCollectionDialog", [&](QWidget* save) {
            AnswerFileDialog(Path("tool.tsf"));
            QVERIFY(Click(save, "saveSettingsToFileButton"));
        });
        QVERIFY(Click(d, "VDtoolbarAddToCollectionsButton"));
    });
    QVERIFY(!QFile::exists(Path("unused.ini")));

    // The same levels from a foreign file, through the wizard's Import.
    WriteFile(Path("foreign.txt"), ForeignLevels);
    QCOMPARE(Edit(Path("from-foreign.ini"),
                  [&](QWidget* d) {
                      AnswerFileDialog(Path("foreign.txt"));
                      QVERIFY(Click(d, "importButton"));
                      QVERIFY(Click(d, "page3FinishButton"));
                  }),
             0);

    const Prefs finished = QSettings(Path("finished.ini"), QSettings::IniFormat).value("ActionPrefs").toMap();
    QCOMPARE(finished.value("LevelCount").toInt(), 2);
    QCOMPARE(finished.value("TextMaskEdit2").toString(), QStringLiteral("^\\d+\\.\\d+ "));

    // Each title once, in page order, sections indented under their chapter.
    const QString expected = Outline(Path("finished.ini"));
    const QStringList titles{"1 Getting started", "1.1 Installing", "2 Daily use", "2.1 Opening documents",
                             "2.2 Printing"};
    QStringList lines;
    for (const QString& line : expected.split('\n'))
        for (const QString& title : titles)
            if (line.contains(title))
                lines << line;
    QVERIFY2(lines.size() == titles.size(), qPrintable(expected));
    for (int i = 0; i < titles.size(); ++i)
        QVERIFY2(lines[i].contains(titles[i]), qPrintable(expected));
    auto indent = [](const QString& line) { return line.indexOf(QRegularExpression("\\d")); };
    QVERIFY2(indent(lines[1]) > indent(lines[0]) && indent(lines[3]) > indent(lines[2]), qPrintable(expected));
    QVERIFY2(!expected.contains("body text"), qPrintable(expected));

    const QStringList others{Path("exported.ini"),
                             Path("imported.ini"),
                             dataFolder + "Actions/Manual_outline.xqq",
                             dataFolder + "/Settings/Favorites/Manual outline.ini",
                             Path("tool.tsf"),
                             Path("from-foreign.ini")};
    const QImage icon = QSettings(others.at(3), QSettings::IniFormat).value("ActionIcon").value<QImage>();
    QCOMPARE(icon.size(), QSize(42, 42));
    for (const QString& settings : others) {
        QVERIFY2(QFile::exists(settings), qPrintable(settings));
        QCOMPARE(Outline(settings), expected);
        // Shown as a hand-written file, the settings run the same.
        QProcess show;
        show.start(BinFile("vantora"), {"settings", "show", settings});
        QVERIFY(show.waitForFinished(60000) && show.exitCode() == 0);
        const QString shown = Path("shown-" + QFileInfo(settings).completeBaseName() + ".ini");
        WriteFile(shown, show.readAllStandardOutput());
        QCOMPARE(Outline(shown), expected);
    }
}

void TestSettingsFilesRun::cancelLeavesFileAlone_data()
{
    QTest::addColumn<bool>("exists");
    QTest::newRow("existing export") << true;
    QTest::newRow("no file yet") << false;
}

void TestSettingsFilesRun::cancelLeavesFileAlone()
{
    QFETCH(bool, exists);
    const QString settings = Path(exists ? "kept.ini" : "never.ini");
    if (exists) {
        QSettings file(settings, QSettings::IniFormat);
        file.setValue("ActionPrefs", Prefs{{"LevelCount", 1}, {"FontSizeCheck1", true},
                                           {"FontSizeValue1", 18.0}, {"Properties1", "size: 18"}});
    }
    const QByteArray before = ReadFile(settings);

    const int result = Edit(settings, [](QWidget* d) {
        AddLevel(d, 9, "x");
        QVERIFY(Click(d, "page3CloseButton"));
    });
    QCOMPARE(result, int(HostError::Failure));
    QCOMPARE(ReadFile(settings), before);
}

void TestSettingsFilesRun::handWrittenFileStaysHandWritten()
{
    const QString settings = Path("handwritten.ini");
    WriteFile(settings, "[BookmarksByContent]\n[Level1]\nFontSizeCheck=true\nFontSizeValue=20\n"
                        "TextMaskCheck=true\nTextMaskEdit=\"^\\\\d+ \"\n");
    const QString before = Outline(settings);
    QVERIFY2(before.contains("2 Daily use"), qPrintable(before));
    QCOMPARE(Edit(settings, [](QWidget* d) { QVERIFY(Click(d, "page3FinishButton")); }), 0);
    const QByteArray text = ReadFile(settings);
    QVERIFY2(text.contains("[Level1]") && !text.contains("ActionPrefs"), text.constData());
    QCOMPARE(Outline(settings), before);
}

VANTORA_DIALOG_TEST_MAIN(TestSettingsFilesRun)

#include "tst_settingsfilesrun.moc"
