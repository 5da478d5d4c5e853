// Text records as the bookmark engine reads them: one per visual line.
#include "librarysession.h"
#include "rawpdf.h"
#include "samplepdf.h"

#include <QFontMetricsF>
#include <QtTest>

namespace {

// A record cut into its fields; the text is everything after field 10.
struct Record
{
    QString font, colour, text;
    double size = 0;
    double corners[8] = {};
};

Record parse(const QString& line)
{
    Record r;
    int at = 0;
    if (line.startsWith('"'))
    {
        const int close = line.indexOf("\",");
        r.font = line.left(close + 1);
        at = close + 2;
    }
    else
    {
        r.font = line.section(',', 0, 0);
        at = r.font.size() + 1;
    }
    const QStringList rest = line.mid(at).split(',');
    r.colour = rest.value(0);
    r.size = rest.value(1).toDouble();
    for (int i = 0; i < 8; ++i)
        r.corners[i] = rest.value(2 + i).toDouble();
    r.text = rest.mid(10).join(',');
    return r;
}

QFont font(const QString& family, int size, bool bold = false)
{
    QFont f(family);
    f.setPixelSize(size);
    f.setBold(bold);
    return f;
}

} // namespace

class TextRecordsTest : public QObject
{
    Q_OBJECT

private slots:
    void headingFieldByField();
    void wordsAndSpaces_data();
    void wordsAndSpaces();
    void rotatedText();
    void rawContent_data();
    void rawContent();
    void emptyPageAndBadCalls();
};

void TextRecordsTest::headingFieldByField()
{
    LibrarySession session;
    SamplePdf pdf;
    pdf.drawText(1, QPointF(72, 100), "1. Introduction, \"quoted\"", font("DejaVu Sans", 18, true), QColor(255, 0, 0));
    pdf.drawText(1, QPointF(90, 140), "Body text", font("Liberation Serif", 11), QColor(0x20, 0x40, 0x60));
    const QString file = session.path("heading.pdf");
    QVERIFY(pdf.write(file));
    QVERIFY(session.load(file));

    const QStringList lines = session.records(1);
    QCOMPARE(lines.size(), 2);
    const Record heading = parse(lines[0]);
    // The full BaseFont, with a subset prefix when the producer writes one.
    QVERIFY2(QRegularExpression("^([A-Z]{6}\\+)?DejaVuSans-Bold$").match(heading.font).hasMatch(), qPrintable(heading.font));
    QCOMPARE(heading.colour, QString("#ff0000"));
    QCOMPARE(heading.size, 18.0);
    QCOMPARE(heading.text, QString("1. Introduction, \"quoted\""));
    // Left edge at the drawing position, top above and bottom below the baseline.
    const double baseline = pdf.pdfY(100);
    QVERIFY(qAbs(heading.corners[0] - 72) < 0.5);
    QCOMPARE(heading.corners[6], heading.corners[0]);
    QCOMPARE(heading.corners[4], heading.corners[2]);
    QVERIFY(heading.corners[1] < baseline && heading.corners[1] > baseline - 18);
    QVERIFY(heading.corners[7] > baseline && heading.corners[7] < baseline + 18);
    const double width = QFontMetricsF(font("DejaVu Sans", 18, true)).horizontalAdvance("1. Introduction, \"quoted\"");
    QVERIFY2(qAbs(heading.corners[2] - 72 - width) < 2, qPrintable(lines[0]));

    const Record body = parse(lines[1]);
    QVERIFY2(body.font.endsWith("LiberationSerif"), qPrintable(body.font));
    QCOMPARE(body.colour, QString("#204060"));
    QCOMPARE(body.size, 11.0);
    QCOMPARE(body.text, QString("Body text"));
}

void TextRecordsTest::wordsAndSpaces_data()
{
    QTest::addColumn<double>("gap");
    QTest::addColumn<bool>("secondBold");
    QTest::addColumn<QString>("expected");
    QTest::newRow("touching, font change only") << 0.0 << true << "HeadingBody";
    QTest::newRow("visible gap, no space glyph") << 6.0 << false << "Heading Body";
    QTest::newRow("wide gap, one space") << 120.0 << true << "Heading Body";
}

void TextRecordsTest::wordsAndSpaces()
{
    QFETCH(double, gap);
    QFETCH(bool, secondBold);
    QFETCH(QString, expected);
    LibrarySession session;
    SamplePdf pdf;
    const QFont first = font("DejaVu Sans", 12);
    const double width = QFontMetricsF(first).horizontalAdvance("Heading");
    // Drawn second part first: reading order follows the baseline, not the content.
    pdf.drawText(1, QPointF(72 + width + gap, 200), "Body", font("DejaVu Sans", 12, secondBold));
    pdf.drawText(1, QPointF(72, 200), "Heading", first);
    const QString file = session.path("words.pdf");
    QVERIFY(pdf.write(file));
    QVERIFY(session.load(file));
    const QStringList lines = session.records(1);
    QCOMPARE(lines.size(), 1);
    QCOMPARE(parse(lines[0]).text, expected);
}

void TextRecordsTest::rotatedText()
{
    LibrarySession session;
    SamplePdf pdf;
    pdf.drawText(1, QPointF(100, 400), "Sideways title", font("DejaVu Sans", 14), Qt::black, -90);
    pdf.drawText(1, QPointF(200, 100), "Upright", font("DejaVu Sans", 14));
    const QString file = session.path("rotated.pdf");
    QVERIFY(pdf.write(file));
    QVERIFY(session.load(file));
    const QStringList lines = session.records(1);
    QCOMPARE(lines.size(), 2);
    const Record sideways = parse(lines[0]);
    QCOMPARE(sideways.text, QString("Sideways title"));
    QCOMPARE(sideways.size, 14.0);
    // Reading upwards from the drawing point: the baseline runs along x = 100.
    QVERIFY(qAbs(sideways.corners[0] - 100) < 4);
    QVERIFY(qAbs(sideways.corners[1] - pdf.pdfY(400)) < 0.5);
    QVERIFY(sideways.corners[3] > sideways.corners[1] + 50);
    QCOMPARE(parse(lines[1]).text, QString("Upright"));
}

void TextRecordsTest::rawContent_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");
    QTest::newRow("invisible text kept") << QByteArray("BT 3 Tr /F1 12 Tf 72 700 Td (Scanned words) Tj ET")
                                         << "Helvetica,#000000,12,Scanned words";
    QTest::newRow("font name with a comma") << QByteArray("BT /F2 10 Tf 72 700 Td (Bold, face) Tj ET")
                                            << "\"Arial,Bold\",#000000,10,Bold, face";
    QTest::newRow("grey one half rounds up") << QByteArray("BT 0.5 g /F1 12 Tf 72 700 Td (Grey) Tj ET")
                                             << "Helvetica,#808080,12,Grey";
    QTest::newRow("cmyk black") << QByteArray("BT 0 0 0 1 k /F1 12 Tf 72 700 Td (Black) Tj ET")
                                << "Helvetica,#000000,12,Black";
    QTest::newRow("cmyk cyan") << QByteArray("BT 1 0 0 0 k /F1 12 Tf 72 700 Td (Cyan) Tj ET")
                               << "Helvetica,#00ffff,12,Cyan";
    QTest::newRow("size from text and graphics matrices")
        << QByteArray("q 2 0 0 2 0 0 cm BT /F1 5 Tf 1 0 0 1.5 36 350 Tm (Scaled) Tj ET Q")
        << "Helvetica,#000000,15,Scaled";
    QTest::newRow("type 3 font by its name") << QByteArray("BT /F3 10 Tf 72 700 Td (Boxes) Tj ET")
                                             << "BoxFont,#000000,10,Boxes";
    QTest::newRow("majority font of a line")
        << QByteArray("BT /F1 12 Tf 72 700 Td (Mostly) Tj /F2 12 Tf ( x) Tj ET") << "Helvetica,#000000,12,Mostly x";
    QTest::newRow("white-space line left out")
        << QByteArray("BT /F1 12 Tf 72 700 Td (   ) Tj 0 -20 Td (Next) Tj ET") << "Helvetica,#000000,12,Next";
    QTest::newRow("baselines apart are lines apart")
        << QByteArray("BT /F1 12 Tf 72 700 Td (One) Tj 0 -14 Td (Two) Tj ET")
        << "Helvetica,#000000,12,One\nHelvetica,#000000,12,Two";
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
    const QString file = session.path("raw.pdf");
    QVERIFY(pdf.write(file));
    QVERIFY(session.load(file));
    QStringList got;
    for (const QString& line : session.records(1))
    {
        const Record r = parse(line);
        got << QString("%1,%2,%3,%4").arg(r.font, r.colour).arg(r.size).arg(r.text);
    }
    QCOMPARE(got.join('\n'), expected);
}

void TextRecordsTest::emptyPageAndBadCalls()
{
    LibrarySession session;
    QVERIFY(session.library().GetPageText(3).empty());
    SamplePdf pdf;
    pdf.ensurePages(2);
    pdf.drawText(1, QPointF(72, 72), "Only page one", font("DejaVu Sans", 12));
    const QString file = session.path("two.pdf");
    QVERIFY(pdf.write(file));
    QVERIFY(session.load(file));
    QCOMPARE(session.records(1).size(), 1);
    QVERIFY(session.records(2).isEmpty());
    // An out-of-range page leaves the selection where it was.
    QCOMPARE(session.library().SelectPage(3), 0);
    QCOMPARE(session.library().SelectedPage(), 2);
}

QTEST_MAIN(TextRecordsTest)
#include "tst_textrecords.moc"
