// The work procedure's N-th page mode, through the plug-in as a host loads it
// and against the scripted library: which pages get a bookmark, in what form,
// and how a failing page is reported.
#include "actioninterface.h"
#include "actionrecords.h"
#include "errorhandler.h"
#include "fakepdflibrary.h"
#include "pdflibrarybinding.h"
#include "settingskeys.h"

#include <QPluginLoader>
#include <QtTest>

#include <memory>

namespace {

using namespace SettingsKeys;

ActionPrefs EveryNth(const QVariant& n)
{
    ActionPrefs prefs{{NthChecked, true}};
    if (n.isValid())
        prefs.insert(NthPage, n);
    return prefs;
}

QStringList CallLog()
{
    QStringList lines;
    for (const std::string& line : FakePDFLibrary::Calls())
        lines << QString::fromStdString(line);
    return lines;
}

QString Dump()
{
    return QString::fromStdString(FakePDFLibrary::Dump());
}

} // namespace

class TestWorkProcNthPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void bookmarksEveryNthPage_data();
    void bookmarksEveryNthPage();
    void callsOnlyPageCountAndNewOutline();
    void appendsAfterExistingBookmarks();
    void failingPagesAreRecordedAndSkipped_data();
    void failingPagesAreRecordedAndSkipped();
    void libraryNotLoadedDoesNothing();

private:
    int Run(OmbrelPDFLibraryCPDylibCPP1311* library);
    void UsePages(int pages);

    QPluginLoader mLoader;
    CActionInterface* mAction = nullptr;
    std::unique_ptr<OmbrelPDFLibraryCPDylibCPP1311> mLibrary;
    CErrorHandler mErrors;
    ActionPrefs mPrefs;
};

void TestWorkProcNthPage::initTestCase()
{
    mLoader.setFileName(qEnvironmentVariable("VANTORA_BIN_DIR") + QStringLiteral("/libBuildBookmarks.so"));
    mAction = qobject_cast<CActionInterface*>(mLoader.instance());
    QVERIFY2(mAction, qPrintable(mLoader.errorString()));
}

void TestWorkProcNthPage::init()
{
    FakePDFLibrary::Reset();
    mLibrary = std::make_unique<OmbrelPDFLibraryCPDylibCPP1311>(FakePDFLibrary::Path());
    QVERIFY(mLibrary->LibraryLoaded());
    mErrors.ClearAll();
}

int TestWorkProcNthPage::Run(OmbrelPDFLibraryCPDylibCPP1311* library)
{
    WorkProcInfoStruct info{library, &mErrors, nullptr, nullptr, &mPrefs};
    return mAction->WorkProc(&info);
}

void TestWorkProcNthPage::UsePages(int pages)
{
    FakePDFLibrary::Doc().pageTexts.assign(static_cast<std::size_t>(pages), L"");
}

void TestWorkProcNthPage::bookmarksEveryNthPage_data()
{
    QTest::addColumn<int>("pages");
    QTest::addColumn<QVariant>("n");
    QTest::addColumn<QString>("bookmarks");

    QTest::newRow("N=1 on 3 pages") << 3 << QVariant(1) << "Page 1 (1)\nPage 2 (2)\nPage 3 (3)\n";
    QTest::newRow("N=2 on 5 pages") << 5 << QVariant(2) << "Page 2 (2)\nPage 4 (4)\n";
    QTest::newRow("no digit grouping") << 1000 << QVariant(1000) << "Page 1000 (1000)\n";
    QTest::newRow("N above the page count") << 3 << QVariant(4) << "";
    QTest::newRow("no pages") << 0 << QVariant(1) << "";
    QTest::newRow("N zero") << 3 << QVariant(0) << "";
    QTest::newRow("N negative") << 3 << QVariant(-2) << "";
    QTest::newRow("N missing") << 3 << QVariant() << "";
}

void TestWorkProcNthPage::bookmarksEveryNthPage()
{
    QFETCH(int, pages);
    QFETCH(QVariant, n);
    QFETCH(QString, bookmarks);
    UsePages(pages);
    mPrefs = EveryNth(n);

    QCOMPARE(Run(mLibrary.get()), 0);
    QCOMPARE(Dump(), bookmarks);
    QCOMPARE(mErrors.GetCount(), 0);
}

void TestWorkProcNthPage::callsOnlyPageCountAndNewOutline()
{
    UsePages(3);
    mPrefs = EveryNth(2);
    mPrefs.insert(InsertionMode, 0);  // Overwrite plays no part in this mode
    mPrefs.insert(ZoomSettings, 2);

    Run(mLibrary.get());

    QCOMPARE(CallLog(), QStringList({"PageCount()", "NewOutline(0,\"Page 2\",2,0)"}));
}

void TestWorkProcNthPage::appendsAfterExistingBookmarks()
{
    UsePages(4);
    const int cover = FakePDFLibrary::AddExisting(0, L"Cover", 1);
    FakePDFLibrary::AddExisting(cover, L"Part", 2);
    mPrefs = EveryNth(2);

    QCOMPARE(Run(mLibrary.get()), 0);
    QCOMPARE(Dump(), QString("Cover (1)\n  Part (2)\nPage 2 (2)\nPage 4 (4)\n"));
}

void TestWorkProcNthPage::failingPagesAreRecordedAndSkipped_data()
{
    QTest::addColumn<int>("skip");
    QTest::addColumn<int>("times");
    QTest::addColumn<QString>("bookmarks");

    QTest::newRow("second page fails") << 1 << 1 << "Page 1 (1)\nPage 3 (3)\nPage 4 (4)\n";
    QTest::newRow("first two fail") << 0 << 2 << "Page 3 (3)\nPage 4 (4)\n";
    QTest::newRow("every page fails") << 0 << 4 << "";
}

void TestWorkProcNthPage::failingPagesAreRecordedAndSkipped()
{
    QFETCH(int, skip);
    QFETCH(int, times);
    QFETCH(QString, bookmarks);
    UsePages(4);
    mPrefs = EveryNth(1);
    FakePDFLibrary::FailOn("NewOutline", skip, times);

    QCOMPARE(Run(mLibrary.get()), 1);
    QCOMPARE(Dump(), bookmarks);
    QCOMPARE(mErrors.GetCount(), times);
    for (int i = 0; i < times; ++i)
        QCOMPARE(mErrors.GetAt(i), QString("Creating bookmark Error"));
}

void TestWorkProcNthPage::libraryNotLoadedDoesNothing()
{
    OmbrelPDFLibraryCPDylibCPP1311 missing(L"/nonexistent/OmbrelPDFLibraryCPDylib1311.dylib");
    QVERIFY(!missing.LibraryLoaded());
    mPrefs = EveryNth(1);

    QCOMPARE(Run(&missing), 0);
    QCOMPARE(mErrors.GetCount(), 0);
}

QTEST_GUILESS_MAIN(TestWorkProcNthPage)
#include "tst_workprocnthpage.moc"
