// Where users keep an action's settings: action list files, favourites and
// tool settings files, written directly and through the two save dialogs
// into a throw-away data folder, and read back as the host reads them.

#include "actionhistoryapi.h"
#include "actionutils.h"
#include "modalstep.h"
#include "saveasactionlistdialog.h"
#include "saveascollectiondialog.h"
#include "storedfilename.h"
#include "testing.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QToolButton>

using Prefs = QMap<QString, QVariant>;

namespace {

const Prefs Settings{{"ActionName", "Bookmarks by Content"}, {"LevelCount", 1}};

QString ListFile(const QString& name)
{
    return CActionUtils::GetSequenceFolder() + "/" + name;
}

QString Favourite(const QString& name)
{
    return CActionUtils::GetCollectionsFolder() + "/" + name;
}

// A list another action wrote, with steps of its own.
void WriteList(const QString& name, const QString& category, const QList<int>& steps)
{
    QDir().mkpath(CActionUtils::GetSequenceFolder());
    QSettings list(ListFile(name), QSettings::IniFormat);
    list.setValue("SequenceName", QFileInfo(name).baseName());
    list.setValue("SequenceCategory", category);
    for (int step : steps) {
        list.setValue(QString("ActionName%1").arg(step), "Other action");
        list.setValue(QString("ActionPrefs%1").arg(step), QVariantMap{{"Step", step}});
    }
}

// A favourite secondsAgo old; an invalid prefs leaves the file without settings.
void WriteFavourite(const QString& name, const QVariant& prefs, int secondsAgo)
{
    QDir().mkpath(CActionUtils::GetCollectionsFolder());
    QSettings(Favourite(name), QSettings::IniFormat).setValue(prefs.isValid() ? "ActionPrefs" : "Other", prefs);
    QFile file(Favourite(name));
    if (!file.open(QIODevice::ReadWrite)
        || !file.setFileTime(QDateTime::currentDateTime().addSecs(-secondsAgo), QFileDevice::FileModificationTime))
        qFatal("cannot date %s", qPrintable(name));
}

} // namespace

class TestActionLists : public QObject
{
    Q_OBJECT

    QTemporaryDir home;
    QTemporaryDir outside;
    Prefs prefs;

private slots:
    void init()
    {
        UseHome(home.path());
        prefs = Settings;
    }

    void storedFileName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("blanks, dots, accents") << QString::fromUtf8("Übersicht v1.2") << true;
        QTest::newRow("slash") << "../evil" << false;
        QTest::newRow("backslash") << "..\\evil" << false;
        QTest::newRow("parent") << ".." << false;
        QTest::newRow("colon") << "a:b" << false;
        QTest::newRow("nul") << QString("a") + QChar(0) + "b" << false;
        QTest::newRow("delete") << QString("a") + QChar(0x7f) << false;
        QTest::newRow("too long") << QString(252, 'x') << false;
        QTest::newRow("just fits") << QString(251, 'x') << true;
    }

    void storedFileName()
    {
        QFETCH(QString, name);
        QTEST(CStoredFileName::Problem(name, ".xqq").isEmpty(), "accepted");
    }

    // A new list stores the step without the request keys and strips them
    // from the caller's map; an appended step keeps the whole map.
    void saveActionList_data()
    {
        QTest::addColumn<QVariant>("name");
        QTest::addColumn<QVariant>("category");
        QTest::addColumn<bool>("overwrite");
        QTest::addColumn<QList<int>>("existingSteps");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("sequenceCategory");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("steps");
        const QList<int> none;
        QTest::newRow("blanks in the name") << QVariant("My list") << QVariant("Reports") << true << none
                                            << "My_list.xqq" << "Reports" << 0 << 1;
        QTest::newRow("no name") << QVariant() << QVariant("Default") << false << none << "Action.xqq" << "Default"
                                 << 0 << 1;
        QTest::newRow("no category") << QVariant("A") << QVariant() << false << none << "A.xqq" << "Favorites" << 0
                                     << 1;
        QTest::newRow("overwrite replaces") << QVariant("Old") << QVariant("Other") << true << QList<int>{0, 1, 2}
                                            << "Old.xqq" << "Other" << 0 << 1;
        QTest::newRow("append to the first free step") << QVariant("Chain") << QVariant("Ignored") << false
                                                       << QList<int>{0, 1, 3} << "Chain.xqq" << "Reports" << 2 << 4;
    }

    void saveActionList()
    {
        QFETCH(QVariant, name);
        QFETCH(QVariant, category);
        QFETCH(bool, overwrite);
        QFETCH(QList<int>, existingSteps);
        QFETCH(QString, file);
        QFETCH(int, step);
        if (!existingSteps.isEmpty())
            WriteList(file, "Reports", existingSteps);
        if (name.isValid())
            prefs.insert("ActionListName", name);
        if (category.isValid())
            prefs.insert("ActionListCategory", category);
        prefs.insert("ActionListOverwrite", overwrite);
        const bool appending = !overwrite && !existingSteps.isEmpty();
        const Prefs stored = appending ? prefs : Prefs{{"LevelCount", 1}};

        CActionUtils::SaveAsCustomActionList(&prefs);
        QCOMPARE(QDir(CActionUtils::GetSequenceFolder()).entryList(QDir::Files), QStringList{file});
        QSettings list(ListFile(file), QSettings::IniFormat);
        QCOMPARE(list.value("SequenceName").toString(), name.toString());
        QTEST(list.value("SequenceCategory").toString(), "sequenceCategory");
        QTEST(list.allKeys().filter(QRegularExpression("^ActionName\\d+$")).size(), "steps");
        QCOMPARE(list.value(QString("ActionName%1").arg(step)).toString(), QString("Bookmarks by Content"));
        QCOMPARE(list.value(QString("ActionPrefs%1").arg(step)).toMap(), stored);
        QCOMPARE(prefs, stored);
        QCOMPARE(list.value("IOSettings"), appending ? QVariant() : QVariant("0"));
    }

    void refusedNamesWriteNothing()
    {
        prefs = {{"ActionListName", "../../escaped"}, {"CollectionName", "../../escaped"}};
        const Prefs sent = prefs;
        CActionUtils::SaveAsCustomActionList(&prefs);
        QIcon icon;
        QCOMPARE(CActionHistoryAPI("Wizard").SaveSettingsToHistory(&prefs, &icon), 1);
        QCOMPARE(QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
        QCOMPARE(prefs, sent);
    }

    void categories()
    {
        QCOMPARE(CActionUtils::GetActionListCategories(), (QStringList{"Default", "Favorites"}));
        WriteList("b.xqq", "reports", {0});
        WriteList("A.xqq", "Reports", {0});
        WriteList("c.xqq", "DEFAULT", {0});
        WriteList("d.xqq", "", {0});
        WriteList("e.xqq", "Archive", {0});
        WriteList("f.ini", "Not a list", {0});
        QCOMPARE(CActionUtils::GetActionListCategories(), (QStringList{"Default", "Favorites", "Reports", "Archive"}));
    }

    // Replaces the whole file; the icon is stored at exactly 42 x 42, also
    // when it has no such size to offer.
    void saveFavourite()
    {
        WriteFavourite("Red.ini", QVariant(), 0);
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::red);
        QIcon icon(pixmap);
        prefs.insert("CollectionName", "Red");
        QCOMPARE(CActionHistoryAPI("Wizard").SaveSettingsToHistory(&prefs, &icon), 0);
        QSettings file(Favourite("Red.ini"), QSettings::IniFormat);
        QCOMPARE(file.allKeys(), (QStringList{"ActionIcon", "ActionPrefs"}));
        QCOMPARE(file.value("ActionPrefs").toMap(), prefs);
        const QImage stored = file.value("ActionIcon").value<QImage>();
        QCOMPARE(stored.size(), QSize(42, 42));
        QCOMPARE(stored.pixelColor(20, 20), QColor(Qt::red));
    }

    // The store lists the files named after it, oldest first; 1 is the newest.
    void loadFavourite_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QVariant>("which");  // invalid: no map at all
        QTest::newRow("newest holds no settings") << 1 << QVariant();
        QTest::newRow("second newest") << 2 << QVariant("new");
        QTest::newRow("not a map reads empty") << 3 << QVariant("");
        QTest::newRow("past the oldest") << 5 << QVariant();
    }

    void loadFavourite()
    {
        QFETCH(int, n);
        QFETCH(QVariant, which);
        WriteFavourite("Tool old.ini", Prefs{{"Which", "old"}}, 300);
        WriteFavourite("Tool text.ini", QString("not a map"), 200);
        WriteFavourite("Tool new.ini", Prefs{{"Which", "new"}}, 100);
        WriteFavourite("Tool none.ini", QVariant(), 50);
        WriteFavourite("Other.ini", Prefs{{"Which", "other"}}, 10);
        QDir().mkpath(Favourite("Tool folder"));
        const CActionHistoryAPI store("Tool");
        QStringList names;
        for (const QFileInfo& file : store.HistoryFiles())
            names << file.fileName();
        QCOMPARE(names, (QStringList{"Tool old.ini", "Tool text.ini", "Tool new.ini", "Tool none.ini"}));
        const std::unique_ptr<Prefs> loaded = store.LoadSettingsFromHistory(n);
        QCOMPARE(bool(loaded), which.isValid());
        if (loaded)
            QCOMPARE(loaded->value("Which").toString(), which.toString());
    }

    void dialogNameChecks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("explained");
        QTest::newRow("blanks only") << "   " << false << false;
        QTest::newRow("with blanks") << "My list" << true << false;
        QTest::newRow("separator") << "a/b" << false << true;
    }

    void dialogNameChecks()
    {
        QFETCH(QString, name);
        CSaveAsActionlistDialog list(nullptr, {});
        CSaveAsCollectionDialog favourite(nullptr, {});
        for (auto [dialog, field] : {std::pair<QDialog*, const char*>{&list, "actionListNameLineEdit"},
                                     {&favourite, "collectionNameLineEdit"}}) {
            dialog->show();
            Child<QLineEdit>(dialog, field)->setText(name);
            QTEST(Child<QPushButton>(dialog, "saveButton")->isEnabled(), "enabled");
            QTEST(Child<QLabel>(dialog, "nameProblemLabel")->isVisible(), "explained");
            QTEST(!Child<QLineEdit>(dialog, field)->toolTip().isEmpty(), "explained");
        }
    }

    // The categories come from the stored lists. Return in the name field
    // once saved the step twice.
    void dialogReturnAppendsOneStep()
    {
        WriteList("Chain.xqq", "Reports", {0});
        CSaveAsActionlistDialog dialog(nullptr, {});
        dialog.LoadPrefsData(&prefs);
        QSignalSpy changed(&dialog, &CSaveAsActionlistDialog::actionListChanged);
        dialog.show();
        auto* categories = Child<QComboBox>(&dialog, "categoryComboBox");
        QCOMPARE(categories->itemText(2), QString("Reports"));
        categories->setCurrentIndex(2);
        QTest::mouseClick(Child<QRadioButton>(&dialog, "addToActionListRadioButton"), Qt::LeftButton);
        QTest::keyClicks(Child<QLineEdit>(&dialog, "actionListNameLineEdit"), "Chain");
        QTest::keyClick(Child<QLineEdit>(&dialog, "actionListNameLineEdit"), Qt::Key_Return);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toString(), QString("Chain"));
        QSettings list(ListFile("Chain.xqq"), QSettings::IniFormat);
        QVERIFY(!list.contains("ActionName2"));
        const Prefs appended = list.value("ActionPrefs1").toMap();
        QCOMPARE(appended.value("ActionListOverwrite"), QVariant(false));
        QCOMPARE(appended.value("ActionListCategory"), QVariant("Reports"));
    }

    // A file that is no image leaves the icon; a chosen one ends up 42 x 42.
    void dialogFavouriteWithChosenIcon()
    {
        QImage wide(300, 100, QImage::Format_RGB32);
        wide.fill(Qt::blue);
        QVERIFY(wide.save(outside.filePath("wide.png")));
        WriteFile(outside.filePath("notes.png"), "not an image");
        QPixmap green(64, 64);
        green.fill(Qt::green);
        CSaveAsCollectionDialog dialog(nullptr, {});
        dialog.LoadPrefsData(&prefs);
        dialog.SetCollectionIcon(QIcon(green));
        dialog.show();
        auto* button = Child<QToolButton>(&dialog, "icon_toolButton");
        AnswerFileDialog(outside.filePath("notes.png"));
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(button->icon().pixmap(42, 42).toImage().pixelColor(21, 21), QColor(Qt::green));
        AnswerFileDialog(outside.filePath("wide.png"));
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::keyClicks(Child<QLineEdit>(&dialog, "collectionNameLineEdit"), "Blue chapters");
        QTest::mouseClick(Child<QPushButton>(&dialog, "saveButton"), Qt::LeftButton);
        QSettings favourite(Favourite("Blue chapters.ini"), QSettings::IniFormat);
        QCOMPARE(favourite.value("ActionPrefs").toMap().value("CollectionName"), QVariant("Blue chapters"));
        QCOMPARE(favourite.value("ActionIcon").value<QImage>().pixelColor(21, 21), QColor(Qt::blue));
    }

    // Tool settings files hold the map alone; the dialog closes either way.
    void dialogToolSettingsFile()
    {
        CSaveAsCollectionDialog dialog(nullptr, {});
        dialog.LoadPrefsData(&prefs);
        dialog.setResult(QDialog::Accepted);
        dialog.show();
        AnswerFileDialog(outside.filePath("chapters.tsf"));
        QTest::mouseClick(Child<QPushButton>(&dialog, "saveSettingsToFileButton"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QSettings file(outside.filePath("chapters.tsf"), QSettings::IniFormat);
        QCOMPARE(file.allKeys(), QStringList{"ToolSettings"});
        QCOMPARE(file.value("ToolSettings").toMap(), Settings);
    }
};

VANTORA_DIALOG_TEST_MAIN(TestActionLists)
#include "tst_actionlists.moc"
