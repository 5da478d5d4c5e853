// Action list files as the host reads them: written through
// CActionUtils::SaveAsCustomActionList into a throw-away data folder.

#include "actionutils.h"
#include "testing.h"
#include "storedfilename.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using Prefs = QMap<QString, QVariant>;

class TestActionLists : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void storedFileName_data();
    void storedFileName();
    void newListKeepsBlanksInItsName();
    void newListRequestDefaults_data();
    void newListRequestDefaults();
    void overwriteReplacesTheWholeList();
    void appendTakesTheFirstFreeStep();
    void appendToMissingListCreatesIt();
    void refusedNamesWriteNothing_data();
    void refusedNamesWriteNothing();
    void categories();

private:
    QString folder() const { return CActionUtils::GetSequenceFolder(); }
    QString listFile(const QString& fileName) const { return folder() + "/" + fileName; }

    QTemporaryDir home;
};

namespace {

Prefs Step(const QString& marker)
{
    return {{"ActionName", "Bookmarks by Content"}, {"LevelCount", 1}, {"FontNameCombo1", marker}};
}

Prefs Request(Prefs prefs, const QVariant& name, const QVariant& category, const QVariant& overwrite)
{
    if (name.isValid())
        prefs.insert("ActionListName", name);
    if (category.isValid())
        prefs.insert("ActionListCategory", category);
    if (overwrite.isValid())
        prefs.insert("ActionListOverwrite", overwrite);
    return prefs;
}

void WriteList(const QString& path, const QString& category, const QList<int>& steps)
{
    QSettings list(path, QSettings::IniFormat);
    list.setValue("SequenceName", QFileInfo(path).baseName());
    list.setValue("SequenceCategory", category);
    list.setValue("IOSettings", 0);
    for (int step : steps) {
        list.setValue(QString("ActionName%1").arg(step), "Other action");
        list.setValue(QString("ActionPrefs%1").arg(step), QVariantMap{{"Step", step}});
    }
}

QStringList FilesIn(const QString& path)
{
    QStringList files;
    QDirIterator it(path, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(path).relativeFilePath(it.next());
    files.sort();
    return files;
}

} // namespace

void TestActionLists::initTestCase()
{
    QVERIFY(home.isValid());
    UseHome(home.path());
    QVERIFY(folder().startsWith(home.path()));
}

void TestActionLists::init()
{
    UseHome(home.path());
}

void TestActionLists::storedFileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("plain") << "Reports" << true;
    QTest::newRow("blanks and dots") << "My list v1.2" << true;
    QTest::newRow("accents") << QString::fromUtf8("Übersicht – Kapitel") << true;
    QTest::newRow("empty") << "" << true;
    QTest::newRow("slash") << "../evil" << false;
    QTest::newRow("backslash") << "..\\evil" << false;
    QTest::newRow("parent") << ".." << false;
    QTest::newRow("current") << "." << false;
    QTest::newRow("colon") << "a:b" << false;
    QTest::newRow("newline") << "two\nlines" << false;
    QTest::newRow("nul") << QString("a") + QChar(0) + "b" << false;
    QTest::newRow("too long") << QString(252, 'x') << false;
    QTest::newRow("just fits") << QString(251, 'x') << true;
}

void TestActionLists::storedFileName()
{
    QFETCH(QString, name);
    QFETCH(bool, accepted);
    const QString problem = CStoredFileName::Problem(name, ".xqq");
    QCOMPARE(problem.isEmpty(), accepted);
}

void TestActionLists::newListKeepsBlanksInItsName()
{
    Prefs prefs = Request(Step("one"), "My list", "Reports", true);
    CActionUtils::SaveAsCustomActionList(&prefs);

    QCOMPARE(FilesIn(folder()), QStringList{"My_list.xqq"});
    QSettings list(listFile("My_list.xqq"), QSettings::IniFormat);
    QCOMPARE(list.value("SequenceName").toString(), QStringLiteral("My list"));
    QCOMPARE(list.value("SequenceCategory").toString(), QStringLiteral("Reports"));
    QCOMPARE(list.value("IOSettings").toInt(), 0);
    QCOMPARE(list.value("ActionName0").toString(), QStringLiteral("Bookmarks by Content"));
    // The stored step and the caller's map both lose the request keys.
    const Prefs expected{{"LevelCount", 1}, {"FontNameCombo1", "one"}};
    QCOMPARE(list.value("ActionPrefs0").toMap(), expected);
    QCOMPARE(prefs, expected);
    QVERIFY(!list.contains("ActionName1"));
}

void TestActionLists::newListRequestDefaults_data()
{
    QTest::addColumn<QVariant>("name");
    QTest::addColumn<QVariant>("category");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("sequenceName");
    QTest::addColumn<QString>("sequenceCategory");
    QTest::newRow("no name") << QVariant() << QVariant("Default") << "Action.xqq" << "" << "Default";
    QTest::newRow("no category") << QVariant("A") << QVariant() << "A.xqq" << "A" << "Favorites";
    QTest::newRow("empty category") << QVariant("A") << QVariant("") << "A.xqq" << "A" << "Favorites";
}

void TestActionLists::newListRequestDefaults()
{
    QFETCH(QVariant, name);
    QFETCH(QVariant, category);
    QFETCH(QString, file);
    QFETCH(QString, sequenceName);
    QFETCH(QString, sequenceCategory);
    Prefs prefs = Request(Step("x"), name, category, QVariant());
    CActionUtils::SaveAsCustomActionList(&prefs);
    QCOMPARE(FilesIn(folder()), QStringList{file});
    QSettings list(listFile(file), QSettings::IniFormat);
    QCOMPARE(list.value("SequenceName").toString(), sequenceName);
    QCOMPARE(list.value("SequenceCategory").toString(), sequenceCategory);
}

void TestActionLists::overwriteReplacesTheWholeList()
{
    QDir().mkpath(folder());
    WriteList(listFile("Old.xqq"), "Reports", {0, 1, 2});
    Prefs prefs = Request(Step("new"), "Old", "Other", true);
    CActionUtils::SaveAsCustomActionList(&prefs);

    QSettings list(listFile("Old.xqq"), QSettings::IniFormat);
    QCOMPARE(list.value("SequenceCategory").toString(), QStringLiteral("Other"));
    QCOMPARE(list.value("ActionPrefs0").toMap().value("FontNameCombo1").toString(), QStringLiteral("new"));
    QVERIFY(!list.contains("ActionName1"));
    QVERIFY(!list.contains("ActionName2"));
}

void TestActionLists::appendTakesTheFirstFreeStep()
{
    QDir().mkpath(folder());
    WriteList(listFile("Chain.xqq"), "Reports", {0, 1, 3});
    Prefs prefs = Request(Step("appended"), "Chain", "Ignored", false);
    const Prefs sent = prefs;
    CActionUtils::SaveAsCustomActionList(&prefs);

    QSettings list(listFile("Chain.xqq"), QSettings::IniFormat);
    QCOMPARE(list.value("ActionName2").toString(), QStringLiteral("Bookmarks by Content"));
    // Appended steps keep the whole map, request keys included.
    QCOMPARE(list.value("ActionPrefs2").toMap(), sent);
    QCOMPARE(prefs, sent);
    QCOMPARE(list.value("ActionPrefs3").toMap().value("Step").toInt(), 3);
    QCOMPARE(list.value("SequenceCategory").toString(), QStringLiteral("Reports"));
    QVERIFY(!list.contains("ActionName4"));

    // The next one goes after step 3.
    CActionUtils::SaveAsCustomActionList(&prefs);
    list.sync();
    QVERIFY(list.contains("ActionName4"));
}

void TestActionLists::appendToMissingListCreatesIt()
{
    Prefs prefs = Request(Step("first"), "Fresh", "Default", false);
    CActionUtils::SaveAsCustomActionList(&prefs);
    QSettings list(listFile("Fresh.xqq"), QSettings::IniFormat);
    QCOMPARE(list.value("SequenceCategory").toString(), QStringLiteral("Default"));
    QCOMPARE(list.value("ActionPrefs0").toMap().value("FontNameCombo1").toString(), QStringLiteral("first"));
    QVERIFY(!prefs.contains("ActionListName"));
}

void TestActionLists::refusedNamesWriteNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("parent folder") << "../../escaped";
    QTest::newRow("absolute") << home.path() + "/escaped";
    QTest::newRow("backslash") << "..\\escaped";
    QTest::newRow("dot dot") << "..";
}

void TestActionLists::refusedNamesWriteNothing()
{
    QFETCH(QString, name);
    Prefs prefs = Request(Step("x"), name, "Default", true);
    const Prefs sent = prefs;
    CActionUtils::SaveAsCustomActionList(&prefs);
    QCOMPARE(FilesIn(home.path()), QStringList());
    QCOMPARE(prefs, sent);
}

void TestActionLists::categories()
{
    QCOMPARE(CActionUtils::GetActionListCategories(), (QStringList{"Default", "Favorites"}));

    QDir().mkpath(folder());
    WriteList(listFile("b.xqq"), "reports", {0});
    WriteList(listFile("A.xqq"), "Reports", {0});
    WriteList(listFile("c.xqq"), "DEFAULT", {0});
    WriteList(listFile("d.xqq"), "", {0});
    WriteList(listFile("e.xqq"), "Archive", {0});
    WriteList(listFile("f.ini"), "Not a list", {0});
    QDir().mkpath(listFile("folder.xqq"));
    QCOMPARE(CActionUtils::GetActionListCategories(), (QStringList{"Default", "Favorites", "Reports", "Archive"}));
}

QTEST_GUILESS_MAIN(TestActionLists)
#include "tst_actionlists.moc"
