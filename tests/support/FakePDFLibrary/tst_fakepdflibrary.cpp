// The double's own bookkeeping, which every action test relies on: tree
// changes after removals and moves, the call log's wording and the scripted
// failures, all seen through a binding as the action sees them.
#include "fakelog.h"
#include "pdflibrarybinding.h"

#include <QtTest>

#include <memory>
#include <stdexcept>

using FakePDFLibrary::CallLog;

class TestFakePDFLibrary : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void bindingReachesTheScriptedDocument();
    void removingTakesTheSubtreeAndNeverReusesIds();
    void movesRelinkSiblingsAndParents();
    void movesIntoOwnSubtreeAreRefused();
    void newOutlineRefusesUnknownParentAndPage();
    void scriptedFailureSkipsThenThrowsThenPasses();

private:
    std::unique_ptr<OmbrelPDFLibraryCPDylibCPP1311> mLibrary;
};

void TestFakePDFLibrary::init()
{
    FakePDFLibrary::Reset();
    FakePDFLibrary::Doc().pageTexts.assign(5, L"");
    mLibrary = std::make_unique<OmbrelPDFLibraryCPDylibCPP1311>(FakePDFLibrary::Path());
    QVERIFY(mLibrary->LibraryLoaded());
}

void TestFakePDFLibrary::cleanup()
{
    mLibrary.reset();
}

void TestFakePDFLibrary::bindingReachesTheScriptedDocument()
{
    FakePDFLibrary::Doc().pageTexts = {L"first", L"K\u00e4se \U0001D11E"};
    FakePDFLibrary::Doc().pageBoxes.resize(1);
    FakePDFLibrary::Doc().pageBoxes[0].values[1] = 700.5;

    QCOMPARE(mLibrary->PageCount(), 2);
    mLibrary->SelectPage(2);
    QCOMPARE(mLibrary->GetPageText(3), std::wstring(L"K\u00e4se \U0001D11E"));
    QCOMPARE(mLibrary->GetPageBox(1, 1), 792.0);  // page 2 has the default box
    mLibrary->SelectPage(1);
    const int id = mLibrary->NewOutline(0, L"\u00dcber", 2, 0.0);
    mLibrary->SetOutlineDestinationFull(id, 1, 0, 3, 0.0, mLibrary->GetPageBox(1, 1), 612.0, 0.0);

    QCOMPARE(CallLog(), QStringList({
        "PageCount()",
        "SelectPage(2)",
        "GetPageText(3)",
        "GetPageBox(1,1)",
        "SelectPage(1)",
        "NewOutline(0,\"\u00dcber\",2,0)",
        "GetPageBox(1,1)",
        "SetOutlineDestinationFull(1,1,0,3,0,700.5,612,0)",
    }));
    QCOMPARE(FakePDFLibrary::Dump(), std::string("\u00dcber (1)\n"));
}

void TestFakePDFLibrary::removingTakesTheSubtreeAndNeverReusesIds()
{
    const int a = FakePDFLibrary::AddExisting(0, L"A", 1);
    const int b = FakePDFLibrary::AddExisting(a, L"B", 2);
    FakePDFLibrary::AddExisting(b, L"C", 3);
    const int d = FakePDFLibrary::AddExisting(a, L"D", 4);
    const int e = FakePDFLibrary::AddExisting(0, L"E", 5);
    QCOMPARE(mLibrary->OutlineCount(), 5);

    mLibrary->RemoveOutline(b);

    QCOMPARE(mLibrary->OutlineCount(), 3);
    QCOMPARE(FakePDFLibrary::Dump(), std::string("A (1)\n  D (4)\nE (5)\n"));
    QCOMPARE(mLibrary->GetFirstChildOutline(a), d);
    QCOMPARE(mLibrary->GetPrevOutline(d), 0);
    QCOMPARE(mLibrary->GetNextOutline(a), e);
    QCOMPARE(mLibrary->RemoveOutline(b), 0);
    QCOMPARE(mLibrary->NewOutline(0, L"F", 1, 0.0), 6);
}

void TestFakePDFLibrary::movesRelinkSiblingsAndParents()
{
    const int a = FakePDFLibrary::AddExisting(0, L"A", 1);
    const int b = FakePDFLibrary::AddExisting(a, L"B", 2);
    const int c = FakePDFLibrary::AddExisting(0, L"C", 3);
    const int d = FakePDFLibrary::AddExisting(0, L"D", 4);

    mLibrary->MoveOutlineBefore(d, a);
    QCOMPARE(FakePDFLibrary::TopLevel(), std::vector<int>({d, a, c}));
    QCOMPARE(mLibrary->GetFirstOutline(), d);
    QCOMPARE(mLibrary->GetPrevOutline(a), d);
    QCOMPARE(mLibrary->GetNextOutline(c), 0);

    mLibrary->MoveOutlineAfter(c, b);
    QCOMPARE(FakePDFLibrary::Dump(), std::string("D (4)\nA (1)\n  B (2)\n  C (3)\n"));
    QCOMPARE(mLibrary->GetParentOutline(c), a);
    QCOMPARE(FakePDFLibrary::Find(c)->parent, a);
    QCOMPARE(mLibrary->GetNextOutline(b), c);
    QCOMPARE(mLibrary->GetNextOutline(a), 0);
}

void TestFakePDFLibrary::movesIntoOwnSubtreeAreRefused()
{
    const int a = FakePDFLibrary::AddExisting(0, L"A", 1);
    const int b = FakePDFLibrary::AddExisting(a, L"B", 2);

    QCOMPARE(mLibrary->MoveOutlineBefore(a, b), 0);
    QCOMPARE(mLibrary->MoveOutlineAfter(a, a), 0);
    QCOMPARE(mLibrary->MoveOutlineAfter(a, 99), 0);
    QCOMPARE(FakePDFLibrary::Dump(), std::string("A (1)\n  B (2)\n"));
}

void TestFakePDFLibrary::newOutlineRefusesUnknownParentAndPage()
{
    QCOMPARE(mLibrary->NewOutline(42, L"orphan", 1, 0.0), 0);
    QCOMPARE(mLibrary->NewOutline(0, L"before", 0, 0.0), 0);
    QCOMPARE(mLibrary->NewOutline(0, L"after", 6, 0.0), 0);
    QCOMPARE(mLibrary->OutlineCount(), 0);
    QCOMPARE(mLibrary->NewOutline(0, L"", 5, 0.0), 1);
    QCOMPARE(FakePDFLibrary::Dump(), std::string(" (5)\n"));
}

void TestFakePDFLibrary::scriptedFailureSkipsThenThrowsThenPasses()
{
    FakePDFLibrary::FailOn("NewOutline", 1, 1);

    QCOMPARE(mLibrary->NewOutline(0, L"one", 1, 0.0), 1);
    QVERIFY_EXCEPTION_THROWN(mLibrary->NewOutline(0, L"two", 2, 0.0), std::runtime_error);
    QCOMPARE(mLibrary->NewOutline(0, L"three", 3, 0.0), 2);

    QCOMPARE(FakePDFLibrary::Dump(), std::string("one (1)\nthree (3)\n"));
    QCOMPARE(CallLog().size(), 3);
    QCOMPARE(CallLog().at(1), QString("NewOutline(0,\"two\",2,0)"));
}

QTEST_GUILESS_MAIN(TestFakePDFLibrary)
#include "tst_fakepdflibrary.moc"
