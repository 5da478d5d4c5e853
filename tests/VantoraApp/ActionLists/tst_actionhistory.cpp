// The favourites store: favourite files written into and read back from a
// throw-away favourites folder.

#include "actionhistoryapi.h"
#include "actionutils.h"
#include "testing.h"

#include <QDir>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using Prefs = QMap<QString, QVariant>;

class TestActionHistory : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void savingTwiceKeepsTheSecond();
    void iconIsStoredAt42_data();
    void iconIsStoredAt42();
    void refusedNamesWriteNothing_data();
    void refusedNamesWriteNothing();
    void listsFilesByPrefixOldestFirst();
    void loadsTheNthNewest_data();
    void loadsTheNthNewest();

private:
    QString favourite(const QString& name) const { return CActionUtils::GetCollectionsFolder() + "/" + name; }
    void WriteFavourite(const QString& fileName, const QVariant& prefs, int secondsAgo);

    QTemporaryDir home;
};

void TestActionHistory::initTestCase()
{
    QVERIFY(home.isValid());
    UseHome(home.path());
}

void TestActionHistory::init()
{
    UseHome(home.path());
}

void TestActionHistory::WriteFavourite(const QString& fileName, const QVariant& prefs, int secondsAgo)
{
    QDir().mkpath(CActionUtils::GetCollectionsFolder());
    {
        QSettings file(favourite(fileName), QSettings::IniFormat);
        if (prefs.isValid())
            file.setValue("ActionPrefs", prefs);
        else
            file.setValue("Other", 1);
    }
    QFile file(favourite(fileName));
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-secondsAgo), QFileDevice::FileModificationTime));
}

void TestActionHistory::savingTwiceKeepsTheSecond()
{
    QIcon icon;
    Prefs first{{"CollectionName", "Chapters"}, {"LevelCount", 1}, {"OnlyFirst", true}};
    QCOMPARE(CActionHistoryAPI("Wizard").SaveSettingsToHistory(&first, &icon), 0);
    {
        QSettings stale(favourite("Chapters.ini"), QSettings::IniFormat);
        stale.setValue("Stale", 1);
    }
    Prefs second{{"CollectionName", "Chapters"}, {"LevelCount", 2}};
    QCOMPARE(CActionHistoryAPI("Wizard").SaveSettingsToHistory(&second, &icon), 0);

    QSettings file(favourite("Chapters.ini"), QSettings::IniFormat);
    QCOMPARE(file.allKeys(), (QStringList{"ActionIcon", "ActionPrefs"}));
    QCOMPARE(file.value("ActionPrefs").toMap(), second);
}

void TestActionHistory::iconIsStoredAt42_data()
{
    QTest::addColumn<int>("side");
    QTest::newRow("larger") << 128;
    QTest::newRow("smaller") << 16;
}

void TestActionHistory::iconIsStoredAt42()
{
    QFETCH(int, side);
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::red);
    QIcon icon(pixmap);
    Prefs prefs{{"CollectionName", "Red"}};
    QCOMPARE(CActionHistoryAPI("Wizard").SaveSettingsToHistory(&prefs, &icon), 0);
    const QImage stored = QSettings(favourite("Red.ini"), QSettings::IniFormat).value("ActionIcon").value<QImage>();
    QCOMPARE(stored.size(), QSize(42, 42));
    QCOMPARE(QColor(stored.pixel(20, 20)), QColor(Qt::red));
}

void TestActionHistory::refusedNamesWriteNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("parent folder") << "../../Escaped";
    QTest::newRow("absolute") << home.path() + "/Escaped";
    QTest::newRow("backslash") << "..\\Escaped";
}

void TestActionHistory::refusedNamesWriteNothing()
{
    QFETCH(QString, name);
    Prefs prefs{{"CollectionName", name}};
    QIcon icon;
    QCOMPARE(CActionHistoryAPI("Wizard").SaveSettingsToHistory(&prefs, &icon), 1);
    QCOMPARE(QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

void TestActionHistory::listsFilesByPrefixOldestFirst()
{
    QCOMPARE(CActionHistoryAPI("Wizard").HistoryFiles().size(), 0);
    WriteFavourite("Wizardx.ini", Prefs{{"Which", "x"}}, 10);
    WriteFavourite("Wizard.ini", Prefs{{"Which", "plain"}}, 100);
    WriteFavourite("Other.ini", Prefs{{"Which", "other"}}, 50);
    QDir().mkpath(favourite("Wizard folder"));
    QStringList names;
    for (const QFileInfo& file : CActionHistoryAPI("Wizard").HistoryFiles())
        names << file.fileName();
    QCOMPARE(names, (QStringList{"Wizard.ini", "Wizardx.ini"}));
}

void TestActionHistory::loadsTheNthNewest_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QVariant>("which");
    QTest::newRow("newest holds no settings") << 1 << false << QVariant();
    QTest::newRow("second newest") << 2 << true << QVariant("new");
    QTest::newRow("not a map reads empty") << 3 << true << QVariant();
    QTest::newRow("oldest") << 4 << true << QVariant("old");
    QTest::newRow("zero") << 0 << false << QVariant();
    QTest::newRow("past the oldest") << 5 << false << QVariant();
    QTest::newRow("negative") << -1 << false << QVariant();
}

void TestActionHistory::loadsTheNthNewest()
{
    QFETCH(int, n);
    QFETCH(bool, found);
    QFETCH(QVariant, which);
    WriteFavourite("Tool old.ini", Prefs{{"Which", "old"}}, 300);
    WriteFavourite("Tool text.ini", QString("not a map"), 200);
    WriteFavourite("Tool new.ini", Prefs{{"Which", "new"}}, 100);
    WriteFavourite("Tool none.ini", QVariant(), 50);

    const std::unique_ptr<Prefs> prefs = CActionHistoryAPI("Tool").LoadSettingsFromHistory(n);
    QCOMPARE(bool(prefs), found);
    if (prefs)
        QCOMPARE(prefs->value("Which"), which);
}

QTEST_MAIN(TestActionHistory)
#include "tst_actionhistory.moc"
