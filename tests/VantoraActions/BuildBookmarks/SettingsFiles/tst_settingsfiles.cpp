// The wizard's settings files, driven through the built plug-in: Export and
// Import, foreign files, the header buttons' action lists and favourites as
// the host reads them, and vantora settings edit.
#include "hosterror.h"
#include "settingseditcommand.h"
#include "settingssources.h"
#include "testing.h"
#include "wizardtesting.h"

#include <QMessageBox>
#include <QSettings>
#include <QSpinBox>
#include <QToolButton>

namespace {

void Import(QWidget* d, const QString& path)
{
    AnswerFileDialog(path);
    QVERIFY(Click(d, "importButton"));
}

} // namespace

class TestSettingsFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(work.isValid());
        LoadAction(loader, action);
    }

    void exportThenImport()
    {
        const QString path = Path("three levels.ini");
        QStringList before;
        Prefs first, second;
        ShowModal(action, first, [&](QWidget* d) {
            AddLevel(d, {20, "^1", "", 3, 0, 10});
            AddLevel(d, {14, "", "", -1, 1, 10});
            Child<QComboBox>(d, "page3InsertionComboBox")->setCurrentIndex(1);
            Child<QComboBox>(d, "page3MagnificationComboBox")->setCurrentIndex(1);
            Child<QSpinBox>(d, "page3MagnificationSpinBox")->setValue(150);
            Child<QAbstractButton>(d, "page3CollapseBmkCheckBox")->setChecked(false);
            Child<QAbstractButton>(d, "page3BmkExactTextCheckBox")->setChecked(true);
            before = LevelRows(d);
            AnswerFileDialog(path);
            QVERIFY(Click(d, "exportButton"));
            QVERIFY(Click(d, "page3FinishButton"));
        });
        // Only what a run reads: no summaries, no units of the editor, no name.
        const Prefs file = QSettings(path, QSettings::IniFormat).value("ActionPrefs").toMap();
        for (const QString& key : file.keys())
            QVERIFY2(!key.startsWith("Properties") && !key.startsWith("CurUnit") && key != "ActionName", qPrintable(key));

        // Imported into a wizard that has other levels and options.
        ShowModal(action, second, [&](QWidget* d) {
            AddLevel(d, {30});
            Child<QSpinBox>(d, "page2NthPageSpinBox")->setValue(7);
            Import(d, path);
            // The imported colour criterion stays in the map but not in the editor.
            QCOMPARE(LevelRows(d), QStringList({before[0].remove("color: Red, "), before[1]}));
            QCOMPARE(Child<QComboBox>(d, "page3MagnificationComboBox")->currentIndex(), 1);
            QVERIFY(Click(d, "page3FinishButton"));
        });
        for (const char* key : {"Properties1", "Properties2", "CurUnit1", "CurUnit2", "NthPage"}) {
            first.remove(key);
            second.remove(key);
        }
        QCOMPARE(second, first);
    }

    void foreignFileInPoints()
    {
        const QString path = Path("foreign.ini");
        WriteFile(path, "##[mfontSize1][/= 18;\n[misFontSize1][/= true;\n[mfontSizeTol1][/= 0.5;\n"
                        "[misFontRectLeft2][/= true;\n[mrectLeft2][/= 36;\n[mmask2][/= \"^Chapter\";\n"
                        "[misFontMask2][/= true;\n[mfontColorSpace2][/= 1;\n[mfontColorValue02][/= 1.0;\n"
                        "[mbuilderInsertion1][/= 2;\n</end>\n[mfontSize3][/= 9;\n");
        Prefs prefs;
        ShowModal(action, prefs, [&](QWidget* d) {
            Import(d, path);
            QCOMPARE(LevelRows(d), (QStringList{"Level 1 | size: 18, tolerance: 0.5",
                                           "Level 2 | indentation: 36points, tolerance: 0, text mask: ^Chapter"}));
            QCOMPARE(Child<QComboBox>(d, "page3InsertionComboBox")->currentIndex(), 2);
            QVERIFY(Click(d, "page3FinishButton"));
        });
        QCOMPARE(prefs.value("LevelCount"), QVariant(2));
        QCOMPARE(prefs.value("ColorInHex2").toString(), QStringLiteral("#ff0000"));
        QCOMPARE(prefs.value("LeftIndentToPoints2").toDouble(), 36.0);
        QCOMPARE(prefs.value("LeftIndentUnits2"), QVariant(2));
    }

    void unusableFileKeepsTheLevels_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");  // empty: the file dialog is cancelled
        QTest::newRow("plain text") << QByteArray("Just some notes.\nNothing else.\n") << "holds no bookmark settings";
        QTest::newRow("empty") << QByteArray() << "holds no bookmark settings";
        QTest::newRow("settings not a map") << QByteArray("[General]\nActionPrefs=7\n") << "damaged";
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << "holds no bookmark settings";
        QTest::newRow("cancelled") << QByteArray() << "";
    }

    void unusableFileKeepsTheLevels()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        const QString path = Path("unusable.ini");
        WriteFile(path, content);
        Prefs prefs;
        ShowModal(action, prefs, [&](QWidget* d) {
            AddLevel(d, {20});
            const QStringList before = LevelRows(d);
            QString shown;
            WhenModal("QMessageBox", [&](QWidget* box) {
                shown = static_cast<QMessageBox*>(box)->text();
                box->close();
            });
            Import(d, message.isEmpty() ? QString() : path);
            QVERIFY2(shown.contains(message), qPrintable(shown));
            QCOMPARE(LevelRows(d), before);
            QVERIFY(Click(d, "page3FinishButton"));
        });
        QCOMPARE(prefs.value("FontSizeValue1"), QVariant(20.0));
    }

    void headerButtonsKeepTheWizardsSettings()
    {
        // Saved as an action list step, then as a favourite, which ends the wizard.
        Prefs finished;
        ShowModal(action, finished, [&](QWidget* d) {
            AddLevel(d, {20, "^\\d+ "});
            AddLevel(d, {14, "^\\d+\\.\\d+ "});
            WhenModal("CSaveAsActionlistDialog", [](QWidget* save) {
                QTest::keyClicks(Child<QLineEdit>(save, "actionListNameLineEdit"), "Manual outline");
                QVERIFY(Click(save, "saveButton"));
            });
            QVERIFY(Click(d, "VDtoolbarAddToActionListButton"));
            WhenModal("CSaveAsCollectionDialog", [](QWidget* save) {
                QVERIFY(!Child<QToolButton>(save, "icon_toolButton")->icon().isNull());
                QTest::keyClicks(Child<QLineEdit>(save, "collectionNameLineEdit"), "Manual outline");
                QVERIFY(Click(save, "saveButton"));
            });
            QVERIFY(Click(d, "VDtoolbarAddToCollectionsButton"));
        });
        QVERIFY(finished.isEmpty());
        // Whatever the form, the host reads the levels the wizard had.
        const QString data = qEnvironmentVariable("XDG_DATA_HOME") + "/lumex software/RUZ Irida/";
        for (const QString& file : {data + "Actions/Manual_outline.xqq", data + "Settings/Favorites/Manual outline.ini"}) {
            const QList<Prefs> maps = SettingsSources::Read(file).maps;
            QCOMPARE(maps.size(), 1);
            QCOMPARE(maps.first().value("LevelCount"), QVariant(2));
            QCOMPARE(maps.first().value("TextMaskEdit2"), QVariant("^\\d+\\.\\d+ "));
        }
    }

    void cancelledEditLeavesFileAlone_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::newRow("existing export") << true;
        QTest::newRow("no file yet") << false;
    }

    void cancelledEditLeavesFileAlone()
    {
        QFETCH(bool, exists);
        const QString settings = Path(exists ? "kept.ini" : "never.ini");
        if (exists)
            QSettings(settings, QSettings::IniFormat).setValue("ActionPrefs", Prefs{{"LevelCount", 1}});
        const QByteArray before = ReadFile(settings);
        QCOMPARE(Edit(settings,
                      [](QWidget* d) {
                          AddLevel(d, {9, "x"});
                          QVERIFY(Click(d, "page3CloseButton"));
                      }),
                 int(HostError::Failure));
        QCOMPARE(ReadFile(settings), before);
    }

    void editRefusesOtherFiles_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("hand-written settings") << QStringList{"settings", "edit", "hand.ini"} << int(HostError::Failure);
        QTest::newRow("no subcommand") << QStringList{"settings"} << int(HostError::Usage);
        QTest::newRow("unknown subcommand") << QStringList{"settings", "show", "a.ini"} << int(HostError::Usage);
        QTest::newRow("no file") << QStringList{"settings", "edit"} << int(HostError::Usage);
        QTest::newRow("two files") << QStringList{"settings", "edit", "a.ini", "b.ini"} << int(HostError::Usage);
        QTest::newRow("option of run") << QStringList{"settings", "edit", "--nth", "2", "a.ini"} << int(HostError::Usage);
        QTest::newRow("--plugin without value") << QStringList{"settings", "edit", "a.ini", "--plugin"}
                                                << int(HostError::Usage);
    }

    void editRefusesOtherFiles()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QDir::setCurrent(work.path());
        WriteFile("hand.ini", "[BookmarksByContent]\nInsertionMode=0\n[Level1]\nFontSizeCheck=true\n");
        const QByteArray before = ReadFile("hand.ini");
        QVERIFY(SettingsEditCommand::isRequested(arguments));
        try {
            QString output;
            QTextStream out(&output);
            SettingsEditCommand(arguments).execute(out);
            QFAIL("the command ran");
        } catch (const HostError& error) {
            QCOMPARE(error.exitCode(), exitCode);
            QVERIFY(exitCode == HostError::Usage || error.message().contains("not a settings export"));
        }
        QCOMPARE(ReadFile("hand.ini"), before);
    }

private:
    int Edit(const QString& file, std::function<void(QWidget*)> step)
    {
        WhenModal("CPrefsDialog", std::move(step));
        QString output;
        QTextStream out(&output);
        return SettingsEditCommand({"settings", "edit", "--plugin", BinFile("libBuildBookmarks.so"), file}).execute(out);
    }

    QString Path(const QString& name) const { return work.filePath(name); }

    QPluginLoader loader;
    CActionInterface* action = nullptr;
    QTemporaryDir work;
};

VANTORA_DIALOG_TEST_MAIN(TestSettingsFiles)
#include "tst_settingsfiles.moc"
