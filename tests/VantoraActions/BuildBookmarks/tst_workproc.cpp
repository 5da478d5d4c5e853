// The work procedure through the plug-in as a host loads it, against the
// scripted library: the multi-level branch hands over to the engine and
// reports its failure once; the N-th page branch decides which pages get a
// bookmark, after the old ones, and reports each failing page.
#include "errorhandler.h"
#include "fakepdflibrary.h"
#include "pdflibrarybinding.h"
#include "settingskeys.h"
#include "wizardtesting.h"

namespace {

using namespace SettingsKeys;

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
    void multiLevel_data();
    void multiLevel();
    void everyNthPage_data();
    void everyNthPage();
    void failingPagesAreRecordedAndSkipped_data();
    void failingPagesAreRecordedAndSkipped();
    void libraryNotLoadedDoesNothing_data();
    void libraryNotLoadedDoesNothing();

private:
    int Run(OmbrelPDFLibraryCPDylibCPP1311& library);

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
    FakePDFLibrary::AddExisting(0, L"Old", 1);
    mLibrary = std::make_unique<OmbrelPDFLibraryCPDylibCPP1311>(FakePDFLibrary::Path());
    QVERIFY(mLibrary->LibraryLoaded());
    mErrors.ClearAll();
}

int TestWorkProc::Run(OmbrelPDFLibraryCPDylibCPP1311& library)
{
    WorkProcInfoStruct info{&library, &mErrors, nullptr, nullptr, &mPrefs};
    return mAction->WorkProc(&info);
}

void TestWorkProc::multiLevel_data()
{
    QTest::addColumn<QString>("failingCall");
    QTest::addColumn<int>("skip");
    QTest::addColumn<QString>("tree");
    QTest::newRow("no failure") << "" << 0 << "One (1)\nTwo (2)\nThree (3)\n";
    QTest::newRow("while removing") << "RemoveOutline" << 0 << "Old (1)\n";
    QTest::newRow("second bookmark") << "NewOutline" << 1 << "One (1)\n";
    QTest::newRow("page text of page 3") << "GetPageText" << 2 << "One (1)\nTwo (2)\n";
}

void TestWorkProc::multiLevel()
{
    QFETCH(QString, failingCall);
    QFETCH(int, skip);
    mPrefs = {{LevelCount, 1}, {Level(FontSizeCheck, 1), true}, {Level(FontSizeValue, 1), 18.0}};
    FakePDFLibrary::Pages() = {Heading("One"), Heading("Two"), Heading("Three")};
    if (!failingCall.isEmpty())
        FakePDFLibrary::FailOn(failingCall.toStdString(), skip);
    QCOMPARE(Run(*mLibrary), failingCall.isEmpty() ? 0 : 1);
    QCOMPARE(mErrors.GetCount(), failingCall.isEmpty() ? 0 : 1);
    if (!failingCall.isEmpty())
        QCOMPARE(mErrors.GetLast(), QStringLiteral("Bookmark builder error"));
    QTEST(FakePDFLibrary::Tree(), "tree");
}

void TestWorkProc::everyNthPage_data()
{
    QTest::addColumn<int>("pages");
    QTest::addColumn<QVariant>("n");
    QTest::addColumn<QString>("added");  // after "Old (1)", which overwrite mode does not remove here
    QTest::newRow("N=1 on 3 pages") << 3 << QVariant(1) << "Page 1 (1)\nPage 2 (2)\nPage 3 (3)\n";
    QTest::newRow("N=2 on 5 pages") << 5 << QVariant(2) << "Page 2 (2)\nPage 4 (4)\n";
    QTest::newRow("no digit grouping") << 1000 << QVariant(1000) << "Page 1000 (1000)\n";
    QTest::newRow("N above the page count") << 3 << QVariant(4) << "";
    QTest::newRow("no pages") << 0 << QVariant(1) << "";
    QTest::newRow("N zero") << 3 << QVariant(0) << "";
    QTest::newRow("N negative") << 3 << QVariant(-2) << "";
    QTest::newRow("N missing") << 3 << QVariant() << "";
}

void TestWorkProc::everyNthPage()
{
    QFETCH(int, pages);
    QFETCH(QVariant, n);
    FakePDFLibrary::Pages().assign(static_cast<std::size_t>(pages), L"");
    mPrefs = {{NthChecked, true}, {InsertionMode, 0}, {LevelCount, 1}};
    if (n.isValid())
        mPrefs.insert(NthPage, n);
    QCOMPARE(Run(*mLibrary), 0);
    QCOMPARE(mErrors.GetCount(), 0);
    QFETCH(QString, added);
    QCOMPARE(FakePDFLibrary::Tree(), "Old (1)\n" + added);
}

void TestWorkProc::failingPagesAreRecordedAndSkipped_data()
{
    QTest::addColumn<int>("skip");
    QTest::addColumn<int>("times");
    QTest::addColumn<QString>("added");
    QTest::newRow("second page fails") << 1 << 1 << "Page 1 (1)\nPage 3 (3)\nPage 4 (4)\n";
    QTest::newRow("first two fail") << 0 << 2 << "Page 3 (3)\nPage 4 (4)\n";
    QTest::newRow("every page fails") << 0 << 4 << "";
}

void TestWorkProc::failingPagesAreRecordedAndSkipped()
{
    QFETCH(int, skip);
    QFETCH(int, times);
    QFETCH(QString, added);
    FakePDFLibrary::Pages().assign(4, L"");
    mPrefs = {{NthChecked, true}, {NthPage, 1}};
    FakePDFLibrary::FailOn("NewOutline", skip, times);
    QCOMPARE(Run(*mLibrary), 1);
    QCOMPARE(FakePDFLibrary::Tree(), "Old (1)\n" + added);
    QCOMPARE(mErrors.GetCount(), times);
    for (int i = 0; i < times; ++i)
        QCOMPARE(mErrors.GetAt(i), QStringLiteral("Creating bookmark Error"));
}

void TestWorkProc::libraryNotLoadedDoesNothing_data()
{
    QTest::addColumn<bool>("nth");
    QTest::newRow("N-th page") << true;
    QTest::newRow("multi-level") << false;
}

void TestWorkProc::libraryNotLoadedDoesNothing()
{
    QFETCH(bool, nth);
    OmbrelPDFLibraryCPDylibCPP1311 missing(L"/nonexistent/library.so");
    QVERIFY(!missing.LibraryLoaded());
    mPrefs = {{NthChecked, nth}, {NthPage, 1}, {LevelCount, 1}, {InsertionMode, 0}};
    QCOMPARE(Run(missing), 0);
    QCOMPARE(mErrors.GetCount(), 0);
}

QTEST_GUILESS_MAIN(TestWorkProc)
#include "tst_workproc.moc"
