// Settings made in the wizard and kept every way the wizard keeps them
// (finished, exported, imported back, an action list step, a favourite, a
// tool settings file, and the same levels from a foreign file) all run
// through vantora and give the same bookmarks.

#include "samplepdf.h"
#include "settingseditcommand.h"
#include "wizardtesting.h"

#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolButton>

namespace {

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

void AnswerFileDialog(const QString& path)
{
    WhenModal("QFileDialog", [path](QWidget* w) {
        w->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
        QMetaObject::invokeMethod(w, "accept"); // protected in QFileDialog
    });
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

private:
    int Edit(const QString& file, std::function<void(QWidget*)> step);
    QString Outline(const QString& settings);
    QString Path(const QString& name) const { return work.filePath(name); }

    QString binDir = qEnvironmentVariable("VANTORA_BIN_DIR");
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
    const SettingsEditCommand command({"settings", "edit", "--plugin", binDir + "/libBuildBookmarks.so", file});
    return command.execute(out);
}

QString TestSettingsFilesRun::Outline(const QString& settings)
{
    const QString output = Path("out-" + QFileInfo(settings).completeBaseName() + ".pdf");
    QProcess vantora;
    vantora.setProcessChannelMode(QProcess::MergedChannels);
    vantora.start(binDir + "/vantora", {"run", "--settings", settings, Path("manual.pdf"), "-o", output});
    vantora.waitForFinished(60000);
    if (vantora.exitCode() != 0)
        return "run failed: " + QString::fromUtf8(vantora.readAll());
    vantora.start(binDir + "/vantora", {"outline", output});
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
    {
        QFile foreign(Path("foreign.txt"));
        QVERIFY(foreign.open(QIODevice::WriteOnly));
        foreign.write(ForeignLevels);
    }
    QCOMPARE(Edit(Path("from-foreign.ini"),
                  [&](QWidget* d) {
                      AnswerFileDialog(Path("foreign.txt"));
                      QVERIFY(Click(d, "importButton"));
                      QVERIFY(Click(d, "page3FinishButton"));
                  }),
             0);

    const QString expected = Outline(Path("finished.ini"));
    for (const char* title : {"1 Getting started", "1.1 Installing", "2 Daily use", "2.1 Opening documents",
                              "2.2 Printing"})
        QVERIFY2(expected.contains(QLatin1String(title)), qPrintable(expected));
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
    }
}

int main(int argc, char** argv)
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    QApplication app(argc, argv);
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    TestSettingsFilesRun test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settingsfilesrun.moc"
