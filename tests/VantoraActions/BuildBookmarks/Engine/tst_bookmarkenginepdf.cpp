// End to end: PDFs drawn at test time, bookmarked by the engine through the
// stand-in PDF library, saved, and read back by an independent PDF tool.
#include "buildbookmarkapi.h"
#include "pdflibrarybinding.h"
#include "settingskeys.h"

#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

using namespace SettingsKeys;

struct Style
{
    QString family;
    int size;
    bool bold;
    QColor colour;
};

const Style ChapterStyle{"DejaVu Serif", 20, true, QColor("#1a2b80")};
const Style SectionStyle{"DejaVu Sans", 15, true, Qt::black};
const Style TopicStyle{"DejaVu Sans", 15, true, QColor("#c00000")};  // sections' font and size, red
const Style BodyStyle{"DejaVu Serif", 10, false, Qt::black};

struct Line
{
    int page;
    double y;  // baseline, from the top
    Style style;
    QString text;
};

bool WritePdf(const QString& path, const QList<Line>& lines)
{
    QPdfWriter writer(path);
    writer.setResolution(72);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    int page = 1;
    for (const Line& line : lines) {
        while (page < line.page) {
            writer.newPage();
            ++page;
        }
        QFont font(line.style.family);
        font.setPixelSize(line.style.size);
        font.setBold(line.style.bold);
        painter.setFont(font);
        painter.setPen(line.style.colour);
        painter.drawText(QPointF(72, line.y), line.text);
    }
    return painter.end();
}

// One level per style, told apart by font, size and colour.
QVariantMap LevelsFor(const QList<Style>& styles)
{
    QVariantMap settings{{LevelCount, styles.size()}, {InsertionMode, 0}, {ZoomSettings, 2}};
    for (int level = 1; level <= styles.size(); ++level) {
        const Style& style = styles.at(level - 1);
        settings[Level(FontNameCheck, level)] = true;
        settings[Level(FontNameCombo, level)] = style.family;
        settings[Level(FontSizeCheck, level)] = true;
        settings[Level(FontSizeValue, level)] = double(style.size);
        settings[Level(FontSizeTolerance, level)] = 0.5;
        settings[Level(FontColorCheck, level)] = true;
        settings[Level(ColorInHex, level)] = style.colour.name();
    }
    return settings;
}

// An outline item as the independent reader shows it.
struct Item
{
    int depth;
    QString title;
    int page;
    QString view;  // e.g. "view=FitH,780" or "zoom=150,72,790"
};

} // namespace

class TestBookmarkEnginePdf : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void levelsFromFontSizeAndColour();
    void destinations_data();
    void destinations();
    void existingBookmarks_data();
    void existingBookmarks();
    void multiLineHeadingAndExactText();

private:
    std::unique_ptr<OmbrelPDFLibraryCPDylibCPP1311> Open(const QString& path);
    QString Bookmark(const QString& input, QVariantMap settings);
    QList<Item> ReadOutline(const QString& path);
    QString Titles(const QList<Item>& items);

    QString mLibraryPath;
    QString mReader;
    QTemporaryDir mDir;
    int mFiles = 0;
};

void TestBookmarkEnginePdf::initTestCase()
{
    mLibraryPath = qEnvironmentVariable("VANTORA_BIN_DIR") + QStringLiteral("/OmbrelPDFLibraryCPDylib1311.dylib");
    QVERIFY(QFileInfo::exists(mLibraryPath));
    mReader = QStandardPaths::findExecutable(QStringLiteral("mutool"));
    if (mReader.isEmpty())
        QSKIP("mutool is needed to read the outlines back");
    QVERIFY(mDir.isValid());
}

std::unique_ptr<OmbrelPDFLibraryCPDylibCPP1311> TestBookmarkEnginePdf::Open(const QString& path)
{
    auto library = std::make_unique<OmbrelPDFLibraryCPDylibCPP1311>(mLibraryPath.toStdWString());
    if (!library->LibraryLoaded() || library->LoadFromFile(path.toStdWString(), std::wstring()) != 1)
        return nullptr;
    return library;
}

// Runs the engine on `input` and returns the saved result's path.
QString TestBookmarkEnginePdf::Bookmark(const QString& input, QVariantMap settings)
{
    auto library = Open(input);
    if (!library)
        return QString();
    {
        CBuildBookmarkAPI engine(library.get(), &settings);
        engine.BuildBookmarks();
    }
    const QString output = mDir.filePath(QStringLiteral("out%1.pdf").arg(++mFiles));
    return library->SaveToFile(output.toStdWString()) == 1 ? output : QString();
}

QList<Item> TestBookmarkEnginePdf::ReadOutline(const QString& path)
{
    QProcess reader;
    reader.start(mReader, {QStringLiteral("show"), path, QStringLiteral("outline")});
    reader.waitForFinished(30000);
    QList<Item> items;
    // "+\t\t"Title"\t#page=3&view=FitH,780": the tabs before the title give the depth.
    const QRegularExpression line(QStringLiteral("^[-+|](\\t+)\"(.*)\"\\t#page=(\\d+)&?(.*)$"));
    for (const QString& text : QString::fromUtf8(reader.readAllStandardOutput()).split('\n')) {
        const QRegularExpressionMatch match = line.match(text);
        if (match.hasMatch())
            items.append({match.captured(1).size() - 1, match.captured(2), match.captured(3).toInt(),
                          match.captured(4)});
    }
    return items;
}

QString TestBookmarkEnginePdf::Titles(const QList<Item>& items)
{
    QString tree;
    for (const Item& item : items)
        tree += QString(item.depth * 2, ' ') + item.title + QStringLiteral(" (%1)\n").arg(item.page);
    return tree;
}

void TestBookmarkEnginePdf::levelsFromFontSizeAndColour()
{
    const QString input = mDir.filePath(QStringLiteral("levels.pdf"));
    QVERIFY(WritePdf(input, {
        {1, 60, SectionStyle, "Preface"},            // no chapter yet: dropped
        {1, 100, ChapterStyle, "Getting started"},
        {1, 140, SectionStyle, "Installing"},
        {1, 170, BodyStyle, "Body text in the body font, ignored."},
        {1, 200, TopicStyle, "On Linux"},
        {1, 230, TopicStyle, "On other systems"},
        {2, 60, SectionStyle, "First run"},
        {2, 90, BodyStyle, "More body text."},
        {3, 60, ChapterStyle, "Reference"},
        {3, 100, TopicStyle, "Orphan topic"},        // no section in this chapter yet: dropped
        {3, 140, SectionStyle, "Commands"},
        {3, 180, TopicStyle, "run"},
    }));
    QVariantMap settings = LevelsFor({ChapterStyle, SectionStyle, TopicStyle});
    settings[Level(LeadingNumbers, 2)] = 1;
    settings[Level(LeadingNumbers, 3)] = 1;

    const QString output = Bookmark(input, settings);
    QVERIFY(!output.isEmpty());
    QCOMPARE(Titles(ReadOutline(output)), QStringLiteral(
        "Getting started (1)\n"
        "  1.1 Installing (1)\n"
        "    1.1.1 On Linux (1)\n"
        "    1.1.2 On other systems (1)\n"
        "  1.2 First run (2)\n"
        "Reference (3)\n"
        "  2.1 Commands (3)\n"
        "    2.1.1 run (3)\n"));
}

void TestBookmarkEnginePdf::destinations_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("view");  // what the saved destination starts with
    QTest::newRow("zoom 150") << 1 << "zoom=150,";
    QTest::newRow("fit width") << 2 << "view=FitH,";
    QTest::newRow("fit page") << 4 << "view=Fit";
}

void TestBookmarkEnginePdf::destinations()
{
    QFETCH(int, mode);
    QFETCH(QString, view);
    const QString input = mDir.filePath(QStringLiteral("destinations.pdf"));
    QVERIFY(WritePdf(input, {{1, 400, BodyStyle, "Cover"}, {2, 300, ChapterStyle, "Chapter"},
                             {2, 340, SectionStyle, "Section"}}));
    QVariantMap settings = LevelsFor({ChapterStyle, SectionStyle});
    settings[ZoomSettings] = mode;
    settings[ZoomValue] = 150;

    const QList<Item> items = ReadOutline(Bookmark(input, settings));
    QCOMPARE(items.size(), 2);
    QCOMPARE(items.at(0).page, 2);
    QVERIFY2(items.at(0).view.startsWith(view), qPrintable(items.at(0).view));
    if (mode == 2) {
        // The top of the heading's line, above its baseline by less than its
        // size; the reader shows it measured down from the page's top edge.
        const double top = items.at(0).view.section(',', 1).toDouble();
        QVERIFY2(top < 300 && top > 300 - ChapterStyle.size, qPrintable(items.at(0).view));
    }
    QCOMPARE(items.at(1).page, 2);
}

void TestBookmarkEnginePdf::existingBookmarks_data()
{
    QTest::addColumn<int>("insertion");
    QTest::addColumn<QString>("tree");
    QTest::newRow("overwrite") << 0 << "One (1)\n  Part (1)\nTwo (2)\n";
    QTest::newRow("after") << 1 << "Old A (1)\n  Old child (2)\nOld B (2)\nOne (1)\n  Part (1)\nTwo (2)\n";
    QTest::newRow("before") << 2 << "One (1)\n  Part (1)\nTwo (2)\nOld A (1)\n  Old child (2)\nOld B (2)\n";
}

void TestBookmarkEnginePdf::existingBookmarks()
{
    QFETCH(int, insertion);
    const QString drawn = mDir.filePath(QStringLiteral("plain.pdf"));
    QVERIFY(WritePdf(drawn, {{1, 100, ChapterStyle, "One"}, {1, 140, SectionStyle, "Part"},
                             {2, 100, ChapterStyle, "Two"}}));
    // The document's own bookmarks, written and saved before the run.
    const QString input = mDir.filePath(QStringLiteral("withbookmarks.pdf"));
    {
        auto library = Open(drawn);
        QVERIFY(library);
        const int a = library->NewOutline(0, L"Old A", 1, 0.0);
        library->NewOutline(a, L"Old child", 2, 0.0);
        library->NewOutline(0, L"Old B", 2, 0.0);
        QCOMPARE(library->SaveToFile(input.toStdWString()), 1);
    }
    QVariantMap settings = LevelsFor({ChapterStyle, SectionStyle});
    settings[InsertionMode] = insertion;
    QTEST(Titles(ReadOutline(Bookmark(input, settings))), "tree");
}

void TestBookmarkEnginePdf::multiLineHeadingAndExactText()
{
    const QString input = mDir.filePath(QStringLiteral("multiline.pdf"));
    QVERIFY(WritePdf(input, {
        {1, 100, ChapterStyle, "Chapter 1: Installing the"},
        {1, 124, ChapterStyle, "command line tools"},
        {1, 200, ChapterStyle, "Chapter 2: Use"},
        {1, 300, ChapterStyle, "Chapter 3: Far apart"},   // a line well below the last one
    }));
    QVariantMap settings = LevelsFor({ChapterStyle});
    settings[Level(MultiLineHeadings, 1)] = true;
    settings[ExactText] = true;
    QCOMPARE(Titles(ReadOutline(Bookmark(input, settings))), QStringLiteral(
        "Chapter 1: Installing the command line tools (1)\n"
        "Chapter 2: Use (1)\n"
        "Chapter 3: Far apart (1)\n"));

    // A mask picks the words that make the title.
    settings[Level(MultiLineHeadings, 1)] = false;
    settings[Level(TextMaskCheck, 1)] = true;
    settings[Level(TextMaskEdit, 1)] = QStringLiteral("^Chapter [0-9]+");
    QCOMPARE(Titles(ReadOutline(Bookmark(input, settings))),
             QStringLiteral("Chapter 1 (1)\nChapter 2 (1)\nChapter 3 (1)\n"));
}

QTEST_MAIN(TestBookmarkEnginePdf)
#include "tst_bookmarkenginepdf.moc"
