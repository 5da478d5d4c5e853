// The wizard's settings files, driven through the built plug-in: Export and
// Import, foreign files, the header buttons' action lists and favourites as
// the host reads them, and vantora settings edit.
#include "hosterror.h"
#include "settingseditcommand.h"
#include "settingssources.h"
#include "testing.h"
#include "vantoracommands.h"
#include "wizardtesting.h"

#include <QPointer>
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

        // Imported into a wizard that has other levels and options: a third
        // level must not outlive the import.
        ShowModal(action, second, [&](QWidget* d) {
            AddLevel(d, {30});
            AddLevel(d, {26});
            AddLevel(d, {22});
            Child<QSpinBox>(d, "page2NthPageSpinBox")->setValue(7);
            Import(d, path);
            // The imported colour criterion stays in the map but not in the editor.
            QCOMPARE(LevelRows(d), QStringList({before[0].remove("color: Red, "), before[1]}));
            QCOMPARE(Child<QComboBox>(d, "page3MagnificationComboBox")->currentIndex(), 1);
            AnswerFileDialog(Path("again.ini"));
            QVERIFY(Click(d, "exportButton"));
            QVERIFY(Click(d, "page3FinishButton"));
        });
        QVERIFY(!QSettings(Path("again.ini"), QSettings::IniFormat).value("ActionPrefs").toMap().contains("FontSizeValue3"));
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
                                           "Level 2 | indentation: 36mm, tolerance: 0, text mask: ^Chapter"}));
            QCOMPARE(Child<QComboBox>(d, "page3InsertionComboBox")->currentIndex(), 2);
            QVERIFY(Click(d, "page3FinishButton"));
        });
        QCOMPARE(prefs.value("LevelCount"), QVariant(2));
        QCOMPARE(prefs.value("ColorInHex2").toString(), QStringLiteral("#ff0000"));
        QCOMPARE(prefs.value("LeftIndentToPoints2").toDouble(), 36.0);
    }

    void unusableFileImportsSilently_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("levels");  // -1: the file dialog is cancelled
        QTest::newRow("plain text") << QByteArray("Just some notes.\nNothing else.\n") << 0;
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("settings not a map") << QByteArray("[General]\nActionPrefs=7\n") << 0;
        QTest::newRow("unknown foreign entry") << QByteArray("##(mSomethingElse2)[/= 1;\n") << 2;
        QTest::newRow("cancelled") << QByteArray() << -1;
    }

    // The levels become what the file brings, even nothing, and no message
    // interrupts the user; only a cancelled choice keeps them.
    void unusableFileImportsSilently()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, levels);
        const QString path = Path("unusable.ini");
        WriteFile(path, content);
        Prefs prefs;
        ShowModal(action, prefs, [&](QWidget* d) {
            AddLevel(d, {20});
            bool reported = false;
            QPointer<ModalStep> message = new ModalStep("QMessageBox", [&](QWidget* box) {
                reported = true;
                box->close();
            });
            Import(d, levels < 0 ? QString() : path);
            delete message.data();
            QVERIFY(!reported);
            QCOMPARE(LevelRows(d).size(), levels < 0 ? 1 : levels);
            QVERIFY(Click(d, "page3FinishButton"));
        });
        QCOMPARE(prefs.value("LevelCount"), QVariant(levels < 0 ? 1 : levels));
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

    // A hand-written file comes back hand-written, with the same levels.
    void handWrittenFileStaysHandWritten()
    {
        const QString settings = Path("hand.ini");
        WriteFile(settings, "[BookmarksByContent]\n[Level1]\nFontSizeCheck=true\nFontSizeValue=20\n"
                            "TextMaskCheck=true\nTextMaskEdit=\"^\\\\d+ \"\n");
        const Prefs before = SettingsSources::Read(settings).maps.first();
        QCOMPARE(Edit(settings, [](QWidget* d) { QVERIFY(Click(d, "page3FinishButton")); }), 0);
        const QByteArray text = ReadFile(settings);
        QVERIFY2(text.contains("[Level1]") && !text.contains("ActionPrefs"), text.constData());
        const Prefs after = SettingsSources::Read(settings).maps.first();
        for (const char* key : {"LevelCount", "FontSizeCheck1", "FontSizeValue1", "TextMaskCheck1", "TextMaskEdit1"})
            QCOMPARE(after.value(key), before.value(key));
    }

private:
    int Edit(const QString& file, std::function<void(QWidget*)> step)
    {
        WhenModal("CPrefsDialog", std::move(step));
        QString output;
        QTextStream out(&output);
        SettingsEditCommand command(
            VantoraCommands::parse({"settings", "edit", "--plugin", BinFile("libBuildBookmarks.so"), file}));
        return command.execute(out);
    }

    QString Path(const QString& name) const { return work.filePath(name); }

    QPluginLoader loader;
    CActionInterface* action = nullptr;
    QTemporaryDir work;
};

VANTORA_DIALOG_TEST_MAIN(TestSettingsFiles)
#include "tst_settingsfiles.moc"
