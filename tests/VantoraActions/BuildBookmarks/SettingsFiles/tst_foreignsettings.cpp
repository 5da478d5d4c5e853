// Foreign bookmark-settings files imported with CASCabAPI into a settings map.

#include "ascabapi.h"
#include "testing.h"

#include <QColor>

using Prefs = QMap<QString, QVariant>;

namespace {

// "[<name><level>][/= <value>;" with its line feed: the opening and closing
// characters and the two characters either side of the value are what the
// format's writer puts there; the importer only counts them.
QByteArray Entry(const QByteArray& name, char level, const QByteArray& value)
{
    return "[" + name + level + "][/= " + value + ";\n";
}

// The two characters every file starts with.
const QByteArray Prefix = "##";

} // namespace

class TestForeignSettings : public QObject
{
    Q_OBJECT

private slots:
    void entries_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("ignore headings") << Entry("mIgnoreHeadings", '2', "true") << "RepeatedHeadings2" << QVariant(true);
        QTest::newRow("not quite true") << Entry("mIgnoreHeadings", '2', "True") << "RepeatedHeadings2" << QVariant(false);
        QTest::newRow("leading numbers") << Entry("mLeadingNumbers", '1', "2") << "LeadingNumbers1" << QVariant(2);
        QTest::newRow("not a number") << Entry("mLeadingNumbers", '1', "two") << "LeadingNumbers1" << QVariant(0);
        QTest::newRow("multi-line") << Entry("mMultiline", '1', "true") << "MultiLineHeadings1" << QVariant(true);
        QTest::newRow("collapse") << Entry("mbuilderColapse", '1', "true") << "CollapseBookmarks" << QVariant(true);
        QTest::newRow("insertion") << Entry("mbuilderInsertion", '1', "2") << "InsertionMode" << QVariant(2);
        QTest::newRow("text only") << Entry("mbuilderTextOnly", '1', "true") << "ExactText" << QVariant(true);
        QTest::newRow("font name") << Entry("mfontName", '1', "\"Times-B\"") << "FontNameCombo1" << QVariant("Times-B");
        QTest::newRow("font size") << Entry("mfontSize", '1', "12.5") << "FontSizeValue1" << QVariant(12.5);
        QTest::newRow("size tolerance") << Entry("mfontSizeTol", '1', "0.5") << "FontSizeTolerance1" << QVariant(0.5);
        QTest::newRow("include") << Entry("minclude", '1', "true") << "IncludeRadio1" << QVariant(true);
        QTest::newRow("colour check") << Entry("misFontColor", '1', "true") << "FontColorCheck1" << QVariant(true);
        QTest::newRow("mask check") << Entry("misFontMask", '1', "true") << "TextMaskCheck1" << QVariant(true);
        QTest::newRow("name check") << Entry("misFontName", '1', "true") << "FontNameCheck1" << QVariant(true);
        QTest::newRow("indent check") << Entry("misFontRectLeft", '1', "true") << "LeftIndentCheck1" << QVariant(true);
        QTest::newRow("size check") << Entry("misFontSize", '1', "true") << "FontSizeCheck1" << QVariant(true);
        QTest::newRow("keyword check") << Entry("misKeywordList", '1', "true") << "KeywordListCheck1" << QVariant(true);
        QTest::newRow("keyword list") << Entry("mkeywordList", '1', "\"/lists/a b.txt\"") << "KeyListEdit1"
                                      << QVariant("/lists/a b.txt");
        QTest::newRow("zoom value") << Entry("mmagPercent", '1', "150") << "ZoomValue" << QVariant(150);
        QTest::newRow("zoom") << Entry("mmagnification", '1', "1") << "ZoomSettings" << QVariant(1);
        QTest::newRow("quoted mask") << Entry("mmask", '1', "\"Chapter*\"") << "TextMaskEdit1" << QVariant("Chapter*");
        QTest::newRow("indent") << Entry("mrectLeft", '1', "72.5") << "LeftIndentValue1" << QVariant(72.5);
        QTest::newRow("indent in points") << Entry("mrectLeft", '1', "72.5") << "LeftIndentToPoints1" << QVariant(72.5);
        QTest::newRow("indent tolerance") << Entry("mrectLeftTol", '1', "3") << "LeftIndentTolerance1" << QVariant(3.0);
        QTest::newRow("tolerance in points") << Entry("mrectLeftTol", '1', "3") << "LeftIndentToleranceToPoints1"
                                             << QVariant(3.0);
        QTest::newRow("colour space") << Entry("mfontColorSpace", '1', "1") << "fontColorSpace1" << QVariant(1);
        QTest::newRow("component 3") << Entry("mfontColorValue3", '1', "0.25") << "fontColorValue31" << QVariant(0.25);
        QTest::newRow("level character kept") << Entry("mfontSize", 'x', "9") << "FontSizeValuex" << QVariant(9.0);
        QTest::newRow("windows line end") << QByteArray("[mfontSize1][/= 11;\r\n") << "FontSizeValue1" << QVariant(11.0);
    }

    void entries()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, key);
        QFETCH(QVariant, expected);
        const Prefs prefs = Import(Prefix + line);
        QCOMPARE(prefs.value(key), expected);
        QVERIFY(!prefs.contains("LeftIndentUnits1"));
    }

    void levelAloneKeepsEarlierLevels()
    {
        const Prefs before{{"FontNameCombo1", "Kept"}, {"LevelCount", 7}, {"Unrelated", "x"}};
        const Prefs prefs = Import(Prefix + Entry("mfontSize", '3', "14") + Entry("mbuilderInsertion", '2', "1"), before);
        QCOMPARE(prefs.value("LevelCount"), QVariant(3));
        QCOMPARE(prefs.value("FontNameCombo1"), QVariant("Kept"));
        QCOMPARE(prefs.value("Unrelated"), QVariant("x"));
        QCOMPARE(prefs.value("FontSizeValue3"), QVariant(14.0));
        QCOMPARE(prefs.value("CurUnit3"), QVariant(2));
        QCOMPARE(prefs.value("CurUnit2"), QVariant(2));
        QVERIFY(!prefs.contains("CurUnit1"));
        // Every level up to the count gets a colour, black when it has none.
        for (int level = 1; level <= 3; ++level)
            QCOMPARE(prefs.value(QString("ColorInHex%1").arg(level)).toString(), QStringLiteral("#000000"));
    }

    void colors_data()
    {
        QTest::addColumn<QByteArray>("space");
        QTest::addColumn<QList<QByteArray>>("components");
        QTest::addColumn<QString>("expected");
        QTest::newRow("gray") << QByteArray("0") << QList<QByteArray>{"0.5"} << "#7f7f7f";
        QTest::newRow("rgb half rounds down") << QByteArray("1") << QList<QByteArray>{"1.0", "0.5", "0.0"} << "#ff7f00";
        QTest::newRow("cmyk over the top") << QByteArray("2") << QList<QByteArray>{"0.5", "0", "0", "0.6"} << "#006666";
        QTest::newRow("cmyk red") << QByteArray("2") << QList<QByteArray>{"0", "1", "1", "0"} << "#ff0000";
        QTest::newRow("out of range") << QByteArray("1") << QList<QByteArray>{"2.5", "-1", "1e308"} << "#ff00ff";
        QTest::newRow("not numbers") << QByteArray("1") << QList<QByteArray>{"nan", "inf", "x"} << "#00ff00";
        // Stored as an invalid colour, which still reads as black.
        QTest::newRow("unknown space") << QByteArray("3") << QList<QByteArray>{"1"} << "";
    }

    void colors()
    {
        QFETCH(QByteArray, space);
        QFETCH(QList<QByteArray>, components);
        QFETCH(QString, expected);
        QByteArray file = Prefix + Entry("mfontColorSpace", '1', space);
        for (int i = 0; i < components.size(); ++i)
            file += Entry("mfontColorValue" + QByteArray::number(i), '1', components.at(i));
        const QVariant color = Import(file).value("ColorInHex1");
        QCOMPARE(color.userType(), int(QMetaType::QColor));
        QCOMPARE(color.value<QColor>().isValid(), !expected.isEmpty());
        QCOMPARE(color.toString(), expected.isEmpty() ? QStringLiteral("#000000") : expected);
    }

    void readingStops_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("levelCount");
        const QByteArray two = Entry("mfontSize", '2', "10");
        QTest::newRow("end marker line") << Prefix + Entry("mfontSize", '1', "10") + "</settings>\n" + two << 1;
        QTest::newRow("marker inside a value") << Prefix + Entry("mmask", '1', "\"a>b\"") + two << 0;
        QTest::newRow("first line entry") << "##" + Entry("mfontSize", '4', "10") << 4;
        QTest::newRow("blank line goes on") << Prefix + "\n" + Entry("mfontSize", '1', "10") + "\n\n" + two << 2;
        QTest::newRow("nothing after the prefix") << QByteArray("##") << 0;
        QTest::newRow("empty first line") << "##\n" + two << 2;
        QTest::newRow("empty file") << QByteArray() << 0;
        QTest::newRow("nul ends the line") << Prefix + "\n" + QByteArray("\0[mfontSize3][/= 1;\n", 20) + two << 0;
        QTest::newRow("last line without feed") << Prefix + "\n[mfontSize5][/= 1;" << 5;
    }

    void readingStops()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, levelCount);
        QCOMPARE(Import(content).value("LevelCount"), QVariant(levelCount));
    }

    void linesTooShortWriteNothing_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("blank") << QByteArray("\n");
        QTest::newRow("one character") << QByteArray("x\n");
        QTest::newRow("separator only") << QByteArray("[/= 1;\n");
        QTest::newRow("two before separator") << QByteArray("[][/= 1;\n");
    }

    void linesTooShortWriteNothing()
    {
        QFETCH(QByteArray, line);
        const Prefs prefs = Import(Prefix + "\n" + line + "\n" + line);
        QCOMPARE(prefs, (Prefs{{"LevelCount", 0}}));
    }

    void unknownNamesOnlyCountTheirLevel()
    {
        // A name that differs only in case, and an entry with no name at all,
        // count their level and write nothing else.
        const Prefs prefs = Import(Prefix + Entry("MfontSize", '4', "10") + "[4][/\n");
        QCOMPARE(prefs.value("LevelCount"), QVariant(4));
        QCOMPARE(prefs.value("CurUnit4"), QVariant(2));
        QVERIFY(!prefs.contains("FontSizeValue4"));
    }

    void unreadableFileKeepsTheMap()
    {
        Prefs prefs{{"FontNameCombo1", "Kept"}};
        CASCabAPI(folder.filePath("missing.txt"), &prefs).LoadASCab();
        QCOMPARE(prefs, (Prefs{{"FontNameCombo1", "Kept"}, {"LevelCount", 0}}));
    }

private:
    Prefs Import(const QByteArray& content, Prefs prefs = Prefs())
    {
        const QString path = folder.filePath(QString("settings%1.txt").arg(++files));
        WriteFile(path, content);
        CASCabAPI(path, &prefs).LoadASCab();
        return prefs;
    }

    QTemporaryDir folder;
    int files = 0;
};

QTEST_GUILESS_MAIN(TestForeignSettings)
#include "tst_foreignsettings.moc"
