// The work procedure through the plug-in as a host loads it, against the
// scripted library: the multi-level branch hands over to the engine and
// reports its failures; the N-th page branch decides which pages get a
// bookmark, in what form, and how a failing page is reported.
#include "errorhandler.h"
#include "fakelog.h"
#include "pdflibrarybinding.h"
#include "settingskeys.h"
#include "wizardtesting.h"

#include <memory>

namespace {

using namespace SettingsKeys;
using FakePDFLibrary::CallLog;
using FakePDFLibrary::Tree;

ActionPrefs EveryNth(const QVariant& n)
{
    ActionPrefs prefs{{NthChecked, true}};
    if (n.isValid())
        prefs.insert(NthPage, n);
    return prefs;
}

std::wstring Heading(const QString& text)
{
    return QStringLiteral("Serif-Bold,#000000,18,72,0,0,0,0,0,72,720,%1\n").arg(text).toStdWString();
}

} // namespace

class TestWorkProc : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void multiLevelRunsTheEngine();
    void multiLevelFailureIsRecordedOnceAndKeepsEarlierBookmarks_data();
    void multiLevelFailureIsRecordedOnceAndKeepsEarlierBookmarks();
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

void TestWorkProc::initTestCase()
{
    LoadAction(mLoader, mAction);
}

void TestWorkProc::init()
{
    FakePDFLibrary::Reset();
    mLibrary = std::make_unique<OmbrelPDFLibraryCPDylibCPP1311>(FakePDFLibrary::Path());
    QVERIFY(mLibrary->LibraryLoaded());
    mErrors.ClearAll();
}

int TestWorkProc::Run(OmbrelPDFLibraryCPDylibCPP1311* library)
{
    WorkProcInfoStruct info{library, &mErrors, nullptr, nullptr, &mPrefs};
    return mAction->WorkProc(&info);
}

void TestWorkProc::UsePages(int pages)
{
    FakePDFLibrary::Doc().pageTexts.assign(static_cast<std::size_t>(pages), L"");
}

void TestWorkProc::multiLevelRunsTheEngine()
{
    mPrefs = {{LevelCount, 1}, {Level(FontSizeCheck, 1), true}, {Level(FontSizeValue, 1), 18.0}};
    FakePDFLibrary::AddExisting(0, L"Old", 1);
    FakePDFLibrary::Doc().pageTexts = {Heading("One"), Heading("Two"), Heading("Three")};
    QCOMPARE(Run(mLibrary.get()), 0);
    QCOMPARE(mErrors.GetCount(), 0);
    QCOMPARE(Tree(), QStringLiteral("One (1)\nTwo (2)\nThree (3)\n"));
}

void TestWorkProc::multiLevelFailureIsRecordedOnceAndKeepsEarlierBookmarks_data()
{
    QTest::addColumn<QString>("failingCall");
    QTest::addColumn<int>("skip");
    QTest::addColumn<QString>("tree");
    QTest::newRow("while removing") << "RemoveOutline" << 0 << "Old (1)\n";
    QTest::newRow("reading fonts") << "FindFonts" << 0 << "";
    QTest::newRow("second bookmark") << "NewOutline" << 1 << "One (1)\n";
    QTest::newRow("page text of page 3") << "GetPageText" << 2 << "One (1)\nTwo (2)\n";
}

void TestWorkProc::multiLevelFailureIsRecordedOnceAndKeepsEarlierBookmarks()
{
    QFETCH(QString, failingCall);
    QFETCH(int, skip);
    mPrefs = {{LevelCount, 1}, {Level(FontSizeCheck, 1), true}, {Level(FontSizeValue, 1), 18.0}};
    FakePDFLibrary::AddExisting(0, L"Old", 1);
    FakePDFLibrary::Doc().pageTexts = {Heading("One"), Heading("Two"), Heading("Three")};
    FakePDFLibrary::FailOn(failingCall.toStdString(), skip);
    QCOMPARE(Run(mLibrary.get()), 1);
    QCOMPARE(mErrors.GetCount(), 1);
    QCOMPARE(mErrors.GetLast(), QStringLiteral("Bookmark builder error"));
    QTEST(Tree(), "tree");
}

void TestWorkProc::bookmarksEveryNthPage_data()
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

void TestWorkProc::bookmarksEveryNthPage()
{
    QFETCH(int, pages);
    QFETCH(QVariant, n);
    QFETCH(QString, bookmarks);
    UsePages(pages);
    mPrefs = EveryNth(n);

    QCOMPARE(Run(mLibrary.get()), 0);
    QCOMPARE(Tree(), bookmarks);
    QCOMPARE(mErrors.GetCount(), 0);
}

void TestWorkProc::callsOnlyPageCountAndNewOutline()
{
    UsePages(3);
    mPrefs = EveryNth(2);
    mPrefs.insert(InsertionMode, 0);  // Overwrite plays no part in this mode
    mPrefs.insert(ZoomSettings, 2);

    Run(mLibrary.get());

    QCOMPARE(CallLog(), QStringList({"PageCount()", "NewOutline(0,\"Page 2\",2,0)"}));
}

void TestWorkProc::appendsAfterExistingBookmarks()
{
    UsePages(4);
    const int cover = FakePDFLibrary::AddExisting(0, L"Cover", 1);
    FakePDFLibrary::AddExisting(cover, L"Part", 2);
    mPrefs = EveryNth(2);

    QCOMPARE(Run(mLibrary.get()), 0);
    QCOMPARE(Tree(), QString("Cover (1)\n  Part (2)\nPage 2 (2)\nPage 4 (4)\n"));
}

void TestWorkProc::failingPagesAreRecordedAndSkipped_data()
{
    QTest::addColumn<int>("skip");
    QTest::addColumn<int>("times");
    QTest::addColumn<QString>("bookmarks");

    QTest::newRow("second page fails") << 1 << 1 << "Page 1 (1)\nPage 3 (3)\nPage 4 (4)\n";
    QTest::newRow("first two fail") << 0 << 2 << "Page 3 (3)\nPage 4 (4)\n";
    QTest::newRow("every page fails") << 0 << 4 << "";
}

void TestWorkProc::failingPagesAreRecordedAndSkipped()
{
    QFETCH(int, skip);
    QFETCH(int, times);
    QFETCH(QString, bookmarks);
    UsePages(4);
    mPrefs = EveryNth(1);
    FakePDFLibrary::FailOn("NewOutline", skip, times);

    QCOMPARE(Run(mLibrary.get()), 1);
    QCOMPARE(Tree(), bookmarks);
    QCOMPARE(mErrors.GetCount(), times);
    for (int i = 0; i < times; ++i)
        QCOMPARE(mErrors.GetAt(i), QString("Creating bookmark Error"));
}

void TestWorkProc::libraryNotLoadedDoesNothing()
{
    OmbrelPDFLibraryCPDylibCPP1311 missing(L"/nonexistent/OmbrelPDFLibraryCPDylib1311.dylib");
    QVERIFY(!missing.LibraryLoaded());
    mPrefs = EveryNth(1);

    QCOMPARE(Run(&missing), 0);
    QCOMPARE(mErrors.GetCount(), 0);
}

QTEST_GUILESS_MAIN(TestWorkProc)
#include "tst_workproc.moc"
