// Text records as the bookmark engine reads them: one per visual line, font,
// #rrggbb colour, size, the line box's four corners, then the text.
#include "librarysession.h"
#include "rawpdf.h"
#include "samplepdf.h"

#include <QtTest>

namespace {

// A record with its eight corner numbers shown as one '*'.
QString withoutCorners(const QString& record)
{
    return QString(record).replace(QRegularExpression("^(.*#\\w{6},[\\d.]+)(,-?[\\d.]+){8},"), "\\1,*,");
}

} // namespace

class TextRecordsTest : public QObject
{
    Q_OBJECT

private slots:
    void rawContent_data();
    void rawContent();
    void embeddedFonts();
};

void TextRecordsTest::rawContent_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");
    // F3's glyphs are squares of 0.6 em, 0.6 em apart: its boxes are easy to
    // work out. A '*' stands for the corners where they do not matter.
    QTest::newRow("box") << QByteArray("BT /F3 10 Tf 72 700 Td (AB) Tj ET") << "BoxFont,#000000,10,72,700,84,700,84,706,72,706,AB";
    QTest::newRow("rotated box") << QByteArray("BT /F3 10 Tf 0 1 -1 0 100 400 Tm (AB) Tj ET") << "BoxFont,#000000,10,100,400,100,412,94,412,94,400,AB";
    QTest::newRow("size from text and graphics matrices")
        << QByteArray("q 2 0 0 2 0 0 cm BT /F1 5 Tf 1 0 0 1.5 36 350 Tm (Scaled) Tj ET Q") << "Helvetica,#000000,15,*,Scaled";
    QTest::newRow("size to the hundredth of a point")
        << QByteArray("BT /F1 14.346 Tf 72 700 Td (Chapter) Tj ET") << "Helvetica,#000000,14.35,*,Chapter";
    QTest::newRow("invisible text kept") << QByteArray("BT 3 Tr /F1 12 Tf 72 700 Td (Scanned) Tj ET") << "Helvetica,#000000,12,*,Scanned";
    QTest::newRow("font name with a comma") << QByteArray("BT /F2 10 Tf 72 700 Td (Bold, face) Tj ET") << "\"Arial,Bold\",#000000,10,*,Bold, face";
    QTest::newRow("grey one half rounds up") << QByteArray("BT 0.5 g /F3 10 Tf 72 700 Td (AB) Tj ET") << "BoxFont,#808080,10,*,AB";
    QTest::newRow("cmyk black") << QByteArray("BT 0 0 0 1 k /F3 10 Tf 72 700 Td (AB) Tj ET") << "BoxFont,#000000,10,*,AB";
    QTest::newRow("cmyk cyan") << QByteArray("BT 1 0 0 0 k /F3 10 Tf 72 700 Td (AB) Tj ET") << "BoxFont,#00ffff,10,*,AB";
    QTest::newRow("majority font of a line") << QByteArray("BT /F1 12 Tf 72 700 Td (Mostly) Tj /F2 12 Tf ( x) Tj ET") << "Helvetica,#000000,12,*,Mostly x";
    QTest::newRow("first font wins a tie, no gap no space")
        << QByteArray("BT /F3 10 Tf 72 700 Td (AB) Tj /F1 10 Tf (CD) Tj ET") << "BoxFont,#000000,10,*,ABCD";
    QTest::newRow("visible gap, no space glyph") << QByteArray("BT /F3 10 Tf 72 700 Td [(AB) -500 (CD)] TJ ET") << "BoxFont,#000000,10,*,AB CD";
    QTest::newRow("reading order, not content order")
        << QByteArray("BT /F3 10 Tf 84 700 Td (CD) Tj -12 0 Td (AB) Tj ET") << "BoxFont,#000000,10,*,ABCD";
    QTest::newRow("simulated bold drawn twice")
        << QByteArray("BT /F3 10 Tf 72 700 Td (AB) Tj ET BT /F3 10 Tf 72.3 700 Td (AB) Tj ET") << "BoxFont,#000000,10,*,AB";
    QTest::newRow("fill and stroke show the text once")
        << QByteArray("BT 2 Tr /F3 10 Tf 72 700 Td (AB) Tj ET") << "BoxFont,#000000,10,*,AB";
    QTest::newRow("the same words on the next line are no repeat")
        << QByteArray("BT /F3 10 Tf 72 700 Td (AB) Tj ET BT /F3 10 Tf 72 688 Td (AB) Tj ET")
        << "BoxFont,#000000,10,*,AB\nBoxFont,#000000,10,*,AB";
    QTest::newRow("white-space line left out")
        << QByteArray("BT /F3 10 Tf 72 700 Td (   ) Tj 0 -20 Td (AB) Tj ET") << "BoxFont,#000000,10,*,AB";
    QTest::newRow("no text") << QByteArray("0 0 100 100 re f") << QString();
    QTest::newRow("baselines apart are lines apart")
        << QByteArray("BT /F3 10 Tf 72 700 Td (AB) Tj 0 -12 Td (CD) Tj ET") << "BoxFont,#000000,10,*,AB\nBoxFont,#000000,10,*,CD";
}

void TextRecordsTest::rawContent()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    LibrarySession session;
    RawPdf pdf;
    pdf.addFont("F1", "Helvetica");
    pdf.addFont("F2", "Arial,Bold");
    pdf.addType3Font("F3", "BoxFont");
    pdf.addPage(content);
    QVERIFY(pdf.write(session.path("raw.pdf")));
    QVERIFY(session.load(session.path("raw.pdf")));
    QStringList got = session.records(1);
    if (expected.contains(",*,"))
        std::transform(got.begin(), got.end(), got.begin(), withoutCorners);
    QCOMPARE(got.join('\n'), expected);
}

void TextRecordsTest::embeddedFonts()
{
    LibrarySession session;
    SamplePdf pdf;
    QFont heading("DejaVu Sans");
    heading.setPixelSize(18);
    heading.setBold(true);
    pdf.drawText(1, QPointF(72, 100), "1. Introduction", heading, QColor(255, 0, 0));
    QFont body("Liberation Serif");
    body.setPixelSize(11);
    pdf.drawText(1, QPointF(90, 140), "Body text", body, QColor(0x20, 0x40, 0x60));
    QVERIFY(pdf.write(session.path("fonts.pdf")));
    QVERIFY(session.load(session.path("fonts.pdf")));
    const QStringList lines = session.records(1);
    QCOMPARE(lines.size(), 2);
    // The full BaseFont, with a subset prefix when the producer writes one.
    const QRegularExpression prefix("^[A-Z]{6}\\+");
    QCOMPARE(withoutCorners(lines[0]).remove(prefix), "DejaVuSans-Bold,#ff0000,18,*,1. Introduction");
    QCOMPARE(withoutCorners(lines[1]).remove(prefix), "LiberationSerif,#204060,11,*,Body text");
    // Left edge at the drawing position, the baseline between bottom and top.
    const QStringList corners = lines[0].split(',').mid(3, 8);
    QVERIFY(qAbs(corners[0].toDouble() - 72) < 0.5);
    QVERIFY(corners[1].toDouble() < pdf.pdfY(100) && corners[7].toDouble() > pdf.pdfY(100));
}

QTEST_MAIN(TextRecordsTest)
#include "tst_textrecords.moc"
