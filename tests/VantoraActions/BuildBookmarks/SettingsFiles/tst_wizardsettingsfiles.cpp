// The wizard's Export and Import, driven through the built plug-in as the
// host opens it, with every file in throw-away folders. The header buttons
// are run end to end in tst_settingsfilesrun.

#include "testing.h"
#include "wizardtesting.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QSettings>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>

namespace {

QTableWidget* Table(QWidget* d)
{
    return Child<QTableWidget>(d, "page3LevelTableWidget");
}

QStringList Rows(QWidget* d)
{
    QStringList rows;
    for (int row = 0; row < Table(d)->rowCount(); ++row)
        rows << Table(d)->item(row, 0)->text() + " | " + Table(d)->item(row, 1)->text();
    return rows;
}

// A level with a size, and optionally a listed font, a colour row and an
// indentation in a unit row.
void AddLevel(QWidget* d, double size, int colorRow = -1, int unitRow = -1, double indent = 0,
              bool withFont = false)
{
    QVERIFY(Click(d, "page3AddButton"));
    auto* fonts = Child<QComboBox>(d, "fontNameComboBox");
    Child<QAbstractButton>(d, "fontNameCheckBox")->setChecked(withFont && fonts->count() > 0);
    if (withFont && fonts->count() > 0)
        fonts->setCurrentIndex(0);
    Child<QAbstractButton>(d, "FontSizeCheckBox")->setChecked(true);
    Child<QDoubleSpinBox>(d, "fontSizeDoubleSpinBox")->setValue(size);
    Child<QDoubleSpinBox>(d, "fontToleranceDoubleSpinBox")->setValue(0.5);
    Child<QAbstractButton>(d, "fontColorCheckBox")->setChecked(colorRow >= 0);
    if (colorRow >= 0)
        Child<QComboBox>(d, "fontColorComboBox")->setCurrentIndex(colorRow);
    Child<QAbstractButton>(d, "leftIndentationCheckBox")->setChecked(unitRow >= 0);
    if (unitRow >= 0) {
        Child<QComboBox>(d, "intendationUnitComboBox")->setCurrentIndex(unitRow);
        Child<QDoubleSpinBox>(d, "intendationDoubleSpinBox")->setValue(indent);
        Child<QDoubleSpinBox>(d, "intendationToleranceDoubleSpinBox")->setValue(1);
    }
    QVERIFY(Click(d, "page4OkButton"));
}

void Export(QWidget* d, const QString& path)
{
    AnswerFileDialog(path);
    QVERIFY(Click(d, "exportButton"));
}

void Import(QWidget* d, const QString& path)
{
    AnswerFileDialog(path);
    QVERIFY(Click(d, "importButton"));
}

Prefs Exported(const QString& path)
{
    return QSettings(path, QSettings::IniFormat).value("ActionPrefs").toMap();
}

// The keys a run reads, as the wizard's Finish hands them to the host.
Prefs LevelKeys(const Prefs& prefs)
{
    Prefs levels;
    for (auto it = prefs.begin(); it != prefs.end(); ++it)
        if (!it.key().startsWith("Properties") && !it.key().startsWith("CurUnit"))
            levels.insert(it.key(), it.value());
    return levels;
}

} // namespace

class TestWizardSettingsFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void exportThenImport();
    void removedLevelStaysInTheFile();
    void foreignFile();
    void unusableFileImportsSilently_data();
    void unusableFileImportsSilently();
    void cancelledImportChangesNothing();

private:
    int ShowModal(Prefs& prefs, std::function<void(QWidget*)> step);
    QString LastVisited(const QString& key) const;

    QPluginLoader loader;
    CActionInterface* action = nullptr;
    QTemporaryDir home;
    QTemporaryDir files;
};

void TestWizardSettingsFiles::initTestCase()
{
    QVERIFY(home.isValid() && files.isValid());
    LoadAction(loader, action);
}

void TestWizardSettingsFiles::init()
{
    UseHome(home.path());
}

int TestWizardSettingsFiles::ShowModal(Prefs& prefs, std::function<void(QWidget*)> step)
{
    return ::ShowModal(action, prefs, std::move(step));
}

QString TestWizardSettingsFiles::LastVisited(const QString& key) const
{
    const QString file = home.path() + "/data/lumex software/RUZ Irida//Settings/LastVisitedLocations.vsf";
    return QSettings(file, QSettings::IniFormat).value(key).toString();
}

void TestWizardSettingsFiles::exportThenImport()
{
    const QString path = files.filePath("three levels.ini");
    QStringList before;
    Prefs first;
    QCOMPARE(ShowModal(first,
                       [&](QWidget* d) {
                           AddLevel(d, 20, 3, 0, 10, true);
                           AddLevel(d, 14, -1, 1, 0.5);
                           AddLevel(d, 11);
                           Child<QComboBox>(d, "page3InsertionComboBox")->setCurrentIndex(1);
                           Child<QComboBox>(d, "page3MagnificationComboBox")->setCurrentIndex(1);
                           Child<QSpinBox>(d, "page3MagnificationSpinBox")->setValue(150);
                           Child<QAbstractButton>(d, "page3CollapseBmkCheckBox")->setChecked(false);
                           Child<QAbstractButton>(d, "page3BmkExactTextCheckBox")->setChecked(true);
                           before = Rows(d);
                           Export(d, path);
                           QVERIFY(Click(d, "page3FinishButton"));
                       }),
             1);

    const Prefs file = Exported(path);
    QCOMPARE(file.value("LevelCount"), QVariant(3));
    QCOMPARE(file.value("InsertionMode"), QVariant(1));
    QCOMPARE(file.value("ZoomValue"), QVariant(150));
    QCOMPARE(file.value("LeftIndentUnits2"), QVariant(1));
    for (const QString& key : file.keys())
        QVERIFY2(!key.startsWith("Properties") && !key.startsWith("CurUnit") && key != "ActionName",
                 qPrintable(key));
    QCOMPARE(LastVisited("BookmarkSettings::SaveFile"), files.path());

    // Imported into a wizard that has other levels and options.
    Prefs second;
    QCOMPARE(ShowModal(second,
                       [&](QWidget* d) {
                           AddLevel(d, 30);
                           Child<QSpinBox>(d, "page2NthPageSpinBox")->setValue(7);
                           Import(d, path);
                           QStringList expected = before;
                           expected[0].remove("color: Red, ");
                           QCOMPARE(Rows(d), expected);
                           QVERIFY(Rows(d)[1].contains("inch"));
                           QCOMPARE(Child<QComboBox>(d, "page3InsertionComboBox")->currentIndex(), 1);
                           QCOMPARE(Child<QComboBox>(d, "page3MagnificationComboBox")->currentIndex(), 1);
                           QCOMPARE(Child<QSpinBox>(d, "page3MagnificationSpinBox")->value(), 150);
                           QVERIFY(!Child<QAbstractButton>(d, "page3CollapseBmkCheckBox")->isChecked());
                           QVERIFY(Child<QAbstractButton>(d, "page3BmkExactTextCheckBox")->isChecked());
                           QCOMPARE(Child<QSpinBox>(d, "page2NthPageSpinBox")->value(), 7);
                           QVERIFY(Click(d, "page3FinishButton"));
                       }),
             1);
    QCOMPARE(LastVisited("BookmarkSettings::OpenFile"), files.path());
    // What a run reads is what the first wizard finished with, colour included.
    Prefs expected = LevelKeys(first);
    expected.insert("NthPage", 7);
    QCOMPARE(LevelKeys(second), expected);
    QCOMPARE(second.value("ColorInHex1"), QVariant("#ff0000"));
}

void TestWizardSettingsFiles::removedLevelStaysInTheFile()
{
    const QString path = files.filePath("removed.ini");
    Prefs prefs;
    ShowModal(prefs, [&](QWidget* d) {
        AddLevel(d, 20);
        AddLevel(d, 14);
        AddLevel(d, 11);
        const QRect cell = Table(d)->visualItemRect(Table(d)->item(2, 0));
        QTest::mouseClick(Table(d)->viewport(), Qt::LeftButton, {}, cell.center());
        QVERIFY(Click(d, "page3RemoveButton"));
        QCOMPARE(Table(d)->rowCount(), 2);
        Export(d, path);
        Import(d, path);
        QCOMPARE(Table(d)->rowCount(), 2);
        QVERIFY(Click(d, "page3CloseButton"));
    });
    const Prefs file = Exported(path);
    QCOMPARE(file.value("LevelCount"), QVariant(2));
    QCOMPARE(file.value("FontSizeValue3"), QVariant(11.0));
}

void TestWizardSettingsFiles::foreignFile()
{
    const QString path = files.filePath("foreign.ini");
    WriteFile(path, "##[mfontSize1][/= 18;\n"
                    "[misFontSize1][/= true;\n"
                    "[mfontSizeTol1][/= 0.5;\n"
                    "[misFontRectLeft2][/= true;\n"
                    "[mrectLeft2][/= 36;\n"
                    "[mmask2][/= \"^Chapter\";\n"
                    "[misFontMask2][/= true;\n"
                    "[mfontColorSpace2][/= 1;\n"
                    "[mfontColorValue02][/= 1.0;\n"
                    "[mbuilderInsertion1][/= 2;\n"
                    "</end>\n"
                    "[mfontSize3][/= 9;\n");
    Prefs prefs;
    ShowModal(prefs, [&](QWidget* d) {
        Import(d, path);
        QCOMPARE(Rows(d), (QStringList{"Level 1 | size: 18, tolerance: 0.5",
                                       "Level 2 | indentation: 36mm, tolerance: 0, text mask: ^Chapter"}));
        QCOMPARE(Child<QComboBox>(d, "page3InsertionComboBox")->currentIndex(), 2);
        QCOMPARE(Child<QComboBox>(d, "intendationUnitComboBox")->currentIndex(), 2);
        QVERIFY(Click(d, "page3FinishButton"));
    });
    QCOMPARE(prefs.value("LevelCount"), QVariant(2));
    QCOMPARE(prefs.value("ColorInHex2").toString(), QStringLiteral("#ff0000"));
    QCOMPARE(prefs.value("LeftIndentToPoints2").toDouble(), 36.0);
    QCOMPARE(prefs.value("TextMaskEdit2").toString(), QStringLiteral("^Chapter"));
}

void TestWizardSettingsFiles::unusableFileImportsSilently_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("levels");
    QTest::newRow("plain text") << QByteArray("Just some notes.\nNothing else.\n") << 0;
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("settings not a map") << QByteArray("[General]\nActionPrefs=7\n") << 0;
    QTest::newRow("unknown foreign entry") << QByteArray("##(mSomethingElse2)[/= 1;\n") << 2;
}

// The levels are replaced by what the file brings, even nothing, and no
// message interrupts the user.
void TestWizardSettingsFiles::unusableFileImportsSilently()
{
    QFETCH(QByteArray, content);
    QFETCH(int, levels);
    const QString path = files.filePath("unusable.ini");
    WriteFile(path, content);
    Prefs prefs;
    ShowModal(prefs, [&](QWidget* d) {
        AddLevel(d, 20);
        Child<QComboBox>(d, "page3InsertionComboBox")->setCurrentIndex(2);
        bool reported = false;
        QPointer<ModalStep> message = new ModalStep("QMessageBox", [&](QWidget* box) {
            reported = true;
            box->close();
        });
        Import(d, path);
        delete message.data();
        QVERIFY(!reported);
        QCOMPARE(Rows(d).size(), levels);
        QCOMPARE(Child<QComboBox>(d, "page3InsertionComboBox")->currentIndex(), 0);
        QVERIFY(Click(d, "page3FinishButton"));
    });
    QCOMPARE(prefs.value("LevelCount"), QVariant(levels));
}

void TestWizardSettingsFiles::cancelledImportChangesNothing()
{
    Prefs prefs;
    ShowModal(prefs, [&](QWidget* d) {
        AddLevel(d, 20);
        Import(d, QString());
        QCOMPARE(Table(d)->rowCount(), 1);
        Export(d, QString());
        QVERIFY(Click(d, "page3CloseButton"));
    });
    QCOMPARE(LastVisited("BookmarkSettings::OpenFile"), QString());
    QCOMPARE(LastVisited("BookmarkSettings::SaveFile"), QString());
}

VANTORA_DIALOG_TEST_MAIN(TestWizardSettingsFiles)
#include "tst_wizardsettingsfiles.moc"
