// The work procedure's multi-level branch, through the plug-in as a host
// loads it: the engine's result and its failures as the host sees them.
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

std::wstring Heading(const QString& text)
{
    return QStringLiteral("Serif-Bold,#000000,18,72,0,0,0,0,0,72,720,%1\n").arg(text).toStdWString();
}

} // namespace

class TestWorkProcMultiLevel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void runsTheEngine();
    void failureIsRecordedOnceAndKeepsEarlierBookmarks_data();
    void failureIsRecordedOnceAndKeepsEarlierBookmarks();

private:
    int Run();

    QPluginLoader mLoader;
    CActionInterface* mAction = nullptr;
    std::unique_ptr<OmbrelPDFLibraryCPDylibCPP1311> mLibrary;
    CErrorHandler mErrors;
    ActionPrefs mPrefs;
};

void TestWorkProcMultiLevel::initTestCase()
{
    mLoader.setFileName(qEnvironmentVariable("VANTORA_BIN_DIR") + QStringLiteral("/libBuildBookmarks.so"));
    mAction = qobject_cast<CActionInterface*>(mLoader.instance());
    QVERIFY2(mAction, qPrintable(mLoader.errorString()));
}

void TestWorkProcMultiLevel::init()
{
    FakePDFLibrary::Reset();
    mLibrary = std::make_unique<OmbrelPDFLibraryCPDylibCPP1311>(FakePDFLibrary::Path());
    mErrors.ClearAll();
    mPrefs = {{LevelCount, 1}, {Level(FontSizeCheck, 1), true}, {Level(FontSizeValue, 1), 18.0}};
    FakePDFLibrary::AddExisting(0, L"Old", 1);
    FakePDFLibrary::Doc().pageTexts = {Heading("One"), Heading("Two"), Heading("Three")};
}

int TestWorkProcMultiLevel::Run()
{
    WorkProcInfoStruct info{mLibrary.get(), &mErrors, nullptr, nullptr, &mPrefs};
    return mAction->WorkProc(&info);
}

void TestWorkProcMultiLevel::runsTheEngine()
{
    QCOMPARE(Run(), 0);
    QCOMPARE(mErrors.GetCount(), 0);
    QCOMPARE(QString::fromStdString(FakePDFLibrary::Dump()), QStringLiteral("One (1)\nTwo (2)\nThree (3)\n"));
}

void TestWorkProcMultiLevel::failureIsRecordedOnceAndKeepsEarlierBookmarks_data()
{
    QTest::addColumn<QString>("failingCall");
    QTest::addColumn<int>("skip");
    QTest::addColumn<QString>("tree");
    QTest::newRow("while removing") << "RemoveOutline" << 0 << "Old (1)\n";
    QTest::newRow("reading fonts") << "FindFonts" << 0 << "";
    QTest::newRow("second bookmark") << "NewOutline" << 1 << "One (1)\n";
    QTest::newRow("page text of page 3") << "GetPageText" << 2 << "One (1)\nTwo (2)\n";
}

void TestWorkProcMultiLevel::failureIsRecordedOnceAndKeepsEarlierBookmarks()
{
    QFETCH(QString, failingCall);
    QFETCH(int, skip);
    FakePDFLibrary::FailOn(failingCall.toStdString(), skip);
    QCOMPARE(Run(), 1);
    QCOMPARE(mErrors.GetCount(), 1);
    QCOMPARE(mErrors.GetLast(), QStringLiteral("Bookmark builder error"));
    QTEST(QString::fromStdString(FakePDFLibrary::Dump()), "tree");
}

QTEST_GUILESS_MAIN(TestWorkProcMultiLevel)
#include "tst_workprocmultilevel.moc"
