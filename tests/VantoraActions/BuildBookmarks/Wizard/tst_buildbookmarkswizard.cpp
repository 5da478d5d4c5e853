// The wizard as the host uses it: loaded from the built plug-in, opened with
// ShowDialogProc and driven by object name from the dialog's own event loop.

#include "bookmarkselectionrec.h"
#include "testing.h"
#include "wizardtesting.h"

#include <QtTest>

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QStackedWidget>
#include <QTableWidget>

#include <functional>

namespace {

int Page(QWidget* dialog)
{
    return Child<QStackedWidget>(dialog, "stackedWidget")->currentIndex();
}

QTableWidget* Table(QWidget* dialog)
{
    return Child<QTableWidget>(dialog, "page3LevelTableWidget");
}

void ClickRow(QWidget* dialog, int row)
{
    QTableWidget* table = Table(dialog);
    const QRect cell = table->visualItemRect(table->item(row, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
}

// Only the criteria a test cares about; the others are switched off.
struct Level
{
    QString font;
    double size = 0;
    double sizeTolerance = 0;
    int colorRow = -1; // -1: colour criterion off
    int unitRow = -1;  // -1: indentation criterion off
    double indent = 0;
    double indentTolerance = 0;
    QString mask;
};

void Fill(QWidget* d, const Level& level)
{
    Child<QAbstractButton>(d, "fontNameCheckBox")->setChecked(!level.font.isEmpty());
    Child<QComboBox>(d, "fontNameComboBox")->setEditText(level.font);
    Child<QAbstractButton>(d, "FontSizeCheckBox")->setChecked(level.size > 0);
    Child<QDoubleSpinBox>(d, "fontSizeDoubleSpinBox")->setValue(level.size);
    Child<QDoubleSpinBox>(d, "fontToleranceDoubleSpinBox")->setValue(level.sizeTolerance);
    Child<QAbstractButton>(d, "fontColorCheckBox")->setChecked(level.colorRow >= 0);
    if (level.colorRow >= 0)
        Child<QComboBox>(d, "fontColorComboBox")->setCurrentIndex(level.colorRow);
    Child<QAbstractButton>(d, "leftIndentationCheckBox")->setChecked(level.unitRow >= 0);
    if (level.unitRow >= 0) {
        Child<QComboBox>(d, "intendationUnitComboBox")->setCurrentIndex(level.unitRow);
        Child<QDoubleSpinBox>(d, "intendationDoubleSpinBox")->setValue(level.indent);
        Child<QDoubleSpinBox>(d, "intendationToleranceDoubleSpinBox")->setValue(level.indentTolerance);
    }
    Child<QAbstractButton>(d, "textMaskCheckBox")->setChecked(!level.mask.isEmpty());
    Child<QLineEdit>(d, "maskLineEdit")->setText(level.mask);
}

// "Add Level", fill the editor, "OK".
void AddLevel(QWidget* d, const Level& level)
{
    QVERIFY(Click(d, "page3AddButton"));
    QCOMPARE(Page(d), 3);
    Fill(d, level);
    QVERIFY(Click(d, "page4OkButton"));
    QCOMPARE(Page(d), 2);
}

// Picks "Custom..." as a user does and answers the colour dialog.
void ChooseCustomColor(QWidget* d, const QColor& color)
{
    auto* combo = Child<QComboBox>(d, "fontColorComboBox");
    WhenModal("QColorDialog", [color](QWidget* w) {
        auto* dialog = static_cast<QColorDialog*>(w);
        dialog->setCurrentColor(color);
        dialog->accept();
    });
    combo->setCurrentIndex(10);
    QMetaObject::invokeMethod(combo, "activated", Q_ARG(int, 10));
}

PDBookmarkSelectionRec Selection(const QString& font, double size, QRgb color, double left)
{
    PDBookmarkSelectionRec rec;
    rec.fontName = font;
    rec.fontSize = size;
    rec.color = color;
    rec.left = left;
    return rec;
}

} // namespace

// The host's preview window as the wizard sees it: the slots it offers,
// recording what arrives and in which order.
class HostPreviewWindow : public QWidget
{
    Q_OBJECT

public:
    HostPreviewWindow() { setObjectName(QStringLiteral("VantoraPreviewClass")); }

    QStringList received;
    Prefs finishedPrefs;

public slots:
    void on_ModelessActionDialogFinnished(QMap<QString, QVariant> prefs)
    {
        received << QStringLiteral("sendPrefsData");
        finishedPrefs = prefs;
    }
    void on_SetHeaderWidgetsEnabled(int result)
    {
        received << QStringLiteral("finished(%1)").arg(result);
    }
    void on_InitBookmarkTool(int) { received << QStringLiteral("initTool"); }
    void on_KillBookmarkTool() { received << QStringLiteral("killTool"); }
};

class TestBuildBookmarksWizard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void modalEmptyMapAccepted();
    void modalCancelLeavesMapAlone_data();
    void modalCancelLeavesMapAlone();
    void levelsKeepTheirOwnColourAndUnit();
    void editingLoadsStoredUnitAndCancelAdds();
    void removeTakesLaterLevels_data();
    void removeTakesLaterLevels();
    void unitChangeConvertsBothFields();
    void loadedMapIsNormalisedAndKept();
    void keywordFileFolderIsRemembered();
    void modelessFinishOrder();
    void modelessCloseOrder();
    void selectionPrefillsEditor_data();
    void selectionPrefillsEditor();

private:
    int ShowModal(Prefs& prefs, std::function<void(QWidget*)> step);
    QWidget* ShowModeless(HostPreviewWindow& host);

    QPluginLoader loader;
    CActionInterface* action = nullptr;
};

void TestBuildBookmarksWizard::initTestCase()
{
    LoadAction(loader, action);
}

int TestBuildBookmarksWizard::ShowModal(Prefs& prefs, std::function<void(QWidget*)> step)
{
    return ::ShowModal(action, prefs, std::move(step));
}

QWidget* TestBuildBookmarksWizard::ShowModeless(HostPreviewWindow& host)
{
    DialogLoadStruct load = {};
    load.DialogMode = 1;
    if (action->ShowDialogProc(&host, &load) != 1)
        return nullptr;
    return host.findChild<QWidget*>(QStringLiteral("BuildBookmarksPrefsDialog"));
}

void TestBuildBookmarksWizard::modalEmptyMapAccepted()
{
    Prefs prefs;
    const int result = ShowModal(prefs, [](QWidget* d) {
        QCOMPARE(Page(d), 2);
        QCOMPARE(d->windowTitle(), QStringLiteral("Build Bookmarks"));
        QVERIFY(!Child<QWidget>(d, "page3RemoveButton")->isEnabled());
        QVERIFY(!Child<QWidget>(d, "page3MagnificationSpinBox")->isEnabled());
        Click(d, "page3FinishButton");
    });
    QCOMPARE(result, 1);
    const Prefs expected = {
        {"NthChecked", false}, {"MultiChecked", true}, {"NthPage", 2},
        {"LevelCount", 0}, {"InsertionMode", 0}, {"ZoomSettings", 0},
        {"ZoomValue", 100}, {"CollapseBookmarks", true}, {"ExactText", false},
        {"ActionName", "Bookmarks by Content"},
    };
    QCOMPARE(prefs, expected);
}

void TestBuildBookmarksWizard::modalCancelLeavesMapAlone_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Close") << "page3CloseButton";
    QTest::newRow("header close button") << "vantoraHeaderCloseBtn";
    QTest::newRow("Escape") << "";
}

void TestBuildBookmarksWizard::modalCancelLeavesMapAlone()
{
    QFETCH(QString, how);
    Prefs prefs = {{"LevelCount", 1}, {"FontNameCheck1", true}, {"Properties1", "Arial"}};
    const Prefs before = prefs;
    const int result = ShowModal(prefs, [how](QWidget* d) {
        AddLevel(d, Level{"Courier", 9, 0, 3, -1, 0, 0, ""});
        if (how.isEmpty())
            QTest::keyClick(d, Qt::Key_Escape);
        else
            QVERIFY(Click(d, qPrintable(how)));
    });
    QCOMPARE(result, 0);
    QCOMPARE(prefs, before);
}

void TestBuildBookmarksWizard::levelsKeepTheirOwnColourAndUnit()
{
    Prefs prefs;
    const int result = ShowModal(prefs, [](QWidget* d) {
        AddLevel(d, Level{"Arial-Bold", 14, 0.5, 3, 0, 10, 1, ""});

        QVERIFY(Click(d, "page3AddButton"));
        Fill(d, Level{"", 0, 0, 10, 1, 1, 0.1, "^[0-9]"});
        ChooseCustomColor(d, QColor(10, 20, 30));
        QVERIFY(Click(d, "page4OkButton"));

        QCOMPARE(Table(d)->rowCount(), 2);
        QCOMPARE(Table(d)->item(1, 0)->text(), QStringLiteral("Level 2"));
        QCOMPARE(Table(d)->item(1, 1)->text(),
                 QStringLiteral("color: Custom..., indentation: 1inch, tolerance: 0.1, "
                                "text mask: ^[0-9]"));
        QVERIFY(Click(d, "page3FinishButton"));
    });
    QCOMPARE(result, 1);
    QCOMPARE(prefs.value("LevelCount").toInt(), 2);

    QCOMPARE(prefs.value("FontNameCombo1").toString(), QStringLiteral("Arial-Bold"));
    QCOMPARE(prefs.value("FontColor1").toInt(), 3);
    QCOMPARE(prefs.value("ColorInHex1").toString(), QStringLiteral("#ff0000"));
    QCOMPARE(prefs.value("LeftIndentUnits1").toInt(), 0);
    QCOMPARE(prefs.value("LeftIndentToPoints1").toDouble(), 10 / 25.4 * 72);
    QCOMPARE(prefs.value("LeftIndentToleranceToPoints1").toDouble(), 1 / 25.4 * 72);
    QCOMPARE(prefs.value("Properties1").toString(),
             QStringLiteral("Arial-Bold, size: 14, tolerance: 0.5, color: Red, "
                            "indentation: 10mm, tolerance: 1"));

    QCOMPARE(prefs.value("FontNameCheck2").toBool(), false);
    QCOMPARE(prefs.value("FontColor2").toInt(), 10);
    QCOMPARE(prefs.value("ColorInHex2").toString(), QStringLiteral("#0a141e"));
    QCOMPARE(prefs.value("LeftIndentUnits2").toInt(), 1);
    QCOMPARE(prefs.value("LeftIndentToPoints2").toDouble(), 72.0);
    QCOMPARE(prefs.value("LeftIndentToleranceToPoints2").toDouble(), 0.1 * 72);
    QCOMPARE(prefs.value("TextMaskEdit2").toString(), QStringLiteral("^[0-9]"));

    // The unit the editor showed last, for every level.
    QCOMPARE(prefs.value("CurUnit1").toInt(), 1);
    QCOMPARE(prefs.value("CurUnit2").toInt(), 1);
}

void TestBuildBookmarksWizard::editingLoadsStoredUnitAndCancelAdds()
{
    Prefs prefs;
    ShowModal(prefs, [](QWidget* d) {
        AddLevel(d, Level{"", 0, 0, -1, 0, 10, 1, "first"});
        // The editor now shows inch; the level keeps its millimetres.
        QVERIFY(Click(d, "page3AddButton"));
        Child<QComboBox>(d, "intendationUnitComboBox")->setCurrentIndex(1);
        QVERIFY(Click(d, "page4CancelButton"));

        ClickRow(d, 0);
        QVERIFY(Click(d, "page3EditButton"));
        QCOMPARE(Page(d), 3);
        QCOMPARE(Child<QComboBox>(d, "intendationUnitComboBox")->currentText(), QStringLiteral("mm"));
        QCOMPARE(Child<QDoubleSpinBox>(d, "intendationDoubleSpinBox")->value(), 10.0);
        QCOMPARE(Child<QLineEdit>(d, "maskLineEdit")->text(), QStringLiteral("first"));
        Child<QLineEdit>(d, "maskLineEdit")->setText("second");
        QVERIFY(Click(d, "page4CancelButton"));

        // After a cancelled edit, "OK" adds rather than overwrites.
        QVERIFY(Click(d, "page3AddButton"));
        QVERIFY(Click(d, "page4OkButton"));
        QCOMPARE(Table(d)->rowCount(), 2);
        QVERIFY(Table(d)->item(0, 1)->text().endsWith("text mask: first"));
        QVERIFY(Table(d)->item(1, 1)->text().endsWith("text mask: second"));
        QVERIFY(Click(d, "page3FinishButton"));
    });
    QCOMPARE(prefs.value("TextMaskEdit1").toString(), QStringLiteral("first"));
    QCOMPARE(prefs.value("TextMaskEdit2").toString(), QStringLiteral("second"));
}

void TestBuildBookmarksWizard::removeTakesLaterLevels_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("left");
    QTest::newRow("second of three") << 1 << 1;
    QTest::newRow("first of three") << 0 << 0;
    QTest::newRow("last of three") << 2 << 2;
}

void TestBuildBookmarksWizard::removeTakesLaterLevels()
{
    QFETCH(int, row);
    QFETCH(int, left);
    Prefs prefs;
    ShowModal(prefs, [row](QWidget* d) {
        for (const char* mask : {"one", "two", "three"})
            AddLevel(d, Level{"", 0, 0, -1, -1, 0, 0, mask});
        QVERIFY(!Child<QWidget>(d, "page3RemoveButton")->isEnabled());
        ClickRow(d, row);
        QVERIFY(Click(d, "page3RemoveButton"));
        QVERIFY(Click(d, "page3FinishButton"));
    });
    QCOMPARE(prefs.value("LevelCount").toInt(), left);
    QCOMPARE(prefs.contains("TextMaskEdit1"), left >= 1);
    QCOMPARE(prefs.contains("TextMaskEdit3"), false);
    if (left >= 1)
        QCOMPARE(prefs.value("TextMaskEdit1").toString(), QStringLiteral("one"));
}

void TestBuildBookmarksWizard::unitChangeConvertsBothFields()
{
    Prefs prefs;
    ShowModal(prefs, [](QWidget* d) {
        QVERIFY(Click(d, "page3AddButton"));
        auto* unit = Child<QComboBox>(d, "intendationUnitComboBox");
        auto* indent = Child<QDoubleSpinBox>(d, "intendationDoubleSpinBox");
        auto* tolerance = Child<QDoubleSpinBox>(d, "intendationToleranceDoubleSpinBox");
        auto* label = Child<QLabel>(d, "unitLabel");
        QCOMPARE(unit->currentIndex(), 2);
        indent->setValue(72);
        tolerance->setValue(7.2);
        unit->setCurrentIndex(0);
        QCOMPARE(indent->value(), 25.4);
        QCOMPARE(tolerance->value(), 2.54);
        QCOMPARE(label->text(), QStringLiteral("mm"));
        unit->setCurrentIndex(1);
        QCOMPARE(indent->value(), 1.0);
        QCOMPARE(label->text(), QStringLiteral("inch"));
        unit->setCurrentIndex(2);
        QCOMPARE(indent->value(), 72.0);
        QCOMPARE(label->text(), QStringLiteral("point"));
        QVERIFY(Click(d, "page4CancelButton"));
        QVERIFY(Click(d, "page3CloseButton"));
    });
}

void TestBuildBookmarksWizard::loadedMapIsNormalisedAndKept()
{
    Prefs prefs = {
        {"MultiChecked", false}, {"InsertionMode", 2}, {"ZoomSettings", 1}, {"ZoomValue", 150},
        {"LevelCount", 2},
        {"FontSizeValue1", "12.5"}, {"FontSizeCheck1", "true"}, {"Properties1", "size: 12.5"},
        {"FontColorCheck2", 1}, {"ColorInHex2", QColor(255, 0, 0)},
        {"FontNameCheck3", true}, {"Unrelated", "kept"},
    };
    ShowModal(prefs, [](QWidget* d) {
        QCOMPARE(Table(d)->rowCount(), 2);
        QCOMPARE(Table(d)->item(0, 1)->text(), QStringLiteral("size: 12.5"));
        QCOMPARE(Table(d)->item(1, 1)->text(), QString());
        QVERIFY(Child<QWidget>(d, "page3MagnificationSpinBox")->isEnabled());
        QVERIFY(Click(d, "page3FinishButton"));
    });
    QCOMPARE(prefs.value("MultiChecked"), QVariant(true));
    QCOMPARE(prefs.value("InsertionMode"), QVariant(2));
    QCOMPARE(prefs.value("ZoomValue"), QVariant(150));
    QCOMPARE(prefs.value("FontSizeValue1"), QVariant(12.5));
    QCOMPARE(prefs.value("FontSizeCheck1"), QVariant(true));
    QCOMPARE(prefs.value("FontColorCheck2"), QVariant(true));
    QCOMPARE(prefs.value("ColorInHex2"), QVariant(QStringLiteral("#ff0000")));
    QCOMPARE(prefs.value("Properties2"), QVariant(QString()));
    QCOMPARE(prefs.value("FontNameCheck3"), QVariant(true));
    QCOMPARE(prefs.value("Unrelated"), QVariant("kept"));
}

void TestBuildBookmarksWizard::keywordFileFolderIsRemembered()
{
    QTemporaryDir folder;
    const QString file = folder.filePath("headings.txt");
    QFile(file).open(QIODevice::WriteOnly);
    Prefs prefs;
    ShowModal(prefs, [&](QWidget* d) {
        QVERIFY(Click(d, "page3AddButton"));
        Child<QAbstractButton>(d, "keywordsListCheckBox")->setChecked(true);
        AnswerFileDialog(file);
        QVERIFY(Click(d, "browseButton"));
        QCOMPARE(Child<QLineEdit>(d, "keyListLineEdit")->text(), file);

        // The next browse starts in that folder; cancelling keeps the path.
        WhenModal("QFileDialog", [&](QWidget* w) {
            auto* dialog = static_cast<QFileDialog*>(w);
            QCOMPARE(dialog->directory().absolutePath(), QDir(folder.path()).absolutePath());
            dialog->reject();
        });
        QVERIFY(Click(d, "browseButton"));
        QCOMPARE(Child<QLineEdit>(d, "keyListLineEdit")->text(), file);
        QVERIFY(Click(d, "page4OkButton"));
        QVERIFY(Click(d, "page3FinishButton"));
    });
    QCOMPARE(prefs.value("KeywordListCheck1").toBool(), true);
    QCOMPARE(prefs.value("KeyListEdit1").toString(), file);
}

void TestBuildBookmarksWizard::modelessFinishOrder()
{
    HostPreviewWindow host;
    QPointer<QWidget> d = ShowModeless(host);
    QVERIFY(d);
    QVERIFY(d->isVisible());
    QVERIFY(host.received.isEmpty());

    AddLevel(d, Level{"", 11, 1, 4, -1, 0, 0, ""});
    QVERIFY(Click(d, "page3FinishButton"));
    QCOMPARE(host.received, QStringList({"initTool", "killTool", "finished(1)", "sendPrefsData",
                                         "killTool", "finished(1)"}));

    const Prefs& map = host.finishedPrefs;
    QCOMPARE(map.value("LevelCount").toInt(), 1);
    QCOMPARE(map.value("NthChecked"), QVariant(false));
    QCOMPARE(map.value("ColorInHex1").toString(), QStringLiteral("#ff7f00"));
    QVERIFY(!map.contains("Properties1"));
    QVERIFY(!map.contains("CurUnit1"));
    QVERIFY(!map.contains("ActionName"));
    QCOMPARE(map.size(), 9 + 22);

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!d);

    // Opened inside the preview window, it keeps its geometry.
    const QString file = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                         + "/lumex software/RUZ Irida//Settings/VantoraViewerSettings.vsf";
    QSettings settings(file, QSettings::IniFormat);
    QVERIFY(!settings.value("BuildBookmarksPrefsDialoggeometry").toByteArray().isEmpty());
}

void TestBuildBookmarksWizard::modelessCloseOrder()
{
    HostPreviewWindow host;
    QPointer<QWidget> d = ShowModeless(host);
    QVERIFY(d);
    QVERIFY(Click(d, "page3CloseButton"));
    QCOMPARE(host.received, QStringList({"killTool", "finished(0)"}));
    QVERIFY(host.finishedPrefs.isEmpty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!d);
}

void TestBuildBookmarksWizard::selectionPrefillsEditor_data()
{
    QTest::addColumn<QString>("font");
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QString>("expectedFont");
    QTest::addColumn<QString>("expectedColorText");
    QTest::addColumn<QString>("expectedHex");

    QTest::newRow("quoted name with style, named colour")
        << "\"Arial,Bold" << QColor(Qt::red) << "Arial-Bold" << "Red" << "#ff0000";
    QTest::newRow("plain name, custom colour")
        << "Times New Roman" << QColor(10, 20, 30) << "Times New Roman" << "Custom..."
        << "#0a141e";
    QTest::newRow("two commas, near-orange is custom")
        << "Helvetica,Bold,Oblique" << QColor(255, 128, 0) << "Helvetica-Bold-Oblique"
        << "Custom..." << "#ff8000";
}

void TestBuildBookmarksWizard::selectionPrefillsEditor()
{
    QFETCH(QString, font);
    QFETCH(QColor, color);
    QFETCH(QString, expectedFont);
    QFETCH(QString, expectedColorText);
    QFETCH(QString, expectedHex);

    HostPreviewWindow host;
    QPointer<QWidget> d = ShowModeless(host);
    QVERIFY(d);
    QVERIFY(Click(d, "page3AddButton"));
    Child<QAbstractButton>(d, "fontColorCheckBox")->setChecked(true);
    Child<QAbstractButton>(d, "leftIndentationCheckBox")->setChecked(true);
    Child<QComboBox>(d, "intendationUnitComboBox")->setCurrentIndex(0);
    Child<QDoubleSpinBox>(d, "intendationToleranceDoubleSpinBox")->setValue(0.5);

    // Queued, as a host on another object's signal would deliver it.
    QVERIFY(QMetaObject::invokeMethod(d, "on_ReceiveParameters", Qt::QueuedConnection,
                                      Q_ARG(PDBookmarkSelectionRec,
                                            Selection(font, 13.5, color.rgba(), 72))));
    QCoreApplication::processEvents();

    QCOMPARE(Child<QComboBox>(d, "fontNameComboBox")->currentText(), expectedFont);
    QCOMPARE(Child<QDoubleSpinBox>(d, "fontSizeDoubleSpinBox")->value(), 13.5);
    QCOMPARE(Child<QComboBox>(d, "fontColorComboBox")->currentText(), expectedColorText);
    QCOMPARE(Child<QDoubleSpinBox>(d, "intendationDoubleSpinBox")->value(), 25.4);
    QCOMPARE(Child<QDoubleSpinBox>(d, "intendationToleranceDoubleSpinBox")->value(), 0.5);
    QCOMPARE(Child<QLabel>(d, "unitLabel")->text(), QStringLiteral("mm"));

    QVERIFY(Click(d, "page4OkButton"));
    QVERIFY(Click(d, "page3FinishButton"));
    QCOMPARE(host.finishedPrefs.value("FontNameCombo1").toString(), expectedFont);
    QCOMPARE(host.finishedPrefs.value("ColorInHex1").toString(), expectedHex);
    QCOMPARE(host.finishedPrefs.value("LeftIndentToPoints1").toDouble(), 25.4 / 25.4 * 72);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

VANTORA_DIALOG_TEST_MAIN(TestBuildBookmarksWizard)
#include "tst_buildbookmarkswizard.moc"
