#include "levelsummary.h"

#include <QtTest>

Q_DECLARE_METATYPE(CLevelSummary)

class TestLevelSummary : public QObject
{
    Q_OBJECT

private slots:
    void text_data();
    void text();
};

void TestLevelSummary::text_data()
{
    QTest::addColumn<CLevelSummary>("summary");
    QTest::addColumn<QString>("expected");

    CLevelSummary sizeAndIndent;
    sizeAndIndent.fontSize = true;
    sizeAndIndent.size = 12;
    sizeAndIndent.sizeTolerance = 0.5;
    sizeAndIndent.leftIndent = true;
    sizeAndIndent.indent = 10;
    sizeAndIndent.indentUnitText = "mm";
    sizeAndIndent.indentTolerance = 1;
    QTest::newRow("size and indentation, no leading comma")
        << sizeAndIndent << "size: 12, tolerance: 0.5, indentation: 10mm, tolerance: 1";

    CLevelSummary maskOnly;
    maskOnly.textMask = true;
    maskOnly.mask = "^[0-9]+\\.";
    maskOnly.fontNameText = "Arial"; // switched off: not shown
    QTest::newRow("mask only") << maskOnly << "text mask: ^[0-9]+\\.";

    CLevelSummary all;
    all.fontName = true;
    all.fontNameText = "Arial-Bold";
    all.fontSize = true;
    all.size = 10.5;
    all.sizeTolerance = 0;
    all.fontColor = true;
    all.colorText = "Custom...";
    all.leftIndent = true;
    all.indent = 28.346456692913385;
    all.indentUnitText = "points";
    all.indentTolerance = 0.25;
    all.textMask = true;
    all.mask = "Chapter";
    all.keywordList = true;
    all.keywordFile = "/tmp/k.txt";
    QTest::newRow("every criterion, six significant digits")
        << all
        << "Arial-Bold, size: 10.5, tolerance: 0, color: Custom..., indentation: "
           "28.3465points, tolerance: 0.25, text mask: Chapter, keyword list: /tmp/k.txt";

    CLevelSummary emptyFontName;
    emptyFontName.fontName = true;
    emptyFontName.fontColor = true;
    emptyFontName.colorText = "Red";
    QTest::newRow("empty font name drops the separator") << emptyFontName << "color: Red";

    QTest::newRow("nothing checked") << CLevelSummary() << "";
}

void TestLevelSummary::text()
{
    QFETCH(CLevelSummary, summary);
    QFETCH(QString, expected);
    QCOMPARE(summary.Text(), expected);
}

QTEST_GUILESS_MAIN(TestLevelSummary)
#include "tst_levelsummary.moc"
