#include "leveldefinition.h"

#include <QtTest>

Q_DECLARE_METATYPE(CLevelDefinition)

class TestLevelSummary : public QObject
{
    Q_OBJECT

private slots:
    void text_data();
    void text();
};

void TestLevelSummary::text_data()
{
    QTest::addColumn<CLevelDefinition>("level");
    QTest::addColumn<QString>("colourText");
    QTest::addColumn<QString>("unitText");
    QTest::addColumn<QString>("expected");

    CLevelDefinition sizeAndIndent;
    sizeAndIndent.fontSizeCheck = true;
    sizeAndIndent.fontSize = 12;
    sizeAndIndent.fontSizeTolerance = 0.5;
    sizeAndIndent.leftIndentCheck = true;
    sizeAndIndent.leftIndentValue = 10;
    sizeAndIndent.leftIndentTolerance = 1;
    QTest::newRow("size and indentation, no leading comma")
        << sizeAndIndent << "" << "mm" << "size: 12, tolerance: 0.5, indentation: 10mm, tolerance: 1";

    CLevelDefinition maskOnly;
    maskOnly.textMaskCheck = true;
    maskOnly.textMask = "^[0-9]+\\.";
    maskOnly.fontName = "Arial"; // switched off: not shown
    QTest::newRow("mask only") << maskOnly << "" << "" << "text mask: ^[0-9]+\\.";

    CLevelDefinition all;
    all.fontNameCheck = true;
    all.fontName = "Arial-Bold";
    all.fontSizeCheck = true;
    all.fontSize = 10.5;
    all.fontSizeTolerance = 0;
    all.colourCheck = true;
    all.leftIndentCheck = true;
    all.leftIndentValue = 28.346456692913385;
    all.leftIndentTolerance = 0.25;
    all.textMaskCheck = true;
    all.textMask = "Chapter";
    all.keywordListCheck = true;
    all.keywordFile = "/tmp/k.txt";
    QTest::newRow("every criterion, six significant digits")
        << all << "Custom..." << "points"
        << "Arial-Bold, size: 10.5, tolerance: 0, color: Custom..., indentation: "
           "28.3465points, tolerance: 0.25, text mask: Chapter, keyword list: /tmp/k.txt";

    CLevelDefinition emptyFontName;
    emptyFontName.fontNameCheck = true;
    emptyFontName.colourCheck = true;
    QTest::newRow("empty font name drops the separator") << emptyFontName << "Red" << "" << "color: Red";

    QTest::newRow("nothing checked") << CLevelDefinition() << "" << "" << "";
}

void TestLevelSummary::text()
{
    QFETCH(CLevelDefinition, level);
    QFETCH(QString, colourText);
    QFETCH(QString, unitText);
    QFETCH(QString, expected);
    QCOMPARE(level.Summary(colourText, unitText), expected);
}

QTEST_GUILESS_MAIN(TestLevelSummary)
#include "tst_levelsummary.moc"
