// The engine's conversation with the PDF library, checked call by call on the
// scripted library.
#include "buildbookmarkapi.h"
#include "fakelog.h"
#include "pdflibrarybinding.h"
#include "settingskeys.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

using namespace SettingsKeys;
using FakePDFLibrary::CallLog;
using FakePDFLibrary::Tree;

// A record as the library delivers it: heading position (72, top).
std::wstring Line(const QString& font, double size, double top, const QString& text,
                  const QString& colour = QStringLiteral("#000000"))
{
    return QStringLiteral("%1,%2,%3,72,0,0,0,0,0,72,%4,%5\n")
        .arg(font, colour).arg(size).arg(top).arg(text).toStdWString();
}

std::wstring Chapter(const QString& text, double top = 720) { return Line("Serif-Bold", 18, top, text); }
std::wstring Section(const QString& text, double top = 650) { return Line("Serif-Bold", 14, top, text); }
std::wstring Topic(const QString& text, double top = 600) { return Line("Serif-Italic", 12, top, text); }
std::wstring Body(const QString& text, double top = 500) { return Line("Serif", 10, top, text); }

// Levels by size: 18 chapters, 14 sections, 12 topics.
QVariantMap ThreeLevels()
{
    QVariantMap settings{{LevelCount, 3}, {InsertionMode, 1}};
    const double sizes[] = {18, 14, 12};
    for (int level = 1; level <= 3; ++level) {
        settings[Level(FontSizeCheck, level)] = true;
        settings[Level(FontSizeValue, level)] = sizes[level - 1];
        settings[Level(FontSizeTolerance, level)] = 0.5;
    }
    return settings;
}

QStringList CallsNamed(const QStringList& names)
{
    QStringList lines;
    for (const QString& line : CallLog())
        if (names.contains(line.section('(', 0, 0)))
            lines << line;
    return lines;
}

} // namespace

class TestBookmarkEngineCalls : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void destinationByMagnification_data();
    void destinationByMagnification();
    void wholeRunInOrder();
    void overwriteRemovesEverything();
    void overwriteOnEmptyDocumentRemovesNothing();
    void beforeKeepsNewTopLevelInOrderAheadOfOld();
    void numberingAndOrphans();
    void repeatedRunningHeaders();
    void fontCatalogue();
    void keywordList_data();
    void keywordList();
    void collapseOption_data();
    void collapseOption();
    void exactText();
    void multiLineHeadings();
    void invalidMaskFailsOnlyItsLevel();
    void unloadedLibraryIsAnEmptyDocument();

private:
    void Run(QVariantMap settings);

    std::unique_ptr<OmbrelPDFLibraryCPDylibCPP1311> mLibrary;
};

void TestBookmarkEngineCalls::init()
{
    FakePDFLibrary::Reset();
    mLibrary = std::make_unique<OmbrelPDFLibraryCPDylibCPP1311>(FakePDFLibrary::Path());
    QVERIFY(mLibrary->LibraryLoaded());
}

void TestBookmarkEngineCalls::Run(QVariantMap settings)
{
    CBuildBookmarkAPI engine(mLibrary.get(), &settings);
    engine.BuildBookmarks();
}

void TestBookmarkEngineCalls::destinationByMagnification_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("destinations");
    QTest::newRow("inherit") << 0 << QStringList{};
    QTest::newRow("zoom") << 1 << QStringList{"SetOutlineDestinationFull(1,2,150,1,72,720,612,0)"};
    QTest::newRow("fit width") << 2 << QStringList{"SetOutlineDestinationFull(1,2,0,3,0,720,612,0)"};
    QTest::newRow("fit height") << 3 << QStringList{"SetOutlineDestinationFull(1,2,0,4,72,792,612,0)"};
    QTest::newRow("fit page") << 4 << QStringList{"SetOutlineDestinationFull(1,2,0,2,0,792,612,0)"};
    QTest::newRow("fit visible") << 5 << QStringList{"SetOutlineDestinationFull(1,2,0,6,0,792,612,0)"};
    QTest::newRow("unknown") << 9 << QStringList{};
}

void TestBookmarkEngineCalls::destinationByMagnification()
{
    QFETCH(int, mode);
    FakePDFLibrary::Doc().pageTexts = {Body("Cover"), Chapter("One") + Section("Part")};
    QVariantMap settings = ThreeLevels();
    settings[ZoomSettings] = mode;
    settings[ZoomValue] = 150;
    Run(settings);

    QTEST(CallsNamed({"SetOutlineDestinationFull"}), "destinations");
    // The box is read for the top-level bookmark in every mode, never for its child.
    QCOMPARE(CallsNamed({"GetPageBox"}),
             (QStringList{"GetPageBox(1,0)", "GetPageBox(1,1)", "GetPageBox(1,4)", "GetPageBox(1,5)"}));
}

void TestBookmarkEngineCalls::wholeRunInOrder()
{
    FakePDFLibrary::Doc().pageTexts = {Chapter("One") + Section("Part") + Body("text")};
    FakePDFLibrary::Doc().fonts = {{L"Serif", L"Serif-Bold", 2}};
    QVariantMap settings = ThreeLevels();
    settings[ZoomSettings] = 2;
    Run(settings);

    QCOMPARE(CallLog(), (QStringList{
        "FindFonts()", "GetFontID(1)", "SelectFont(1)", "FontFamily()", "FontName()", "GetFontEncoding()",
        "PageCount()",
        "SelectPage(1)", "SetTextExtractionOptions(1,0)", "GetPageText(3)",
        "NewOutline(0,\"One\",1,0)",
        "SelectPage(1)", "GetPageBox(1,0)", "GetPageBox(1,1)", "GetPageBox(1,4)", "GetPageBox(1,5)",
        "SetOutlineDestinationFull(1,1,0,3,0,720,612,0)",
        "NewOutline(1,\"Part\",1,0)",
    }));
}

void TestBookmarkEngineCalls::overwriteRemovesEverything()
{
    using FakePDFLibrary::AddExisting;
    const int a = AddExisting(0, L"A", 1);
    const int a1 = AddExisting(a, L"A1", 1);
    AddExisting(a1, L"A1x", 1);
    AddExisting(a, L"A2", 1);
    AddExisting(a, L"A3", 1);
    AddExisting(0, L"B", 1);
    FakePDFLibrary::Doc().pageTexts = {Chapter("New")};

    QVariantMap settings = ThreeLevels();
    settings[InsertionMode] = 0;
    Run(settings);

    QCOMPARE(Tree(), QStringLiteral("New (1)\n"));
    // The first pass takes the first item's children from the second one on,
    // then the first child, then the item itself.
    const QStringList removal = CallsNamed({"OutlineCount", "RemoveOutline"});
    QCOMPARE(removal.mid(0, 5), (QStringList{"OutlineCount()", "RemoveOutline(4)", "RemoveOutline(5)",
                                             "RemoveOutline(2)", "RemoveOutline(1)"}));
}

void TestBookmarkEngineCalls::overwriteOnEmptyDocumentRemovesNothing()
{
    FakePDFLibrary::Doc().pageTexts = {Chapter("New")};
    QVariantMap settings = ThreeLevels();
    settings[InsertionMode] = 0;
    Run(settings);
    QVERIFY(CallsNamed({"RemoveOutline"}).isEmpty());
    QCOMPARE(Tree(), QStringLiteral("New (1)\n"));
}

void TestBookmarkEngineCalls::beforeKeepsNewTopLevelInOrderAheadOfOld()
{
    const int old1 = FakePDFLibrary::AddExisting(0, L"Old 1", 1);
    FakePDFLibrary::AddExisting(old1, L"Old child", 1);
    FakePDFLibrary::AddExisting(0, L"Old 2", 2);
    FakePDFLibrary::Doc().pageTexts = {Chapter("One") + Section("One.A"), Chapter("Two")};

    QVariantMap settings = ThreeLevels();
    settings[InsertionMode] = 2;
    Run(settings);

    QCOMPARE(CallsNamed({"MoveOutlineBefore"}),
             (QStringList{"MoveOutlineBefore(4,1)", "MoveOutlineBefore(6,1)"}));
    QCOMPARE(Tree(), QStringLiteral("One (1)\n  One.A (1)\nTwo (2)\nOld 1 (1)\n  Old child (1)\nOld 2 (2)\n"));
}

void TestBookmarkEngineCalls::numberingAndOrphans()
{
    FakePDFLibrary::Doc().pageTexts = {
        Section("Orphan section") + Topic("Orphan topic") + Chapter("Intro") + Chapter("Scope")
            + Topic("Topic under chapter") + Section("Terms") + Topic("First") + Topic("Second"),
        Topic("Third") + Section("Symbols") + Chapter("Body") + Section("Start"),
    };
    QVariantMap settings = ThreeLevels();
    settings[Level(LeadingNumbers, 1)] = 0;
    settings[Level(LeadingNumbers, 2)] = 1;
    settings[Level(LeadingNumbers, 3)] = 1;
    Run(settings);

    QCOMPARE(Tree(), QStringLiteral(
        "Intro (1)\n"
        "Scope (1)\n"
        "  2.1 Terms (1)\n"
        "    2.1.1 First (1)\n"
        "    2.1.2 Second (1)\n"
        "    2.1.3 Third (2)\n"
        "  2.2 Symbols (2)\n"
        "Body (2)\n"
        "  3.1 Start (2)\n"));
}

void TestBookmarkEngineCalls::repeatedRunningHeaders()
{
    // A running head in chapter style on every page, and a section that
    // repeats a chapter's words.
    FakePDFLibrary::Doc().pageTexts = {
        Chapter("Manual", 780) + Chapter("Install"),
        Chapter("Manual", 780) + Section("Install") + Section("Manual"),
    };
    QVariantMap settings = ThreeLevels();
    settings[Level(RepeatedHeadings, 1)] = true;
    Run(settings);

    // Level 2 does not ignore repeats, so "Install" is still a section; the
    // second running head fails level 1 as seen and no other level takes it.
    QCOMPARE(Tree(), QStringLiteral("Manual (1)\nInstall (1)\n  Install (2)\n  Manual (2)\n"));
}

void TestBookmarkEngineCalls::fontCatalogue()
{
    FakePDFLibrary::Doc().fonts = {{L"Serif", L"Serif-Bold", 2}, {L"Mono", L"Mono", 4}, {L"Sym", L"Sym", 9}};
    QVariantMap settings;
    CBuildBookmarkAPI engine(mLibrary.get(), &settings);
    QCOMPARE(engine.DocumentFonts().families, (QStringList{"Serif", "Mono", "Sym"}));
    QCOMPARE(engine.DocumentFonts().names, (QStringList{"Serif-Bold", "Mono", "Sym"}));
    QCOMPARE(engine.DocumentFonts().encodings, (QStringList{"WinAnsiEncoding", "StandardEncoding", "Unknown"}));
}

void TestBookmarkEngineCalls::keywordList_data()
{
    QTest::addColumn<bool>("include");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("tree");
    QTest::newRow("include") << true << "Scope\r\nTerms\n" << "Scope (1)\nTerms (1)\n";
    QTest::newRow("exclude") << false << "Scope\r\nTerms\n" << "Intro (1)\n";
    QTest::newRow("include, unreadable file") << true << "" << "";
    QTest::newRow("exclude, unreadable file") << false << "" << "Intro (1)\nScope (1)\nTerms (1)\n";
}

void TestBookmarkEngineCalls::keywordList()
{
    QFETCH(bool, include);
    QFETCH(QString, file);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("missing.txt"));
    if (!file.isEmpty()) {
        path = dir.filePath(QStringLiteral("keys.txt"));
        QFile keys(path);
        QVERIFY(keys.open(QIODevice::WriteOnly));
        keys.write(file.toUtf8());
    }
    FakePDFLibrary::Doc().pageTexts = {Chapter("Intro") + Chapter("Scope") + Chapter("Terms")};
    QVariantMap settings = ThreeLevels();
    settings[Level(KeywordListCheck, 1)] = true;
    settings[Level(IncludeRadio, 1)] = include;
    settings[Level(KeyListEdit, 1)] = path;
    Run(settings);
    QTEST(Tree(), "tree");
}

void TestBookmarkEngineCalls::collapseOption_data()
{
    QTest::addColumn<QVariant>("collapse");
    QTest::addColumn<QStringList>("calls");
    // The old bookmark (id 1) keeps its state; new chapter One (id 3) has
    // section A (id 4) with a topic; chapter Two has no children.
    QTest::newRow("on") << QVariant(true) << QStringList{"CloseOutline(3)", "CloseOutline(4)"};
    QTest::newRow("off") << QVariant(false) << QStringList{"OpenOutline(3)", "OpenOutline(4)"};
    QTest::newRow("not in the map") << QVariant() << QStringList{};
}

void TestBookmarkEngineCalls::collapseOption()
{
    QFETCH(QVariant, collapse);
    const int old = FakePDFLibrary::AddExisting(0, L"Old", 1);
    FakePDFLibrary::AddExisting(old, L"Old child", 1);
    FakePDFLibrary::Doc().pageTexts = {Chapter("One") + Section("A") + Topic("a") + Chapter("Two")};
    QVariantMap settings = ThreeLevels();
    if (collapse.isValid())
        settings[CollapseBookmarks] = collapse;
    Run(settings);
    QTEST(CallsNamed({"OpenOutline", "CloseOutline"}), "calls");
}

void TestBookmarkEngineCalls::exactText()
{
    FakePDFLibrary::Doc().pageTexts = {Chapter("  Chapter 1: Scope \r") + Section(" Terms  ")};
    QVariantMap settings = ThreeLevels();
    settings[ExactText] = true;
    settings[Level(TextMaskCheck, 1)] = true;
    settings[Level(TextMaskEdit, 1)] = QStringLiteral("Chapter [0-9]+");
    Run(settings);
    QCOMPARE(Tree(), QStringLiteral("Chapter 1 (1)\n  Terms (1)\n"));

    // Off: the text as it stands, blanks and all.
    init();
    FakePDFLibrary::Doc().pageTexts = {Chapter(" Scope ")};
    Run(ThreeLevels());
    QCOMPARE(CallsNamed({"NewOutline"}), QStringList{"NewOutline(0,\" Scope \",1,0)"});
}

void TestBookmarkEngineCalls::multiLineHeadings()
{
    FakePDFLibrary::Doc().pageTexts = {
        Chapter("A heading that", 720) + Chapter("runs over", 698) + Chapter("three lines", 676)
            + Chapter("Far below", 500) + Section("Sub one", 480) + Section("Sub two", 460),
        Chapter("Next page", 720),
    };
    QVariantMap settings = ThreeLevels();
    settings[Level(MultiLineHeadings, 1)] = true;
    settings[Level(LeadingNumbers, 1)] = 1;
    Run(settings);

    QCOMPARE(CallsNamed({"SetOutlineTitle"}),
             (QStringList{"SetOutlineTitle(1,\"1 A heading that runs over\")",
                          "SetOutlineTitle(1,\"1 A heading that runs over three lines\")"}));
    // Sections do not join: their level has the option off.
    QCOMPARE(Tree(), QStringLiteral("1 A heading that runs over three lines (1)\n2 Far below (1)\n"
                                    "  Sub one (1)\n  Sub two (1)\n3 Next page (2)\n"));

    // Off: every line is a heading of its own.
    init();
    FakePDFLibrary::Doc().pageTexts = {Chapter("Two", 720) + Chapter("lines", 698)};
    Run(ThreeLevels());
    QCOMPARE(Tree(), QStringLiteral("Two (1)\nlines (1)\n"));
}

void TestBookmarkEngineCalls::invalidMaskFailsOnlyItsLevel()
{
    FakePDFLibrary::Doc().pageTexts = {Chapter("One") + Section("Part")};
    QVariantMap settings = ThreeLevels();
    settings[Level(TextMaskCheck, 2)] = true;
    settings[Level(TextMaskEdit, 2)] = QStringLiteral("([unclosed");
    Run(settings);
    QCOMPARE(Tree(), QStringLiteral("One (1)\n"));
}

void TestBookmarkEngineCalls::unloadedLibraryIsAnEmptyDocument()
{
    OmbrelPDFLibraryCPDylibCPP1311 missing(L"/nonexistent/library.so");
    QVERIFY(!missing.LibraryLoaded());
    QVariantMap settings = ThreeLevels();
    settings[InsertionMode] = 0;
    CBuildBookmarkAPI engine(&missing, &settings);
    engine.BuildBookmarks();
    QVERIFY(CallLog().isEmpty());
}

QTEST_GUILESS_MAIN(TestBookmarkEngineCalls)
#include "tst_bookmarkenginecalls.moc"
