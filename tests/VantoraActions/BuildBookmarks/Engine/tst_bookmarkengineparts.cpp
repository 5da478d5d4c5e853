// The engine's pure pieces: font names, text records, the level rules, the
// texts already seen, titles, keyword files and multi-line headings.
#include "fontnamematcher.h"
#include "headingcontinuation.h"
#include "headingdetector.h"
#include "headingtitle.h"
#include "keywordlist.h"
#include "seentexts.h"
#include "settingskeys.h"
#include "textrecord.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <unordered_map>

namespace {

const QStringList Families = {"Arial", "Arial Bold", "DejaVu Sans", "Helvetica", "Times New Roman", "Courier-Prime"};

QString Record(const QString& font, const QString& colour, double size, double left, double destLeft,
               double destTop, const QString& text)
{
    return QStringLiteral("%1,%2,%3,%4,0,0,0,0,0,%5,%6,%7")
        .arg(font, colour).arg(size).arg(left).arg(destLeft).arg(destTop).arg(text);
}

QString Sized(double size, const QString& text = QStringLiteral("T"))
{
    return Record("A", "#000000", size, 0, 0, 0, text);
}

} // namespace

class TestBookmarkEngineParts : public QObject
{
    Q_OBJECT

private slots:
    void matchFont_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("subset, MT, bold: styled family") << "ABCDEF+Arial-BoldMT" << QStringList{"Arial Bold", "fsBold"};
        QTest::newRow("italic, plain search") << "Arial-Italic" << QStringList{"Arial", "fsItalic"};
        QTest::newRow("doubled bold gives one flag") << "Helvetica,Bold,Bold" << QStringList{"Helvetica", "fsBold"};
        QTest::newRow("BoldOblique: -Bold rewrites first, no flag") << "Helvetica-BoldOblique" << QStringList{"Helvetica"};
        QTest::newRow("MT dropped, spaces ignored") << "TimesNewRomanPSMT" << QStringList{"Times New Roman"};
        QTest::newRow("lower-case mt dropped") << "Helveticamt" << QStringList{"Helvetica"};
        QTest::newRow("hyphens ignored in the family") << "CourierPrime" << QStringList{"Courier-Prime"};
        QTest::newRow("nothing fits even without Regular") << "DXRegular" << QStringList{"Arial", "None"};
        QTest::newRow("name inside family after Regular") << "DejaVuRegular" << QStringList{"DejaVu Sans"};
        QTest::newRow("quoted name has no candidate") << "\"Arial-Bold\"" << QStringList{"Arial", "None"};
        QTest::newRow("first character is case-sensitive") << "arial" << QStringList{"Arial", "None"};
    }

    void matchFont()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, expected);
        CFontNameMatcher matcher(Families);
        QCOMPARE(matcher.Match(name), expected);
        QCOMPARE(matcher.Family(name), expected.first());
    }

    void parseRecord_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("font");
        QTest::addColumn<double>("size");
        QTest::addColumn<double>("destTop");
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << "Arial,#000000,12.5,72,0,0,0,0,0,72.5,700,Intro" << "Arial" << 12.5 << 700.0 << "Intro";
        QTest::newRow("text keeps commas, loses quotes")
            << "Arial,#000000,12,72,0,0,0,0,0,72,700,Say \"hi\", then go" << "Arial" << 12.0 << 700.0 << "Say hi, then go";
        QTest::newRow("quoted font name repaired everywhere")
            << "\"Arial,Bold\",#000000,12,72,0,0,0,0,0,72,700,\"Arial,Bold is here"
            << "\"Arial-Bold\"" << 12.0 << 700.0 << "Arial-Bold is here";
        QTest::newRow("eleven fields: no text") << "Arial,#000000,12,72,0,0,0,0,0,72,700" << "Arial" << 12.0 << 700.0 << "";
        QTest::newRow("short record") << "Arial,#000000,x" << "Arial" << 0.0 << 0.0 << "";
        QTest::newRow("unparsable numbers read as 0") << "A,#000000,big,72,0,0,0,0,0,72,top,T" << "A" << 0.0 << 0.0 << "T";
        QTest::newRow("lone quote") << "\"" << "\"" << 0.0 << 0.0 << "";
        QTest::newRow("unclosed quoted font") << "\"Arial,Bold,#000000,12" << "\"Arial" << 0.0 << 0.0 << "";
        QTest::newRow("quote-comma first") << "\",,,,,,,,,,,T\"" << "\"" << 0.0 << 0.0 << "T";
    }

    void parseRecord()
    {
        QFETCH(QString, line);
        const CTextRecord record = CTextRecord::Parse(line);
        QTEST(record.fontName, "font");
        QTEST(record.size, "size");
        QTEST(record.destTop, "destTop");
        QTEST(record.text, "text");
    }

    void splitPage_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("records");
        QTest::newRow("no text") << "" << QStringList{""};
        QTest::newRow("two lines") << "A\nB" << QStringList{"A", "B", ""};
        QTest::newRow("two lines, final feed") << "A\nB\n" << QStringList{"A", "B", ""};
        QTest::newRow("stops at an empty line") << "A\n\nB" << QStringList{"A", ""};
    }

    void splitPage()
    {
        QFETCH(QString, text);
        QTEST(CTextRecord::SplitPage(text), "records");
    }

    void levelRules_data()
    {
        using namespace SettingsKeys;
        QTest::addColumn<QVariantMap>("settings");
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("level");

        const QVariantMap size12{{LevelCount, 1}, {Level(FontSizeCheck, 1), true},
                                 {Level(FontSizeValue, 1), 12.0}, {Level(FontSizeTolerance, 1), 0.5}};
        QTest::newRow("size 11.5 inside tolerance") << size12 << Sized(11.5) << 0;
        QTest::newRow("size 12.5 inside tolerance") << size12 << Sized(12.5) << 0;
        QTest::newRow("size 12.6 outside") << size12 << Sized(12.6) << -1;

        const QString black = QStringLiteral("#000000");
        const QVariantMap indent{{LevelCount, 1}, {Level(LeftIndentCheck, 1), true}, {Level(LeftIndentToPoints, 1), 72.0},
                                 {Level(LeftIndentValue, 1), 1.0}};
        QTest::newRow("indent equal fails") << indent << Record("A", black, 12, 72, 80, 0, "T") << -1;
        QTest::newRow("indent above passes") << indent << Record("A", black, 12, 72.1, 80, 0, "T") << 0;
        QTest::newRow("indent needs field 9 too") << indent << Record("A", black, 12, 80, 72, 0, "T") << -1;

        const QVariantMap colour{{LevelCount, 1}, {Level(FontColorCheck, 1), true}, {Level(ColorInHex, 1), "#ff0000"}};
        QTest::newRow("colour ignores case") << colour << Record("A", "#FF0000", 12, 0, 0, 0, "T") << 0;
        QTest::newRow("colour differs") << colour << Sized(12) << -1;

        const QVariantMap font{{LevelCount, 1}, {Level(FontNameCheck, 1), true}, {Level(FontNameCombo, 1), "Arial"}};
        QTest::newRow("font by family") << font << Record("XYZABC+Arial-BoldMT", black, 12, 0, 0, 0, "T") << 0;
        QTest::newRow("quoted font falls back to Arial") << font << Record("\"Foo,Bold\"", black, 12, 0, 0, 0, "T") << 0;
        QTest::newRow("other font") << font << Record("Helvetica", black, 12, 0, 0, 0, "T") << -1;
        QVariantMap anyFont = font;
        anyFont[Level(FontNameCombo, 1)] = QString();
        QTest::newRow("empty font name passes") << anyFont << Record("Helvetica", black, 12, 0, 0, 0, "T") << 0;

        const QVariantMap mask{{LevelCount, 1}, {Level(TextMaskCheck, 1), true}, {Level(TextMaskEdit, 1), "^[0-9]+\\.? "}};
        QTest::newRow("mask matches") << mask << Sized(12, "2. Scope") << 0;
        QTest::newRow("mask is case-sensitive, anchored") << mask << Sized(12, "Scope 2 ") << -1;

        QVariantMap keywords{{LevelCount, 1}, {Level(KeywordListCheck, 1), true}, {Level(IncludeRadio, 1), true}};
        QTest::newRow("listed keyword included") << keywords << Sized(12, "Scope") << 0;
        QTest::newRow("line end ignored") << keywords << Sized(12, "Terms\r") << 0;
        QTest::newRow("unlisted keyword not included") << keywords << Sized(12, "Intro") << -1;
        keywords[Level(IncludeRadio, 1)] = false;
        QTest::newRow("listed keyword excluded") << keywords << Sized(12, "Scope") << -1;
        QTest::newRow("unlisted keyword not excluded") << keywords << Sized(12, "Intro") << 0;

        QTest::newRow("no rules: any visible text") << QVariantMap{{LevelCount, 2}} << Sized(12) << 0;
        QTest::newRow("blanks and CR never qualify") << QVariantMap{{LevelCount, 1}} << Sized(12, " \r ") << -1;
        QTest::newRow("short record never qualifies") << QVariantMap{{LevelCount, 1}} << QString("A,#000000,12") << -1;
        const QVariantMap twoLevels{{LevelCount, 2}, {Level(FontSizeCheck, 1), true}, {Level(FontSizeValue, 1), 20.0},
                                    {Level(FontSizeCheck, 2), true}, {Level(FontSizeValue, 2), 20.0}};
        QTest::newRow("lower-numbered level wins") << twoLevels << Sized(20) << 0;
    }

    void levelRules()
    {
        QFETCH(QVariantMap, settings);
        QFETCH(QString, line);
        CFontNameMatcher fonts(Families);
        QVector<CLevelRules> levels;
        for (int level = 1; level <= settings.value(SettingsKeys::LevelCount).toInt(); ++level)
            levels.append(CLevelRules::Read(settings, level, {"Scope\r\n", "Terms\n"}));
        CHeadingDetector detector(levels, fonts);
        QTEST(detector.Classify(CTextRecord::Parse(line)).level, "level");
    }

    void repeatedHeadingsSharedAcrossLevels()
    {
        using namespace SettingsKeys;
        const QVariantMap settings{{Level(FontSizeCheck, 1), true}, {Level(FontSizeValue, 1), 20.0},
                                   {Level(RepeatedHeadings, 1), true}, {Level(RepeatedHeadings, 2), true}};
        CFontNameMatcher fonts(Families);
        CHeadingDetector detector({CLevelRules::Read(settings, 1, {}), CLevelRules::Read(settings, 2, {})}, fonts);
        // Seen while failing level 1, so it is already seen at level 2.
        QCOMPARE(detector.Classify(CTextRecord::Parse(Sized(10, "Body"))).level, -1);
        QCOMPARE(detector.Classify(CTextRecord::Parse(Sized(10, "Body"))).level, -1);
        QCOMPARE(detector.Classify(CTextRecord::Parse(Sized(20, "Title"))).level, 0);
        QCOMPARE(detector.Classify(CTextRecord::Parse(Sized(20, "Title"))).level, -1);
    }

    void seenTextsCompareWholeTexts()
    {
        // Two texts of the same hash, among some hundred thousand random ones.
        QRandomGenerator random(7);
        std::unordered_map<uint, QString> byHash;
        QString first, second;
        while (second.isEmpty()) {
            QString text(8, QChar());
            for (QChar& c : text)
                c = QChar('a' + random.bounded(26));
            const auto [other, added] = byHash.emplace(CSeenTexts::Hash(text), text);
            if (!added && other->second != text)
                first = other->second, second = text;
        }
        CSeenTexts seen;
        QVERIFY(!seen.Meet(first) && !seen.Meet(second) && seen.Meet(first) && seen.Meet(second));
        QVERIFY(!seen.Meet("Title") && !seen.Meet("title") && !seen.Meet(QString()) && seen.Meet(""));
        // Enough texts to move every one to a larger table, twice over.
        for (int i = 0; i < 5000; ++i)
            QVERIFY(!seen.Meet(QString("Heading %1").arg(i)));
        for (int i = 0; i < 5000; ++i)
            QVERIFY(seen.Meet(QString("Heading %1").arg(i)));
        QVERIFY(seen.Meet(first) && seen.Meet("title"));
        // Longer than the blocks the texts are kept in, and then one more.
        const QString page(300000, QChar('x'));
        QVERIFY(!seen.Meet(page) && !seen.Meet(page + 'y') && seen.Meet(page) && seen.Meet(first));
    }

    void titles_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("leadingNumbers");
        QTest::addColumn<QString>("title");
        QTest::newRow("left as is") << "1.2 Results" << 0 << "1.2 Results";
        QTest::newRow("added") << "Results" << 1 << "2.1 Results";
        QTest::newRow("removed: dotted number") << "1.2.3 Results" << 2 << " Results";
        QTest::newRow("removed: zero is no section character") << "10 Years" << 2 << "0 Years";
        QTest::newRow("removed: letters first") << "A.1 Scope" << 2 << "A.1 Scope";
        QTest::newRow("removed: only numbers") << "1.2." << 2 << "";
    }

    void titles()
    {
        QFETCH(QString, text);
        QFETCH(int, leadingNumbers);
        QTEST(HeadingTitle::Compose(text, leadingNumbers, QStringLiteral("2.1")), "title");
    }

    void keywordFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("keys.txt"));
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray("Intro\r\n\nScope \xc3\xa9\nEnd\0tail\n", 26));
        }
        const QStringList lines = KeywordList::Read(path);
        QCOMPARE(lines, (QStringList{"Intro\n", "\n", QString::fromUtf8("Scope \xc3\xa9\n"), "End"}));
        QCOMPARE(KeywordList::Keywords(lines), (QSet<QString>{"Intro", "", QString::fromUtf8("Scope \xc3\xa9"), "End"}));
        QVERIFY(KeywordList::Read(QString()).isEmpty());
        QVERIFY(KeywordList::Read(dir.filePath("missing.txt")).isEmpty());
        QVERIFY(KeywordList::Read(dir.path()).isEmpty());  // a folder
    }

    void continuationNeedsSameStyleDirectlyBelow()
    {
        const QString red = QStringLiteral("#ff0000");
        auto line = [&](const QString& font, const QString& colour, double size, double top, double left = 72) {
            return CTextRecord::Parse(Record(font, colour, size, left, left, top, "x"));
        };
        CHeadingContinuation continuation;
        continuation.Remember(1, 4, line("F", red, 20, 700), 7, QStringLiteral("1 A long"));

        const CTextRecord below = line("F", red, 20, 676);
        QVERIFY(continuation.Continues(1, 5, below));
        QVERIFY(continuation.Continues(1, 5, line("F", red, 20, 676, 90)));   // indented
        QVERIFY(!continuation.Continues(1, 5, line("F", red, 20, 676, 60)));  // left of the heading
        QVERIFY(!continuation.Continues(2, 5, below));  // other page
        QVERIFY(!continuation.Continues(1, 6, below));  // not the next record
        QVERIFY(!continuation.Continues(1, 5, line("F", red, 18, 676)));
        QVERIFY(!continuation.Continues(1, 5, line("G", red, 20, 676)));
        QVERIFY(!continuation.Continues(1, 5, line("F", "#000000", 20, 676)));
        QVERIFY(!continuation.Continues(1, 5, line("F", red, 20, 669)));  // more than 1.5 lines down
        QVERIFY(!continuation.Continues(1, 5, line("F", red, 20, 710)));  // above

        QCOMPARE(continuation.Append(5, below, QStringLiteral("heading")), QStringLiteral("1 A long heading"));
        QCOMPARE(continuation.Outline(), 7);
        QVERIFY(continuation.Continues(1, 6, line("F", red, 20, 652)));
        continuation.Forget();
        QVERIFY(!continuation.Continues(1, 6, line("F", red, 20, 652)));

        // A word broken at the line end joins whole; a real hyphen stays.
        QCOMPARE(CHeadingContinuation::Joined("Gaussian Algo-", "rithm"), QStringLiteral("Gaussian Algorithm"));
        QCOMPARE(CHeadingContinuation::Joined("Emacs-", "Lisp mode "), QStringLiteral("Emacs-Lisp mode"));
        QCOMPARE(CHeadingContinuation::Joined("Pages 10-", "20"), QStringLiteral("Pages 10- 20"));
    }
};

QTEST_GUILESS_MAIN(TestBookmarkEngineParts)
#include "tst_bookmarkengineparts.moc"
