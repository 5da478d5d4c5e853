// Page trees and forms built to cost more than they show: each must open and
// be read in bounded work.
#include "librarysession.h"
#include "rawpdf.h"

#include <QtTest>

namespace {

// LastErrorCode of a page whose text takes more work than a page may.
const int kTooComplex = 10;

QByteArray Stream(const QByteArray& content, const QByteArray& entries = QByteArray())
{
    return "<< " + entries + " /Length " + QByteArray::number(content.size()) + " >>\nstream\n" + content
        + "\nendstream";
}

// A page showing text with font 2 0 R; its content is object `content`.
QByteArray Page(int content, const QByteArray& resources = QByteArray())
{
    return "<< /Type /Page /MediaBox [0 0 612 792] /Resources << /Font << /F1 2 0 R >> " + resources
        + ">> /Contents " + QByteArray::number(content) + " 0 R >>";
}

QByteArray Label(const QByteArray& text)
{
    return Stream("BT /F1 18 Tf 72 720 Td (" + text + ") Tj ET");
}

const QByteArray kCatalog = "<< /Type /Catalog /Pages 3 0 R >>";
const QByteArray kFont = "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>";

// A page that draws form 6, which draws form 7 twice, and so on: the last
// of `depth` forms, drawn 2^(depth - 1) times, shows "leaf". Drawn by the
// page itself, or by the glyph of a Type 3 font (by `glyphFontType`) the page
// shows. A page showing "After" follows.
QByteArray FanOut(int depth, bool inGlyph = false, const QByteArray& glyphFontType = "Type3")
{
    const int after = 6 + depth, glyphFont = after + 2;
    const QByteArray glyphResources = "/Font << /T " + QByteArray::number(glyphFont) + " 0 R >> ";
    QList<QByteArray> objects{kCatalog, kFont, "<< /Type /Pages /Kids [4 0 R " + QByteArray::number(after) + " 0 R] /Count 2 >>",
                              Page(5, inGlyph ? glyphResources : "/XObject << /X 6 0 R >> "),
                              Stream(inGlyph ? "BT /T 12 Tf 72 700 Td (A) Tj ET" : "/X Do")};
    const QByteArray form = "/Type /XObject /Subtype /Form /BBox [0 0 612 792] /Resources ";
    for (int level = 1; level < depth; ++level)
        objects << Stream("/N Do /N Do", form + "<< /XObject << /N " + QByteArray::number(6 + level) + " 0 R >> >>");
    objects << Stream("BT /F1 9 Tf 72 100 Td (leaf) Tj ET", form + "<< /Font << /F1 2 0 R >> >>");
    objects << Page(after + 1) << Label("After");
    objects << "<< /Type /Font /Subtype /" + glyphFontType + " /FontBBox [0 0 1000 1000] /FontMatrix [0.001 0 0 0.001 0 0]"
               " /CharProcs << /a " + QByteArray::number(glyphFont + 1) + " 0 R >> /Encoding << /Differences [65 /a] >>"
               " /FirstChar 65 /LastChar 65 /Widths [1000] /Resources << /XObject << /X 6 0 R >> >> >>"
            << Stream("1000 0 d0 /X Do");
    return RawPdf::fromObjects(objects);
}

} // namespace

class HostileFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void readInBoundedWork_data();
    void readInBoundedWork();
};

void HostileFilesTest::readInBoundedWork_data()
{
    QTest::addColumn<QByteArray>("pdf");
    QTest::addColumn<QStringList>("texts");
    // Each page's last line, and LastErrorCode after it when not 0.
    // Objects: 1 catalog, 2 font, 3 the root node, then pages and nodes.
    QTest::newRow("count beyond the pages") << RawPdf::fromObjects({kCatalog, kFont,
        "<< /Type /Pages /Kids [4 0 R] /Count 2147483647 >>", Page(5), Label("One")}) << QStringList{"One"};
    QTest::newRow("flat, in order") << RawPdf::fromObjects({kCatalog, kFont,
        "<< /Type /Pages /Kids [4 0 R 6 0 R 8 0 R] /Count 3 >>", Page(5), Label("A"), Page(7), Label("B"), Page(9),
        Label("C")}) << QStringList{"A", "B", "C"};
    QTest::newRow("nested, in order") << RawPdf::fromObjects({kCatalog, kFont,
        "<< /Type /Pages /Kids [4 0 R 8 0 R] /Count 3 >>", "<< /Type /Pages /Kids [5 0 R 6 0 R] /Count 2 >>", Page(7),
        Page(9), Label("A"), Page(10), Label("B"), Label("C")}) << QStringList{"A", "B", "C"};
    // The inner node lists the root, itself and a null; it is listed twice.
    QTest::newRow("cycles and repeats") << RawPdf::fromObjects({kCatalog, kFont,
        "<< /Type /Pages /Kids [4 0 R 6 0 R 6 0 R] /Count 4 >>", Page(5), Label("A"),
        "<< /Type /Pages /Kids [7 0 R 3 0 R 6 0 R null] /Count 3 >>", Page(8), Label("B")})
        << QStringList{"A", "B"};
    // Every leaf shows the same text in the same place: one line. 2^17
    // forms drawn are within a page's budget, 2^19 are not: that page is
    // skipped, and the next one read as usual.
    QTest::newRow("forms within the budget") << FanOut(17) << QStringList{"leaf", "After"};
    const QString skipped = "#" + QString::number(kTooComplex);
    QTest::newRow("forms beyond the budget") << FanOut(19) << QStringList{skipped, "After"};
    // MuPDF draws a Type 3 font's glyphs when it loads the font.
    QTest::newRow("glyph forms beyond the budget") << FanOut(19, true) << QStringList{skipped, "After"};
    // MuPDF takes a font of a subtype it does not know, with glyph
    // procedures, for a Type 3 font.
    QTest::newRow("unknown font type's glyph forms") << FanOut(19, true, "Type4") << QStringList{skipped, "After"};
}

void HostileFilesTest::readInBoundedWork()
{
    QFETCH(QByteArray, pdf);
    QFETCH(QStringList, texts);
    LibrarySession session;
    QFile file(session.path("hostile.pdf"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(pdf) == pdf.size());
    file.close();
    QVERIFY(session.load(file.fileName()));
    QCOMPARE(session.library().PageCount(), texts.size());
    QStringList shown;
    for (int page = 1; page <= texts.size(); ++page)
    {
        shown << session.records(page).join('|').section(',', -1);
        if (const int error = session.library().LastErrorCode())
            shown.last() += "#" + QString::number(error);
    }
    QCOMPARE(shown, texts);
    // The preview draws a page in bounded work too, or refuses it.
    QCOMPARE(session.library().RenderPageToString(9, 1, 0).empty(), texts.first().startsWith('#'));
    // The font walk ends too, however often nodes and forms are listed.
    QVERIFY(session.library().FindFonts() >= 1);
}

QTEST_GUILESS_MAIN(HostileFilesTest)
#include "tst_hostilefiles.moc"
