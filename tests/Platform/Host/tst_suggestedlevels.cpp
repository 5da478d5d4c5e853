// Levels suggested from made-up text records: each row adds to a small
// manual one thing real manuals have that fools a naive reading, and the
// suggested checks must still pass exactly the chapter and section titles.
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "handwrittensettings.h"
#include "recordline.h"
#include "settingskeys.h"
#include "suggestedlevels.h"
#include "suggestedlevelsini.h"

namespace {

enum Feature {
    Plain = 0,
    Glyphs = 1,        // many lines of large music glyphs
    Labels = 2,        // "Chapter N" above each chapter title, in its style
    Contents = 4,      // a contents page with entries in the section style
    Headers = 8,       // a running header in the section style
    IndexLetters = 16, // an index with letters in the section style
};

// A page of records as the PDF library writes them, top down.
struct Page
{
    QStringList records;
    double top = 760;

    void line(const QString& text, double size, const QString& font = "Serif", const QString& colour = "#000000")
    {
        const double right = 72 + 5 * text.size();
        records << QStringLiteral("%1,%2,%3,72,%4,%5,%4,%5,%6,72,%6,%7")
                       .arg(font, colour)
                       .arg(size)
                       .arg(top - size)
                       .arg(right)
                       .arg(top)
                       .arg(text);
        top -= size * 1.6;
    }
    void prose(int lines)
    {
        for (int i = 0; i < lines; ++i)
            line("The quick brown fox jumps over the lazy dog again and again.", 10);
    }
};

struct Manual
{
    QList<QStringList> pages;
    QStringList chapters;
    QStringList sections;
};

Manual MakeManual(int features)
{
    Manual manual;
    Page title;
    title.line("A Manual of Things", 30, "Sans-Bold");
    manual.pages << title.records;
    if (features & Contents) {
        Page contents;
        contents.line("Contents", 20, "Sans-Bold");
        for (int i = 1; i <= 6; ++i)
            contents.line(QStringLiteral("%1.1 Topic %1 in short %2").arg(i).arg(i + 3), 14, "Sans-Bold");
        manual.pages << contents.records;
    }
    const QStringList names{"Preface", "Getting Started", "EVERYDAY WORK", "Remote Collections", "Appendix Notes"};
    for (int chapter = 0; chapter < names.size(); ++chapter) {
        for (int part = 0; part < 2; ++part) {
            Page page;
            if (features & Headers)
                page.line("A Manual of Things", 14, "Sans-Bold");
            if (part == 0) {
                // Chapters start lower and lower: labels are no running header.
                page.prose(chapter);
                if (features & Labels)
                    page.line(QStringLiteral("Chapter %1").arg(chapter + 1), 20, "Sans-Bold");
                page.line(names.at(chapter), 20, "Sans-Bold");
                manual.chapters << names.at(chapter);
            }
            page.prose(4);
            const QString section = QStringLiteral("%1.%2 Section about %3").arg(chapter + 1).arg(part + 1).arg(names.at(chapter).toLower());
            page.line(section, 14, "Sans-Bold");
            manual.sections << section;
            page.prose(12);
            if (features & Glyphs)
                for (int i = 0; i < 30; ++i)
                    page.line(QStringLiteral("\u2669 \u266a ").repeated(10), 24, "Music");
            manual.pages << page.records;
        }
    }
    if (features & IndexLetters) {
        Page index;
        index.line("Index", 20, "Sans-Bold");
        manual.chapters << "Index";
        for (const QString letter : {"A", "B", "C"}) {
            index.line(letter, 14, "Sans-Bold");
            index.line(QStringLiteral("%1 entry word, 3").arg(letter), 10);
        }
        manual.pages << index.records;
    }
    return manual;
}

// The texts each level takes, as the engine gives a line its first level.
QList<QStringList> Headings(const SuggestedLevels& levels, const QList<QStringList>& pages)
{
    QList<QStringList> found;
    for (int i = 0; i < levels.levels.size(); ++i)
        found << QStringList();
    for (int page = 0; page < pages.size(); ++page) {
        for (int index = 0; index < pages.at(page).size(); ++index) {
            RecordLine line;
            if (!RecordLine::parse(pages.at(page).at(index), page + 1, index, &line))
                continue;
            for (int level = 0; level < levels.levels.size(); ++level) {
                if (levels.levels.at(level).checks.passes(line)) {
                    found[level] << line.text;
                    break;
                }
            }
        }
    }
    return found;
}

} // namespace

class TestSuggestedLevels : public QObject
{
    Q_OBJECT

private slots:
    void titlesAndNothingElse_data()
    {
        QTest::addColumn<int>("features");
        QTest::newRow("plain") << int(Plain);
        QTest::newRow("glyphs outnumber the body's lines") << int(Glyphs);
        QTest::newRow("chapter labels") << int(Labels);
        QTest::newRow("contents in the section style") << int(Contents);
        QTest::newRow("running header in the section style") << int(Headers);
        QTest::newRow("index letters") << int(IndexLetters);
        QTest::newRow("all at once") << int(Glyphs | Labels | Contents | Headers | IndexLetters);
    }

    void titlesAndNothingElse()
    {
        QFETCH(int, features);
        const Manual manual = MakeManual(features);
        const SuggestedLevels levels = SuggestedLevels::suggest(manual.pages);
        QVERIFY2(levels.refusal.isEmpty(), qPrintable(levels.refusal));
        QCOMPARE(levels.levels.size(), 2);
        const QList<QStringList> found = Headings(levels, manual.pages);
        QCOMPARE(found.at(0), manual.chapters);
        QCOMPARE(found.at(1), manual.sections);
    }

    // The file reads back to the checks it was written from: quoted masks
    // keep their backslashes, keywords their words, comments stay comments.
    void settingsFileReadsBack()
    {
        SuggestedChecks checks;
        checks.size = 14.35;
        checks.tolerance = 0.05;
        checks.font = "CMBX12";
        checks.colour = "#1f3a93";
        checks.maskParts = QStringList{"(?!.*[ .][0-9]+$)", "(?!.*\\.\\s?\\.)"};
        checks.keywords = {"Contents", "Table of Contents", "Index"};
        checks.multiLine = true;
        SuggestedLevels levels;
        levels.levels << SuggestedLevel{checks, {"14.35 pt CMBX12: 2 titles,\n[Level9] \"so\""}};
        QTemporaryDir folder;
        const QString path = folder.filePath("levels.ini");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(SuggestedLevelsIni::write(levels, "manual.pdf").toUtf8());
        file.close();
        QSettings settings(path, QSettings::IniFormat);
        const QMap<QString, QVariant> prefs = HandWrittenSettings::read(settings, path);
        using namespace SettingsKeys;
        QCOMPARE(prefs.value(LevelCount).toInt(), 1);
        QCOMPARE(prefs.value(Level(FontSizeValue, 1)).toDouble(), 14.35);
        QCOMPARE(prefs.value(Level(FontSizeTolerance, 1)).toDouble(), 0.05);
        QCOMPARE(prefs.value(Level(FontNameCombo, 1)).toString(), checks.font);
        QCOMPARE(prefs.value(Level(ColorInHex, 1)).toString(), checks.colour);
        QCOMPARE(prefs.value(Level(TextMaskEdit, 1)).toString(), checks.mask());
        QVERIFY(prefs.value(Level(MultiLineHeadings, 1)).toBool());
        QFile list(prefs.value(Level(KeyListEdit, 1)).toString());
        QVERIFY(list.open(QIODevice::ReadOnly));
        const QStringList words = QString::fromUtf8(list.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(QSet<QString>(words.cbegin(), words.cend()), checks.keywords);
    }

    void noTextIsRefused()
    {
        const SuggestedLevels levels = SuggestedLevels::suggest({QStringList{""}, QStringList{}});
        QVERIFY(levels.levels.isEmpty());
        QVERIFY(levels.refusal.contains("no text"));
    }
};

QTEST_GUILESS_MAIN(TestSuggestedLevels)
#include "tst_suggestedlevels.moc"
