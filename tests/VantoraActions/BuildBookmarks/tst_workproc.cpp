// The work procedure through the plug-in as a host loads it, against the
// scripted library: the multi-level branch hands over to the engine and
// reports its failure once; the N-th page branch decides which pages get a
// bookmark, after the old ones, and reports and skips each failing page.
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
    void initTestCase()
    {
        LoadAction(mLoader, mAction);
    }

    void init()
    {
        FakePDFLibrary::Reset();
        FakePDFLibrary::AddExisting(0, L"Old", 1);
        mLibrary = std::make_unique<OmbrelPDFLibraryCPDylibCPP1311>(FakePDFLibrary::Path());
        QVERIFY(mLibrary->LibraryLoaded());
        mErrors.ClearAll();
    }

    void multiLevel_data()
    {
        QTest::addColumn<QString>("failingCall");
        QTest::addColumn<int>("skip");
        QTest::addColumn<QString>("tree");
        QTest::newRow("no failure") << "" << 0 << "One (1)\nTwo (2)\nThree (3)\n";
        QTest::newRow("while removing") << "RemoveOutline" << 0 << "Old (1)\n";
        QTest::newRow("second bookmark") << "NewOutline" << 1 << "One (1)\n";
        QTest::newRow("page text of page 3") << "GetPageText" << 2 << "One (1)\nTwo (2)\n";
    }

    void multiLevel()
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

    void everyNthPage_data()
    {
        QTest::addColumn<int>("pages");
        QTest::addColumn<QVariant>("n");
        QTest::addColumn<int>("failing");  // NewOutline calls that fail, from the second one
        QTest::addColumn<QString>("added");  // after "Old (1)", which overwrite mode does not remove here
        QTest::newRow("N=1 on 3 pages") << 3 << QVariant(1) << 0 << "Page 1 (1)\nPage 2 (2)\nPage 3 (3)\n";
        QTest::newRow("N=2 on 5 pages") << 5 << QVariant(2) << 0 << "Page 2 (2)\nPage 4 (4)\n";
        QTest::newRow("no digit grouping") << 1000 << QVariant(1000) << 0 << "Page 1000 (1000)\n";
        QTest::newRow("N above the page count") << 3 << QVariant(4) << 0 << "";
        QTest::newRow("no pages") << 0 << QVariant(1) << 0 << "";
        QTest::newRow("N zero") << 3 << QVariant(0) << 0 << "";
        QTest::newRow("N negative") << 3 << QVariant(-2) << 0 << "";
        QTest::newRow("N missing") << 3 << QVariant() << 0 << "";
        QTest::newRow("a failing page is skipped") << 4 << QVariant(1) << 1 << "Page 1 (1)\nPage 3 (3)\nPage 4 (4)\n";
        QTest::newRow("every page after the first fails") << 4 << QVariant(1) << 3 << "Page 1 (1)\n";
    }

    void everyNthPage()
    {
        QFETCH(int, pages);
        QFETCH(QVariant, n);
        QFETCH(int, failing);
        QFETCH(QString, added);
        FakePDFLibrary::Pages().assign(static_cast<std::size_t>(pages), L"");
        FakePDFLibrary::FailOn("NewOutline", 1, failing);
        mPrefs = {{NthChecked, true}, {InsertionMode, 0}, {LevelCount, 1}};
        if (n.isValid())
            mPrefs.insert(NthPage, n);
        QCOMPARE(Run(*mLibrary), failing > 0 ? 1 : 0);
        QCOMPARE(FakePDFLibrary::Tree(), "Old (1)\n" + added);
        QCOMPARE(mErrors.GetCount(), failing);
        for (int i = 0; i < failing; ++i)
            QCOMPARE(mErrors.GetAt(i), QStringLiteral("Creating bookmark Error"));
    }

    void libraryNotLoadedDoesNothing_data()
    {
        QTest::addColumn<bool>("nth");
        QTest::newRow("N-th page") << true;
        QTest::newRow("multi-level") << false;
    }

    void libraryNotLoadedDoesNothing()
    {
        QFETCH(bool, nth);
        OmbrelPDFLibraryCPDylibCPP1311 missing(L"/nonexistent/library.so");
        QVERIFY(!missing.LibraryLoaded());
        mPrefs = {{NthChecked, nth}, {NthPage, 1}, {LevelCount, 1}, {InsertionMode, 0}};
        QCOMPARE(Run(missing), 0);
        QCOMPARE(mErrors.GetCount(), 0);
    }

private:
    int Run(OmbrelPDFLibraryCPDylibCPP1311& library)
    {
        WorkProcInfoStruct info{&library, &mErrors, nullptr, nullptr, &mPrefs};
        return mAction->WorkProc(&info);
    }

    QPluginLoader mLoader;
    CActionInterface* mAction = nullptr;
    std::unique_ptr<OmbrelPDFLibraryCPDylibCPP1311> mLibrary;
    CErrorHandler mErrors;
    ActionPrefs mPrefs;
};

QTEST_GUILESS_MAIN(TestWorkProc)
#include "tst_workproc.moc"
