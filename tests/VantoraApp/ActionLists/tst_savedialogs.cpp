// The two save dialogs run modally and answered from their own event loop,
// writing into a throw-away data folder.

#include "actionutils.h"
#include "modalstep.h"
#include "testing.h"
#include "saveasactionlistdialog.h"
#include "saveascollectiondialog.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using Prefs = QMap<QString, QVariant>;

namespace {

Prefs Settings()
{
    return {{"ActionName", "Bookmarks by Content"}, {"LevelCount", 1}, {"FontNameCombo1", "Times"}};
}

} // namespace

class TestSaveDialogs : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void nameChecks_data();
    void nameChecks();
    void newActionList();
    void returnAppendsOneStep();
    void escapeSavesNothing();
    void favouriteWithChosenIcon();
    void cancelledIconKeepsTheIcon();
    void toolSettingsFile_data();
    void toolSettingsFile();

private:
    QString listFile(const QString& name) const { return CActionUtils::GetSequenceFolder() + "/" + name; }

    QTemporaryDir home;
    QTemporaryDir outside;
};

void TestSaveDialogs::init()
{
    UseHome(home.path());
}

void TestSaveDialogs::nameChecks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("explained");
    QTest::newRow("empty") << "" << false << false;
    QTest::newRow("blanks only") << "   " << false << false;
    QTest::newRow("plain") << "Chapters" << true << false;
    QTest::newRow("with blanks") << "My list" << true << false;
    QTest::newRow("separator") << "a/b" << false << true;
    QTest::newRow("parent folder") << ".." << false << true;
    QTest::newRow("refused character") << "a|b" << false << true;
}

void TestSaveDialogs::nameChecks()
{
    QFETCH(QString, name);
    QFETCH(bool, enabled);
    QFETCH(bool, explained);
    CSaveAsActionlistDialog list(nullptr, {});
    CSaveAsCollectionDialog favourite(nullptr, {});
    const QList<QPair<QDialog*, const char*>> fields{{&list, "actionListNameLineEdit"},
                                                      {&favourite, "collectionNameLineEdit"}};
    for (const auto& [dialog, field] : fields) {
        dialog->show();
        Child<QLineEdit>(dialog, field)->setText(name);
        QCOMPARE(Child<QPushButton>(dialog, "saveButton")->isEnabled(), enabled);
        auto* problem = Child<QLabel>(dialog, "nameProblemLabel");
        QCOMPARE(problem->isVisible(), explained);
        QCOMPARE(!problem->text().isEmpty(), explained);
        QCOMPARE(!Child<QLineEdit>(dialog, field)->toolTip().isEmpty(), explained);
    }
}

void TestSaveDialogs::newActionList()
{
    QDir().mkpath(CActionUtils::GetSequenceFolder());
    QSettings(listFile("Other.xqq"), QSettings::IniFormat).setValue("SequenceCategory", "Reports");

    Prefs prefs = Settings();
    CSaveAsActionlistDialog dialog(nullptr, {});
    dialog.LoadPrefsData(&prefs);
    auto* categories = Child<QComboBox>(&dialog, "categoryComboBox");
    QCOMPARE(categories->count(), 3);
    QCOMPARE(categories->itemText(2), QStringLiteral("Reports"));
    QCOMPARE(categories->currentText(), QStringLiteral("Default"));
    QVERIFY(!Child<QPushButton>(&dialog, "saveButton")->isEnabled());

    WhenModal("CSaveAsActionlistDialog", [](QWidget* d) {
        QTest::keyClicks(Child<QLineEdit>(d, "actionListNameLineEdit"), "My list");
        Child<QComboBox>(d, "categoryComboBox")->setCurrentIndex(2);
        QTest::mouseClick(Child<QPushButton>(d, "saveButton"), Qt::LeftButton);
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));

    QSettings list(listFile("My_list.xqq"), QSettings::IniFormat);
    QCOMPARE(list.value("SequenceName").toString(), QStringLiteral("My list"));
    QCOMPARE(list.value("SequenceCategory").toString(), QStringLiteral("Reports"));
    QCOMPARE(list.value("ActionName0").toString(), QStringLiteral("Bookmarks by Content"));
    Prefs stored = Settings();
    stored.remove("ActionName");
    QCOMPARE(list.value("ActionPrefs0").toMap(), stored);
}

void TestSaveDialogs::returnAppendsOneStep()
{
    QDir().mkpath(CActionUtils::GetSequenceFolder());
    {
        QSettings list(listFile("Chain.xqq"), QSettings::IniFormat);
        list.setValue("SequenceCategory", "Reports");
        list.setValue("ActionName0", "Other action");
    }
    Prefs prefs = Settings();
    CSaveAsActionlistDialog dialog(nullptr, {});
    dialog.LoadPrefsData(&prefs);
    QSignalSpy changed(&dialog, &CSaveAsActionlistDialog::actionListChanged);
    WhenModal("CSaveAsActionlistDialog", [](QWidget* d) {
        QTest::mouseClick(Child<QRadioButton>(d, "addToActionListRadioButton"), Qt::LeftButton);
        QVERIFY(!Child<QComboBox>(d, "categoryComboBox")->isEnabled());
        auto* name = Child<QLineEdit>(d, "actionListNameLineEdit");
        QTest::keyClicks(name, "Chain");
        QTest::keyClick(name, Qt::Key_Return);
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));

    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toString(), QStringLiteral("Chain"));
    QSettings list(listFile("Chain.xqq"), QSettings::IniFormat);
    QVERIFY(list.contains("ActionName1"));
    QVERIFY(!list.contains("ActionName2"));
    QCOMPARE(list.value("ActionPrefs1").toMap().value("ActionListName").toString(), QStringLiteral("Chain"));
    QCOMPARE(list.value("ActionPrefs1").toMap().value("ActionListOverwrite"), QVariant(false));
}

void TestSaveDialogs::escapeSavesNothing()
{
    Prefs prefs = Settings();
    CSaveAsActionlistDialog dialog(nullptr, {});
    dialog.LoadPrefsData(&prefs);
    WhenModal("CSaveAsActionlistDialog", [](QWidget* d) {
        QTest::keyClicks(Child<QLineEdit>(d, "actionListNameLineEdit"), "Unsaved");
        QTest::keyClick(d, Qt::Key_Escape);
    });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QVERIFY(!QFile::exists(listFile("Unsaved.xqq")));
    QCOMPARE(prefs, Settings());
}

void TestSaveDialogs::favouriteWithChosenIcon()
{
    const QString image = outside.filePath("wide.png");
    QImage wide(300, 100, QImage::Format_RGB32);
    wide.fill(Qt::blue);
    QVERIFY(wide.save(image));

    QWidget wizard;
    wizard.setObjectName("BuildBookmarksPrefsDialog");
    Prefs prefs = Settings();
    auto* dialog = new CSaveAsCollectionDialog(&wizard, {});
    dialog->LoadPrefsData(&prefs);
    WhenModal("CSaveAsCollectionDialog", [image](QWidget* d) {
        AnswerFileDialog(image);
        QTest::mouseClick(Child<QToolButton>(d, "icon_toolButton"), Qt::LeftButton);
        QTest::keyClicks(Child<QLineEdit>(d, "collectionNameLineEdit"), "Blue chapters");
        QTest::mouseClick(Child<QPushButton>(d, "saveButton"), Qt::LeftButton);
    });
    QCOMPARE(dialog->exec(), int(QDialog::Accepted));

    QSettings favourite(CActionUtils::GetCollectionsFolder() + "/Blue chapters.ini", QSettings::IniFormat);
    Prefs stored = Settings();
    stored.insert("CollectionName", "Blue chapters");
    QCOMPARE(favourite.value("ActionPrefs").toMap(), stored);
    const QImage icon = favourite.value("ActionIcon").value<QImage>();
    QCOMPARE(icon.size(), QSize(42, 42));
    QCOMPARE(QColor(icon.pixel(21, 21)), QColor(Qt::blue));
}

void TestSaveDialogs::cancelledIconKeepsTheIcon()
{
    QPixmap green(64, 64);
    green.fill(Qt::green);
    Prefs prefs = Settings();
    CSaveAsCollectionDialog dialog(nullptr, {});
    dialog.LoadPrefsData(&prefs);
    dialog.SetCollectionIcon(QIcon(green));
    const QString notAnImage = outside.filePath("notes.png");
    QFile text(notAnImage);
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("not an image");
    text.close();
    WhenModal("CSaveAsCollectionDialog", [notAnImage](QWidget* d) {
        auto* button = Child<QToolButton>(d, "icon_toolButton");
        AnswerFileDialog(QString());
        QTest::mouseClick(button, Qt::LeftButton);
        AnswerFileDialog(notAnImage);
        QTest::mouseClick(button, Qt::LeftButton);
        const QImage shown = button->icon().pixmap(42, 42).toImage();
        QCOMPARE(QColor(shown.pixel(21, 21)), QColor(Qt::green));
        QTest::keyClick(d, Qt::Key_Escape);
    });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QVERIFY(!QDir(CActionUtils::GetCollectionsFolder()).exists());
}

void TestSaveDialogs::toolSettingsFile_data()
{
    QTest::addColumn<QString>("answer");
    QTest::newRow("saved") << outside.filePath("chapters.tsf");
    QTest::newRow("cancelled") << QString();
}

void TestSaveDialogs::toolSettingsFile()
{
    QFETCH(QString, answer);
    QFile::remove(outside.filePath("chapters.tsf"));
    Prefs prefs = Settings();
    CSaveAsCollectionDialog dialog(nullptr, {});
    dialog.LoadPrefsData(&prefs);
    WhenModal("CSaveAsCollectionDialog", [answer](QWidget* d) {
        AnswerFileDialog(answer);
        QTest::mouseClick(Child<QPushButton>(d, "saveSettingsToFileButton"), Qt::LeftButton);
    });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QCOMPARE(QFile::exists(outside.filePath("chapters.tsf")), !answer.isEmpty());
    if (!answer.isEmpty()) {
        QSettings file(answer, QSettings::IniFormat);
        QCOMPARE(file.allKeys(), QStringList{"ToolSettings"});
        QCOMPARE(file.value("ToolSettings").toMap(), Settings());
    }
}

VANTORA_DIALOG_TEST_MAIN(TestSaveDialogs)

#include "tst_savedialogs.moc"
