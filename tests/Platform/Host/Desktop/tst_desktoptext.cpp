// Text records as the library writes them, and which line a click or a
// rectangle means.
#include "bookmarkselectionrec.h"
#include "pagegeometry.h"
#include "textline.h"
#include "textselection.h"

#include <QtTest>

class TestDesktopText : public QObject
{
    Q_OBJECT

private slots:
    void recordsAreRead_data();
    void recordsAreRead();
    void brokenRecordsAreSkipped();
    void selectionRecordCarriesTheLineStyle();
    void clickPicksTheLineUnderIt();
    void rectanglePicksTheFirstLineInReadingOrder();
    void imageAndUserSpaceRoundTrip();
};

void TestDesktopText::recordsAreRead_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("font");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRectF>("box");

    QTest::newRow("plain") << "Helvetica-Bold,#1f3a93,20,72,694,300,694,300,714,72,714,1 Getting Started"
                           << "Helvetica-Bold" << "1 Getting Started" << QRectF(72, 694, 228, 20);
    QTest::newRow("quoted font with comma") << "\"Arial,Bold\",#000000,12,10,20,110,20,110,32,10,32,Hello"
                                            << "Arial,Bold" << "Hello" << QRectF(10, 20, 100, 12);
    QTest::newRow("commas in text") << "Times,#000000,10.5,72,100,200,100,200,110.5,72,110.5,a, b, c"
                                    << "Times" << "a, b, c" << QRectF(72, 100, 128, 10.5);
    // A line turned by 90 degrees: the box still covers all four corners.
    QTest::newRow("rotated") << "Times,#000000,10,100,100,100,200,90,200,90,100,up"
                             << "Times" << "up" << QRectF(90, 100, 10, 100);
}

void TestDesktopText::recordsAreRead()
{
    QFETCH(QString, record);
    TextLine line;
    QVERIFY(TextLine::fromRecord(record, line));
    QTEST(line.fontName, "font");
    QTEST(line.text, "text");
    QTEST(line.box, "box");
}

void TestDesktopText::brokenRecordsAreSkipped()
{
    const QString page = QStringLiteral(
        "Times,#000000,10,1,2,3,4,5,6,7,8,good\r\n"
        "\"Unclosed,#000000,10,1,2,3,4,5,6,7,8,x\n"
        "Times,#000000,10,1,2,3\n"
        "Times,notacolour,10,1,2,3,4,5,6,7,8,x\n"
        "Times,#000000,big,1,2,3,4,5,6,7,8,x\n"
        "\n"
        "Times,#000000,10,1,2,3,4,5,6,7,8,last");
    const QList<TextLine> lines = TextLine::fromPageText(page);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.at(0).text, QStringLiteral("good"));
    QCOMPARE(lines.at(1).text, QStringLiteral("last"));
}

void TestDesktopText::selectionRecordCarriesTheLineStyle()
{
    TextLine line;
    QVERIFY(TextLine::fromRecord("\"Arial,Bold\",#8b1a1a,14,72.5,600,300,600,300,614,72.5,614,1.1 Installing", line));
    const PDBookmarkSelectionRec rec = line.selectionRecord();
    QCOMPARE(rec.fontName, QStringLiteral("Arial,Bold"));
    QCOMPARE(rec.fontSize, 14.0);
    QCOMPARE(rec.color, qRgb(0x8b, 0x1a, 0x1a));
    QCOMPARE(qAlpha(rec.color), 255);
    QCOMPARE(rec.left, 72.5);
}

namespace {

QList<TextLine> Page()
{
    // A heading, a body line below it, and a page number at the right.
    return TextLine::fromPageText(QStringLiteral(
        "Helvetica-Bold,#1f3a93,20,72,694,300,694,300,714,72,714,1 Getting Started\n"
        "Times-Roman,#000000,10.5,72,660,540,660,540,670.5,72,670.5,Body text\n"
        "Times-Roman,#000000,10.5,520,694,540,694,540,704.5,520,704.5,7"));
}

} // namespace

void TestDesktopText::clickPicksTheLineUnderIt()
{
    const QList<TextLine> lines = Page();
    QCOMPARE(TextSelection::pick(lines, QRectF(150, 700, 0, 0)), 0);
    QCOMPARE(TextSelection::pick(lines, QRectF(150, 665, 0.5, 0.5)), 1);
    // Just beside thin text still counts; well away does not.
    QCOMPARE(TextSelection::pick(lines, QRectF(150, 671.5, 0, 0)), 1);
    QCOMPARE(TextSelection::pick(lines, QRectF(150, 680, 0, 0)), -1);
    QCOMPARE(TextSelection::pick({}, QRectF(150, 700, 0, 0)), -1);
}

void TestDesktopText::rectanglePicksTheFirstLineInReadingOrder()
{
    const QList<TextLine> lines = Page();
    // Over heading and body: the heading, which is higher on the page.
    QCOMPARE(TextSelection::pick(lines, QRectF(100, 650, 50, 60)), 0);
    // Dragged upwards gives the same rectangle.
    QCOMPARE(TextSelection::pick(lines, QRectF(150, 710, -50, -60)), 0);
    // Heading and page number share a height: the left one first.
    QCOMPARE(TextSelection::pick(lines, QRectF(60, 695, 500, 5)), 0);
    QCOMPARE(TextSelection::pick(lines, QRectF(400, 600, 10, 10)), -1);
}

void TestDesktopText::imageAndUserSpaceRoundTrip()
{
    // A crop box that does not start at the origin.
    const QRectF crop(18, 36, 576, 720);
    QCOMPARE(PageGeometry::toImage(crop, QPointF(18, 756), 2.0), QPointF(0, 0));
    QCOMPARE(PageGeometry::toImage(crop, QPointF(594, 36), 2.0), QPointF(1152, 1440));
    const QPointF user(100.5, 400.25);
    QCOMPARE(PageGeometry::toUser(crop, PageGeometry::toImage(crop, user, 1.5), 1.5), user);
}

QTEST_GUILESS_MAIN(TestDesktopText)
#include "tst_desktoptext.moc"
