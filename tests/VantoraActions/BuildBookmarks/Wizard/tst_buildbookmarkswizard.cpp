// The wizard as the host uses it: loaded from the built plug-in, opened with
// ShowDialogProc and driven by object name from the dialog's own event loop.
#include "bookmarkselectionrec.h"
#include "testing.h"
#include "wizardtesting.h"

#include <QLabel>

namespace {

void ClickRow(QWidget* d, int row)
{
    QTableWidget* table = LevelTable(d);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(table->item(row, 0)).center());
}

QDoubleSpinBox* Spin(QWidget* d, const char* name)
{
    return Child<QDoubleSpinBox>(d, name);
}

} // namespace

class TestBuildBookmarksWizard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        LoadAction(loader, action);
    }

    void modalEmptyMapAccepted()
    {
        Prefs prefs;
        QCOMPARE(ShowModal(action, prefs,
                           [](QWidget* d) {
                               QCOMPARE(Child<QStackedWidget>(d, "stackedWidget")->currentIndex(), 2);
                               QCOMPARE(d->windowTitle(), QStringLiteral("Build Bookmarks"));
                               QVERIFY(!Child<QWidget>(d, "page3RemoveButton")->isEnabled());
                               QVERIFY(!Child<QWidget>(d, "page3MagnificationSpinBox")->isEnabled());
                               Click(d, "page3FinishButton");
                           }),
                 1);
        QCOMPARE(prefs, (Prefs{{"NthChecked", false}, {"MultiChecked", true}, {"NthPage", 2}, {"LevelCount", 0},
                               {"InsertionMode", 0}, {"ZoomSettings", 0}, {"ZoomValue", 100}, {"CollapseBookmarks", true},
                               {"ExactText", false}, {"ActionName", "Bookmarks by Content"}}));
    }

    void modalCancelLeavesMapAlone_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Close") << "page3CloseButton";
        QTest::newRow("header close button") << "vantoraHeaderCloseBtn";
        QTest::newRow("Escape") << "";
    }

    void modalCancelLeavesMapAlone()
    {
        QFETCH(QString, how);
        Prefs prefs = {{"LevelCount", 1}, {"FontNameCheck1", true}, {"Properties1", "Arial"}};
        const Prefs before = prefs;
        QCOMPARE(ShowModal(action, prefs,
                           [how](QWidget* d) {
                               AddLevel(d, WizardLevel{9, "", "Courier", 3});
                               if (how.isEmpty())
                                   QTest::keyClick(d, Qt::Key_Escape);
                               else
                                   QVERIFY(Click(d, qPrintable(how)));
                           }),
                 0);
        QCOMPARE(prefs, before);
    }

    void levelsKeepTheirOwnColourAndUnit()
    {
        Prefs prefs;
        ShowModal(action, prefs, [](QWidget* d) {
            AddLevel(d, WizardLevel{14, "first", "Arial-Bold", 3, 1, 1, 0.1});
            AddLevel(d, WizardLevel{0, "^[0-9]", "", 10, 0, 10, 1});
            QCOMPARE(LevelTable(d)->item(1, 0)->text(), QStringLiteral("Level 2"));
            // The editor now shows millimetres; editing level 1 shows its own inches.
            ClickRow(d, 0);
            QVERIFY(Click(d, "page3EditButton"));
            QCOMPARE(Child<QComboBox>(d, "intendationUnitComboBox")->currentText(), QStringLiteral("inch"));
            QCOMPARE(Spin(d, "intendationDoubleSpinBox")->value(), 1.0);
            Child<QLineEdit>(d, "maskLineEdit")->setText("edited");
            QVERIFY(Click(d, "page4CancelButton"));
            // After a cancelled edit, "OK" adds rather than overwrites.
            AddLevel(d, WizardLevel{0, "third"});
            QVERIFY(Click(d, "page3FinishButton"));
        });
        QCOMPARE(Only(prefs, {"LevelCount", "FontNameCombo1", "FontColor1", "ColorInHex1", "LeftIndentUnits1",
                              "LeftIndentToPoints1", "LeftIndentToleranceToPoints1", "TextMaskEdit1", "Properties1",
                              "FontNameCheck2", "FontColor2", "ColorInHex2", "LeftIndentUnits2", "LeftIndentToPoints2",
                              "LeftIndentToleranceToPoints2", "Properties2", "TextMaskEdit3", "CurUnit1", "CurUnit3"}),
                 (Prefs{{"LevelCount", 3}, {"FontNameCombo1", "Arial-Bold"}, {"FontColor1", 3}, {"ColorInHex1", "#ff0000"},
                        {"LeftIndentUnits1", 1}, {"LeftIndentToPoints1", 72.0}, {"LeftIndentToleranceToPoints1", 0.1 * 72},
                        {"TextMaskEdit1", "first"},
                        {"Properties1", "Arial-Bold, size: 14, tolerance: 0.5, color: Red, indentation: 1inch, "
                                        "tolerance: 0.1, text mask: first"},
                        {"FontNameCheck2", false}, {"FontColor2", 10}, {"ColorInHex2", "#0a141e"}, {"LeftIndentUnits2", 0},
                        {"LeftIndentToPoints2", 10 / 25.4 * 72}, {"LeftIndentToleranceToPoints2", 1 / 25.4 * 72},
                        {"Properties2", "color: Custom..., indentation: 10mm, tolerance: 1, text mask: ^[0-9]"},
                        {"TextMaskEdit3", "third"},
                        // The unit the editor showed last, for every level.
                        {"CurUnit1", 1}, {"CurUnit3", 1}}));
    }

    void removeTakesLaterLevels_data()
    {
        QTest::addColumn<int>("row");
        QTest::newRow("first of three") << 0;
        QTest::newRow("second of three") << 1;
        QTest::newRow("last of three") << 2;
    }

    void removeTakesLaterLevels()
    {
        QFETCH(int, row);
        Prefs prefs;
        ShowModal(action, prefs, [row](QWidget* d) {
            for (const char* mask : {"one", "two", "three"})
                AddLevel(d, WizardLevel{0, mask});
            QVERIFY(!Child<QWidget>(d, "page3RemoveButton")->isEnabled());
            ClickRow(d, row);
            QVERIFY(Click(d, "page3RemoveButton"));
            QVERIFY(Click(d, "page3FinishButton"));
        });
        QCOMPARE(prefs.value("LevelCount").toInt(), row);
        QCOMPARE(prefs.value("TextMaskEdit1"), row > 0 ? QVariant("one") : QVariant());
        QVERIFY(!prefs.contains("TextMaskEdit3"));
    }

    void loadedMapIsNormalisedAndKept()
    {
        Prefs prefs = {
            {"MultiChecked", false}, {"InsertionMode", 2}, {"ZoomSettings", 1}, {"ZoomValue", 150}, {"LevelCount", 2},
            {"FontSizeValue1", "12.5"}, {"FontSizeCheck1", "true"}, {"Properties1", "size: 12.5"},
            {"FontColorCheck2", 1}, {"ColorInHex2", QColor(255, 0, 0)}, {"FontNameCheck3", true}, {"Unrelated", "kept"},
        };
        ShowModal(action, prefs, [](QWidget* d) {
            QCOMPARE(LevelTable(d)->rowCount(), 2);
            QCOMPARE(LevelTable(d)->item(0, 1)->text(), QStringLiteral("size: 12.5"));
            QCOMPARE(LevelTable(d)->item(1, 1)->text(), QString());
            QVERIFY(Child<QWidget>(d, "page3MagnificationSpinBox")->isEnabled());
            QVERIFY(Click(d, "page3FinishButton"));
        });
        QCOMPARE(Only(prefs, {"MultiChecked", "InsertionMode", "ZoomValue", "FontSizeValue1", "FontSizeCheck1",
                              "FontColorCheck2", "ColorInHex2", "Properties2", "FontNameCheck3", "Unrelated"}),
                 (Prefs{{"MultiChecked", true}, {"InsertionMode", 2}, {"ZoomValue", 150}, {"FontSizeValue1", 12.5},
                        {"FontSizeCheck1", true}, {"FontColorCheck2", true}, {"ColorInHex2", "#ff0000"},
                        {"Properties2", QString()}, {"FontNameCheck3", true}, {"Unrelated", "kept"}}));
    }

    void selectionPrefillsEditor_data()
    {
        QTest::addColumn<QString>("font");
        QTest::addColumn<QColor>("color");
        QTest::addColumn<QString>("expectedFont");
        QTest::addColumn<QString>("expectedColorText");
        QTest::addColumn<QString>("expectedHex");
        QTest::newRow("quoted name with style, named colour")
            << "\"Arial,Bold" << QColor(Qt::red) << "Arial-Bold" << "Red" << "#ff0000";
        QTest::newRow("plain name, custom colour")
            << "Times New Roman" << QColor(10, 20, 30) << "Times New Roman" << "Custom..." << "#0a141e";
        QTest::newRow("two commas, near-orange is custom")
            << "Helvetica,Bold,Oblique" << QColor(255, 128, 0) << "Helvetica-Bold-Oblique" << "Custom..." << "#ff8000";
    }

    void selectionPrefillsEditor()
    {
        QFETCH(QString, font);
        QFETCH(QColor, color);
        Prefs prefs;
        ShowModal(action, prefs, [&](QWidget* d) {
            QVERIFY(Click(d, "page3AddButton"));
            Child<QAbstractButton>(d, "fontColorCheckBox")->setChecked(true);
            Child<QAbstractButton>(d, "leftIndentationCheckBox")->setChecked(true);
            Child<QComboBox>(d, "intendationUnitComboBox")->setCurrentIndex(0);
            Spin(d, "intendationToleranceDoubleSpinBox")->setValue(2.54);
            PDBookmarkSelectionRec selection;
            selection.fontName = font;
            selection.fontSize = 13.5;
            selection.color = color.rgba();
            selection.left = 72;
            // Queued, as a host on another object's signal would deliver it.
            QVERIFY(QMetaObject::invokeMethod(d, "on_ReceiveParameters", Qt::QueuedConnection,
                                              Q_ARG(PDBookmarkSelectionRec, selection)));
            QCoreApplication::processEvents();
            QTEST(Child<QComboBox>(d, "fontNameComboBox")->currentText(), "expectedFont");
            QCOMPARE(Spin(d, "fontSizeDoubleSpinBox")->value(), 13.5);
            QTEST(Child<QComboBox>(d, "fontColorComboBox")->currentText(), "expectedColorText");
            QCOMPARE(Spin(d, "intendationDoubleSpinBox")->value(), 25.4);
            QCOMPARE(Spin(d, "intendationToleranceDoubleSpinBox")->value(), 2.54);
            QCOMPARE(Child<QLabel>(d, "unitLabel")->text(), QStringLiteral("mm"));
            // Another unit converts both fields and the label.
            Child<QComboBox>(d, "intendationUnitComboBox")->setCurrentIndex(1);
            QCOMPARE(Spin(d, "intendationDoubleSpinBox")->value(), 1.0);
            QCOMPARE(Spin(d, "intendationToleranceDoubleSpinBox")->value(), 0.1);
            QCOMPARE(Child<QLabel>(d, "unitLabel")->text(), QStringLiteral("inch"));
            QVERIFY(Click(d, "page4OkButton"));
            QVERIFY(Click(d, "page3FinishButton"));
        });
        QFETCH(QString, expectedFont);
        QFETCH(QString, expectedHex);
        QCOMPARE(Only(prefs, {"FontNameCombo1", "ColorInHex1", "LeftIndentToPoints1"}),
                 (Prefs{{"FontNameCombo1", expectedFont}, {"ColorInHex1", expectedHex}, {"LeftIndentToPoints1", 72.0}}));
    }

private:
    QPluginLoader loader;
    CActionInterface* action = nullptr;
};

VANTORA_DIALOG_TEST_MAIN(TestBuildBookmarksWizard)
#include "tst_buildbookmarkswizard.moc"
