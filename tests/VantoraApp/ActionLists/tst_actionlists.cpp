// Where users keep an action's settings: action list files, favourites and
// tool settings files, written directly and through the two save dialogs
// into a throw-away data folder, and read back as the host reads them. Saving
// through the wizard's header buttons is the settings files test's part.

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

using Prefs = QMap<QString, QVariant>;

namespace {

const Prefs Settings{{"ActionName", "Bookmarks by Content"}, {"LevelCount", 1}};

QString ListFile(const QString& name) { return CActionUtils::GetSequenceFolder() + "/" + name; }
QString Favourite(const QString& name) { return CActionUtils::GetCollectionsFolder() + "/" + name; }

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

// Save is off for blanks alone and, with the reason shown, for a separator.
void CheckNames(QDialog* dialog, const char* field)
{
    const struct
    {
        const char* name;
        bool saves;
        bool explained;
    } cases[] = {{"   ", false, false}, {"a/b", false, true}, {"My list", true, false}};
    for (const auto& check : cases) {
        Child<QLineEdit>(dialog, field)->setText(check.name);
        QCOMPARE(Child<QPushButton>(dialog, "saveButton")->isEnabled(), check.saves);
        QCOMPARE(Child<QLabel>(dialog, "nameProblemLabel")->isVisible(), check.explained);
    }
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

    // Names that would leave their folder, or that a file system refuses.
    void storedFileName()
    {
        for (const QString& name : {QString::fromUtf8("Übersicht v1.2"), QString(251, 'x')})
            QVERIFY2(CStoredFileName::Problem(name, ".xqq").isEmpty(), qPrintable(name));
        for (const QString& name : {QString("../evil"), QString("..\\evil"), QString(".."), QString("a:b"),
                                    QString("a") + QChar(0) + "b", QString("a") + QChar(0x7f), QString(252, 'x')})
            QVERIFY2(!CStoredFileName::Problem(name, ".xqq").isEmpty(), qPrintable(name));
    }

    // A new list stores the step without the request keys and strips them
    // from the caller's map; an appended step keeps the whole map.
    void saveActionList_data()
    {
        QTest::addColumn<Prefs>("request");
        QTest::addColumn<QList<int>>("existingSteps");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("sequenceCategory");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("steps");
        const QString name = "ActionListName", category = "ActionListCategory", overwrite = "ActionListOverwrite";
        const QList<int> none;
        QTest::newRow("blanks in the name") << Prefs{{name, "My list"}, {category, "Reports"}, {overwrite, true}}
                                            << none << "My_list.xqq" << "Reports" << 0 << 1;
        QTest::newRow("no name") << Prefs{{category, "Default"}} << none << "Action.xqq" << "Default" << 0 << 1;
        QTest::newRow("no category") << Prefs{{name, "A"}} << none << "A.xqq" << "Favorites" << 0 << 1;
        QTest::newRow("overwrite replaces") << Prefs{{name, "Old"}, {category, "Other"}, {overwrite, true}}
                                            << QList<int>{0, 1, 2} << "Old.xqq" << "Other" << 0 << 1;
        QTest::newRow("append to the first free step") << Prefs{{name, "Chain"}, {category, "Ignored"}}
                                                       << QList<int>{0, 1, 3} << "Chain.xqq" << "Reports" << 2 << 4;
    }

    void saveActionList()
    {
        QFETCH(Prefs, request);
        QFETCH(QList<int>, existingSteps);
        QFETCH(QString, file);
        QFETCH(int, step);
        if (!existingSteps.isEmpty())
            WriteList(file, "Reports", existingSteps);
        prefs.insert(request);
        const bool appending = !request.value("ActionListOverwrite").toBool() && !existingSteps.isEmpty();
        const Prefs stored = appending ? prefs : Prefs{{"LevelCount", 1}};

        CActionUtils::SaveAsCustomActionList(&prefs);
        QCOMPARE(QDir(CActionUtils::GetSequenceFolder()).entryList(QDir::Files), QStringList{file});
        QSettings list(ListFile(file), QSettings::IniFormat);
        QCOMPARE(list.value("SequenceName").toString(), request.value("ActionListName").toString());
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
        QCOMPARE(file.value("ActionIcon").value<QImage>().size(), QSize(42, 42));
    }

    // The store lists the files named after it, oldest first; 1 is the
    // newest. A favourite without settings reads as none, settings that are
    // no map as an empty map.
    void loadFavourite()
    {
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
        const auto load = [&store](int n) {
            const std::unique_ptr<Prefs> loaded = store.LoadSettingsFromHistory(n);
            return loaded ? QVariant(*loaded) : QVariant();
        };
        QCOMPARE(load(1), QVariant());
        QCOMPARE(load(2), QVariant(Prefs{{"Which", "new"}}));
        QCOMPARE(load(3), QVariant(Prefs()));
        QCOMPARE(load(5), QVariant());
    }

    // Save stays off for a blank name and for one that would leave the
    // folder, which the dialog explains. Return in the name field once saved
    // the step twice. The categories come from the stored lists.
    void actionListDialog()
    {
        WriteList("Chain.xqq", "Reports", {0});
        CSaveAsActionlistDialog dialog(nullptr, {});
        dialog.LoadPrefsData(&prefs);
        QSignalSpy changed(&dialog, &CSaveAsActionlistDialog::actionListChanged);
        dialog.show();
        QCOMPARE(Child<QComboBox>(&dialog, "categoryComboBox")->itemText(2), QString("Reports"));
        CheckNames(&dialog, "actionListNameLineEdit");
        QTest::mouseClick(Child<QRadioButton>(&dialog, "addToActionListRadioButton"), Qt::LeftButton);
        Child<QLineEdit>(&dialog, "actionListNameLineEdit")->setText("Chain");
        QTest::keyClick(Child<QLineEdit>(&dialog, "actionListNameLineEdit"), Qt::Key_Return);
        QCOMPARE(changed.count(), 1);
        const QStringList keys = QSettings(ListFile("Chain.xqq"), QSettings::IniFormat).allKeys();
        QCOMPARE(keys.filter(QRegularExpression("^ActionName\\d+$")).size(), 2);
    }

    // Tool settings files hold the map alone; the dialog closes either way.
    void favouriteDialog()
    {
        CSaveAsCollectionDialog dialog(nullptr, {});
        dialog.LoadPrefsData(&prefs);
        dialog.setResult(QDialog::Accepted);
        dialog.show();
        CheckNames(&dialog, "collectionNameLineEdit");
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
