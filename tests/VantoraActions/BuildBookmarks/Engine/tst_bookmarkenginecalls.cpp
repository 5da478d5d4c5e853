// The engine on the scripted PDF library: the bookmark tree it leaves, and
// the destination and open state it gives the bookmarks.
#include "buildbookmarkapi.h"
#include "fakepdflibrary.h"
#include "pdflibrarybinding.h"
#include "settingskeys.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

using namespace SettingsKeys;
using FakePDFLibrary::CallLog;
using FakePDFLibrary::Tree;

// A record as the library delivers it: heading position (72, top).
QString Line(const QString& font, double size, double top, const QString& text)
{
    return QStringLiteral("%1,#000000,%2,72,0,0,0,0,0,72,%3,%4\n").arg(font).arg(size).arg(top).arg(text);
}

QString Chapter(const QString& text, double top = 720) { return Line("Serif-Bold", 18, top, text); }
QString Section(const QString& text, double top = 650) { return Line("Serif-Bold", 14, top, text); }
QString Topic(const QString& text) { return Line("Serif-Italic", 12, 600, text); }

// Levels by size: 18 chapters, 14 sections, 12 topics; new bookmarks after the old.
QVariantMap ThreeLevels(const QVariantMap& changes = {})
{
    QVariantMap settings{{LevelCount, 3}, {InsertionMode, 1}};
    const double sizes[] = {18, 14, 12};
    for (int level = 1; level <= 3; ++level) {
        settings[Level(FontSizeCheck, level)] = true;
        settings[Level(FontSizeValue, level)] = sizes[level - 1];
        settings[Level(FontSizeTolerance, level)] = 0.5;
    }
    for (auto it = changes.begin(); it != changes.end(); ++it)
        settings[it.key()] = it.value();
    return settings;
}

} // namespace

class TestBookmarkEngineCalls : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        FakePDFLibrary::Reset();
        mLibrary = std::make_unique<OmbrelPDFLibraryCPDylibCPP1311>(FakePDFLibrary::Path());
        QVERIFY(mLibrary->LibraryLoaded());
    }

    void outline_data()
    {
        QTest::addColumn<QStringList>("pages");
        QTest::addColumn<QVariantMap>("settings");
        QTest::addColumn<bool>("existing");  // the document has bookmarks "Old 1" (nested) and "Old 2"
        QTest::addColumn<QString>("tree");

        const QStringList book{Chapter("One") + Section("One.A"), Chapter("Two")};
        QTest::newRow("overwrite removes every old bookmark") << book << ThreeLevels({{InsertionMode, 0}}) << true
                                                              << "One (1)\n  One.A (1)\nTwo (2)\n";
        QTest::newRow("overwrite on a document without any") << book << ThreeLevels({{InsertionMode, 0}}) << false
                                                             << "One (1)\n  One.A (1)\nTwo (2)\n";
        QTest::newRow("after the old ones") << book << ThreeLevels() << true
                                            << "Old 1 (1)\n  Old child (1)\n    Old grandchild (1)\nOld 2 (2)\n"
                                               "One (1)\n  One.A (1)\nTwo (2)\n";
        QTest::newRow("before the old ones, in order") << book << ThreeLevels({{InsertionMode, 2}}) << true
                                                       << "One (1)\n  One.A (1)\nTwo (2)\nOld 1 (1)\n  Old child (1)\n"
                                                          "    Old grandchild (1)\nOld 2 (2)\n";

        QTest::newRow("numbers added, orphans dropped, counts restart")
            << QStringList{Section("Orphan section") + Topic("Orphan topic") + Chapter("Intro") + Chapter("Scope")
                               + Topic("Topic under chapter") + Section("Terms") + Topic("First") + Topic("Second"),
                           Topic("Third") + Section("Symbols") + Chapter("Body") + Section("Start")}
            << ThreeLevels({{Level(LeadingNumbers, 2), 1}, {Level(LeadingNumbers, 3), 1}}) << false
            << "Intro (1)\nScope (1)\n  2.1 Terms (1)\n    2.1.1 First (1)\n    2.1.2 Second (1)\n"
               "    2.1.3 Third (2)\n  2.2 Symbols (2)\nBody (2)\n  3.1 Start (2)\n";
        // Level 2 does not ignore repeats, so "Install" is still a section; the
        // second running head fails level 1 as seen and no other level takes it.
        QTest::newRow("repeated running heads")
            << QStringList{Chapter("Manual", 780) + Chapter("Install"),
                           Chapter("Manual", 780) + Section("Install") + Section("Manual")}
            << ThreeLevels({{Level(RepeatedHeadings, 1), true}}) << false
            << "Manual (1)\nInstall (1)\n  Install (2)\n  Manual (2)\n";
        QTest::newRow("exact text: what the mask matched, or the text trimmed")
            << QStringList{Chapter("  Chapter 1: Scope \r") + Section(" Terms  ")}
            << ThreeLevels({{ExactText, true}, {Level(TextMaskCheck, 1), true}, {Level(TextMaskEdit, 1), "Chapter [0-9]+"}})
            << false << "Chapter 1 (1)\n  Terms (1)\n";
        QTest::newRow("without exact text the text as it stands") << QStringList{Chapter(" Scope ")} << ThreeLevels()
                                                                 << false << " Scope  (1)\n";
        QTest::newRow("multi-line headings join lines close below")
            << QStringList{Chapter("A heading that", 720) + Chapter("runs over", 698) + Chapter("three lines", 676)
                               + Chapter("Far below", 500) + Section("Sub one", 480) + Section("Sub two", 460),
                           Chapter("Next page", 720)}
            << ThreeLevels({{Level(MultiLineHeadings, 1), true}, {Level(LeadingNumbers, 1), 1}}) << false
            << "1 A heading that runs over three lines (1)\n2 Far below (1)\n  Sub one (1)\n  Sub two (1)\n"
               "3 Next page (2)\n";
        QTest::newRow("multi-line headings past the mask; a line it accepts starts anew")
            << QStringList{Chapter("3 Gaussian Algo-", 720) + Chapter("rithm and more", 698) + Chapter("4 Next", 676)}
            << ThreeLevels({{Level(MultiLineHeadings, 1), true}, {Level(TextMaskCheck, 1), true},
                            {Level(TextMaskEdit, 1), "^\\d+ "}})
            << false << "3 Gaussian Algorithm and more (1)\n4 Next (1)\n";
        QTest::newRow("without multi-line headings every line is one")
            << QStringList{Chapter("Two", 720) + Chapter("lines", 698)} << ThreeLevels() << false << "Two (1)\nlines (1)\n";
        QTest::newRow("an invalid mask fails only its level") << QStringList{Chapter("One") + Section("Part")}
            << ThreeLevels({{Level(TextMaskCheck, 2), true}, {Level(TextMaskEdit, 2), "([unclosed"}}) << false
            << "One (1)\n";

        const QStringList keywords{Chapter("Intro") + Chapter("Scope") + Chapter("Terms")};
        QVariantMap include{{Level(KeywordListCheck, 1), true}, {Level(IncludeRadio, 1), true}};
        QVariantMap exclude{{Level(KeywordListCheck, 1), true}, {Level(IncludeRadio, 1), false}};
        QTest::newRow("keyword file, include") << keywords << ThreeLevels(include) << false << "Scope (1)\nTerms (1)\n";
        QTest::newRow("keyword file, exclude") << keywords << ThreeLevels(exclude) << false << "Intro (1)\n";
        include[Level(KeyListEdit, 1)] = exclude[Level(KeyListEdit, 1)] = QStringLiteral("missing.txt");
        QTest::newRow("unreadable keyword file, include") << keywords << ThreeLevels(include) << false << "";
        QTest::newRow("unreadable keyword file, exclude") << keywords << ThreeLevels(exclude) << false
                                                          << "Intro (1)\nScope (1)\nTerms (1)\n";
    }

    void outline()
    {
        QFETCH(QStringList, pages);
        QFETCH(QVariantMap, settings);
        QFETCH(bool, existing);
        if (existing) {
            const int old1 = FakePDFLibrary::AddExisting(0, L"Old 1", 1);
            FakePDFLibrary::AddExisting(FakePDFLibrary::AddExisting(old1, L"Old child", 1), L"Old grandchild", 1);
            FakePDFLibrary::AddExisting(0, L"Old 2", 2);
        }
        QTemporaryDir dir;
        const QString keys = dir.filePath(QStringLiteral("keys.txt"));
        QFile file(keys);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("Scope\r\nTerms\n") > 0);
        file.close();
        const QString keyList = Level(KeyListEdit, 1);
        settings[keyList] = dir.filePath(settings.value(keyList, QStringLiteral("keys.txt")).toString());
        Run(pages, settings);
        QTEST(Tree(), "tree");
    }

    void destinationByMagnification_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("destinations");
        // The chapter on page 2 gets one; its section keeps what NewOutline gave.
        QTest::newRow("inherit") << 0 << QStringList{};
        QTest::newRow("zoom") << 1 << QStringList{"SetOutlineDestinationFull(1,2,150,1,72,720,612,0)"};
        QTest::newRow("fit width") << 2 << QStringList{"SetOutlineDestinationFull(1,2,0,3,0,720,612,0)"};
        QTest::newRow("fit height") << 3 << QStringList{"SetOutlineDestinationFull(1,2,0,4,72,792,612,0)"};
        QTest::newRow("fit page") << 4 << QStringList{"SetOutlineDestinationFull(1,2,0,2,0,792,612,0)"};
        QTest::newRow("fit visible") << 5 << QStringList{"SetOutlineDestinationFull(1,2,0,6,0,792,612,0)"};
        QTest::newRow("unknown") << 9 << QStringList{};
    }

    void destinationByMagnification()
    {
        QFETCH(int, mode);
        Run({Line("Serif", 10, 500, "Cover"), Chapter("One") + Section("Part")},
            ThreeLevels({{ZoomSettings, mode}, {ZoomValue, 150}}));
        QTEST(CallLog({"SetOutlineDestinationFull"}), "destinations");
    }

    void collapseOption_data()
    {
        QTest::addColumn<QVariant>("collapse");
        QTest::addColumn<QStringList>("calls");
        // The old bookmark (id 1) keeps its state; new chapter One (id 3) has
        // section A (id 4) with a topic; chapter Two has no children.
        QTest::newRow("on") << QVariant(true) << QStringList{"CloseOutline(3)", "CloseOutline(4)"};
        QTest::newRow("off") << QVariant(false) << QStringList{"OpenOutline(3)", "OpenOutline(4)"};
        QTest::newRow("not in the map") << QVariant() << QStringList{};
    }

    void collapseOption()
    {
        QFETCH(QVariant, collapse);
        FakePDFLibrary::AddExisting(FakePDFLibrary::AddExisting(0, L"Old", 1), L"Old child", 1);
        QVariantMap settings = ThreeLevels();
        if (collapse.isValid())
            settings[CollapseBookmarks] = collapse;
        Run({Chapter("One") + Section("A") + Topic("a") + Topic("b") + Chapter("Two")}, settings);
        QTEST(CallLog({"OpenOutline", "CloseOutline"}), "calls");
    }

private:
    void Run(const QStringList& pages, QVariantMap settings)
    {
        for (const QString& page : pages)
            FakePDFLibrary::Pages().push_back(page.toStdWString());
        CBuildBookmarkAPI engine(mLibrary.get(), &settings);
        engine.BuildBookmarks();
    }

    std::unique_ptr<OmbrelPDFLibraryCPDylibCPP1311> mLibrary;
};

QTEST_GUILESS_MAIN(TestBookmarkEngineCalls)
#include "tst_bookmarkenginecalls.moc"
