// Text records as the library writes them, which line a click or a
// rectangle means, and where a point of the page lies in its image.
#include "bookmarkselectionrec.h"
#include "pagegeometry.h"
#include "textline.h"
#include "textselection.h"

#include <QtTest>

class TestDesktopText : public QObject
{
    Q_OBJECT

private slots:
    void recordsAreRead_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("font");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRectF>("box");
        QTest::addColumn<double>("left");
        QTest::newRow("plain") << "Helvetica-Bold,#1f3a93,20,72,694,300,694,300,714,72,714,1 Getting Started"
                               << "Helvetica-Bold" << "1 Getting Started" << QRectF(72, 694, 228, 20) << 72.0;
        QTest::newRow("quoted font with comma") << "\"Arial,Bold\",#000000,12,10,20,110,20,110,32,10,32,Hello"
                                                << "Arial,Bold" << "Hello" << QRectF(10, 20, 100, 12) << 10.0;
        QTest::newRow("commas in text") << "Times,#000000,10.5,72,100,200,100,200,110.5,72,110.5,a, b, c"
                                        << "Times" << "a, b, c" << QRectF(72, 100, 128, 10.5) << 72.0;
        // A line turned by 90 degrees: the box covers all four corners; left is the first corner's.
        QTest::newRow("rotated") << "Times,#000000,10,100,100,100,200,90,200,90,100,up" << "Times" << "up"
                                 << QRectF(90, 100, 10, 100) << 100.0;
    }

    void recordsAreRead()
    {
        QFETCH(QString, record);
        TextLine line;
        QVERIFY(TextLine::fromRecord(record, line));
        QTEST(line.fontName, "font");
        QTEST(line.text, "text");
        QTEST(line.box, "box");
        QTEST(line.left, "left");
    }

    void brokenRecordsAreSkipped()
    {
        const QList<TextLine> lines = TextLine::fromPageText(QStringLiteral(
            "Times,#000000,10,1,2,3,4,5,6,7,8,good\r\n"
            "\"Unclosed,#000000,10,1,2,3,4,5,6,7,8,x\n"
            "Times,#000000,10,1,2,3\n"
            "Times,notacolour,10,1,2,3,4,5,6,7,8,x\n"
            "Times,#000000,big,1,2,3,4,5,6,7,8,x\n"
            "\n"
            "Times,#000000,10,1,2,3,4,5,6,7,8,last"));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines.at(0).text, QStringLiteral("good"));
        QCOMPARE(lines.at(1).text, QStringLiteral("last"));
    }

    void selectionRecordCarriesTheLineStyle()
    {
        TextLine line;
        QVERIFY(TextLine::fromRecord("\"Arial,Bold\",#8b1a1a,14.346,72.5,600,300,600,300,614,72.5,614,1.1 Installing", line));
        const PDBookmarkSelectionRec rec = line.selectionRecord();
        QCOMPARE(rec.fontName, QStringLiteral("Arial,Bold"));
        // As the wizard's size field holds it, so that it matches with no tolerance.
        QCOMPARE(rec.fontSize, 14.35);
        QCOMPARE(rec.color, qRgba(0x8b, 0x1a, 0x1a, 255));
        QCOMPARE(rec.left, 72.5);
    }

    void pick_data()
    {
        QTest::addColumn<QRectF>("area");
        QTest::addColumn<int>("line");  // 0 heading, 1 body below it, 2 page number beside the heading
        QTest::newRow("click on the heading") << QRectF(150, 700, 0, 0) << 0;
        QTest::newRow("small click on the body") << QRectF(150, 665, 0.5, 0.5) << 1;
        QTest::newRow("click just beside thin text") << QRectF(150, 671.5, 0, 0) << 1;
        QTest::newRow("click well away") << QRectF(150, 680, 0, 0) << -1;
        QTest::newRow("rectangle: the higher line") << QRectF(100, 650, 50, 60) << 0;
        QTest::newRow("rectangle dragged upwards") << QRectF(150, 710, -50, -60) << 0;
        QTest::newRow("rectangle: same height, the left one") << QRectF(60, 695, 500, 5) << 0;
        QTest::newRow("rectangle over nothing") << QRectF(400, 600, 10, 10) << -1;
    }

    void pick()
    {
        QFETCH(QRectF, area);
        const QList<TextLine> lines = TextLine::fromPageText(QStringLiteral(
            "Helvetica-Bold,#1f3a93,20,72,694,300,694,300,714,72,714,1 Getting Started\n"
            "Times-Roman,#000000,10.5,72,660,540,660,540,670.5,72,670.5,Body text\n"
            "Times-Roman,#000000,10.5,520,694,540,694,540,704.5,520,704.5,7"));
        QTEST(TextSelection::pick(lines, area), "line");
        QCOMPARE(TextSelection::pick({}, area), -1);
    }

    void imageAndUserSpaceRoundTrip()
    {
        // A crop box that does not start at the origin.
        const QRectF crop(18, 36, 576, 720);
        QCOMPARE(PageGeometry::toImage(crop, QPointF(18, 756), 2.0), QPointF(0, 0));
        QCOMPARE(PageGeometry::toImage(crop, QPointF(594, 36), 2.0), QPointF(1152, 1440));
        const QPointF user(100.5, 400.25);
        QCOMPARE(PageGeometry::toUser(crop, PageGeometry::toImage(crop, user, 1.5), 1.5), user);
    }
};

QTEST_GUILESS_MAIN(TestDesktopText)
#include "tst_desktoptext.moc"
