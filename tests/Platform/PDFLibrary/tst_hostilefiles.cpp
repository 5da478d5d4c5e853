// Page trees and forms built to cost more than they show: each must open and
// be read in bounded work.
#include "librarysession.h"

#include <QtTest>

namespace {

// LastErrorCode of a page whose text takes more work than a page may.
const int kTooComplex = 10;

// A PDF of the given objects, numbered from 1; object 1 is the catalog.
QByteArray Pdf(const QList<QByteArray>& objects)
{
    QByteArray out = "%PDF-1.7\n";
    QList<int> offsets;
    for (int i = 0; i < objects.size(); ++i)
    {
        offsets << out.size();
        out += QByteArray::number(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const int xref = out.size();
    out += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (int offset : offsets)
        out += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    return out + "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n"
        + QByteArray::number(xref) + "\n%%EOF\n";
}

QByteArray Stream(const QByteArray& content, const QByteArray& entries = QByteArray())
{
    return "<< " + entries + " /Length " + QByteArray::number(content.size()) + " >>\nstream\n" + content
        + "\nendstream";
}

// A page showing its label with font 2 0 R; its content is object `content`.
QByteArray Page(int content, const QByteArray& extra = QByteArray())
{
    return "<< /Type /Page /MediaBox [0 0 612 792] /Resources << /Font << /F1 2 0 R >> " + extra
        + ">> /Contents " + QByteArray::number(content) + " 0 R >>";
}

QByteArray Label(const QByteArray& text)
{
    return Stream("BT /F1 18 Tf 72 720 Td (" + text + ") Tj ET");
}

const QByteArray kFont = "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>";

// A page that draws form 6, which draws form 7 twice, and so on: the last
// of `depth` forms, drawn 2^(depth - 1) times, shows text.
QByteArray FanOut(int depth)
{
    QList<QByteArray> objects{"<< /Type /Catalog /Pages 3 0 R >>", kFont, "<< /Type /Pages /Kids [4 0 R] /Count 1 >>",
                              Page(5, "/XObject << /X 6 0 R >> "), Stream("/X Do")};
    const QByteArray form = "/Type /XObject /Subtype /Form /BBox [0 0 612 792] /Resources ";
    for (int level = 1; level < depth; ++level)
        objects << Stream("/N Do /N Do", form + "<< /XObject << /N " + QByteArray::number(7 + level - 1) + " 0 R >> >>");
    objects << Stream("BT /F1 9 Tf 72 100 Td (leaf) Tj ET", form + "<< /Font << /F1 2 0 R >> >>");
    return Pdf(objects);
}

} // namespace

class HostileFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void pageTrees_data();
    void pageTrees();
    void formFanOut_data();
    void formFanOut();
    void latin1FileName();
};

void HostileFilesTest::pageTrees_data()
{
    QTest::addColumn<QByteArray>("pdf");
    QTest::addColumn<QStringList>("labels");
    // Objects: 1 catalog, 2 font, 3 the root node, then pages and nodes.
    const QByteArray catalog = "<< /Type /Catalog /Pages 3 0 R >>";
    QTest::newRow("count beyond the pages") << Pdf({catalog, kFont,
        "<< /Type /Pages /Kids [4 0 R] /Count 2147483647 >>", Page(5), Label("One")}) << QStringList{"One"};
    QTest::newRow("flat, in order") << Pdf({catalog, kFont, "<< /Type /Pages /Kids [4 0 R 6 0 R 8 0 R] /Count 3 >>",
        Page(5), Label("A"), Page(7), Label("B"), Page(9), Label("C")}) << QStringList{"A", "B", "C"};
    QTest::newRow("nested, in order") << Pdf({catalog, kFont, "<< /Type /Pages /Kids [4 0 R 8 0 R] /Count 3 >>",
        "<< /Type /Pages /Kids [5 0 R 6 0 R] /Count 2 >>", Page(7), Page(9), Label("A"), Page(10), Label("B"),
        Label("C")}) << QStringList{"A", "B", "C"};
    // The inner node lists the root, itself and a null; another node is
    // listed twice and a second time inside itself.
    QTest::newRow("cycles and repeats") << Pdf({catalog, kFont,
        "<< /Type /Pages /Kids [4 0 R 6 0 R 6 0 R] /Count 4 >>", Page(5), Label("A"),
        "<< /Type /Pages /Kids [7 0 R 3 0 R 6 0 R null] /Count 3 >>", Page(8), Label("B")})
        << QStringList{"A", "B"};
}

void HostileFilesTest::pageTrees()
{
    QFETCH(QByteArray, pdf);
    QFETCH(QStringList, labels);
    LibrarySession session;
    QFile file(session.path("tree.pdf"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(pdf) == pdf.size());
    file.close();
    QVERIFY(session.load(file.fileName()));
    QCOMPARE(session.library().PageCount(), labels.size());
    QStringList shown;
    for (int page = 1; page <= labels.size(); ++page)
        shown << session.records(page).join('|').section(',', -1);
    QCOMPARE(shown, labels);
    QCOMPARE(session.library().FindFonts(), 1);
}

void HostileFilesTest::formFanOut_data()
{
    QTest::addColumn<int>("depth");
    QTest::addColumn<int>("error");
    // 2^17 forms drawn are within a page's budget, 2^25 are not.
    QTest::newRow("within the budget") << 17 << 0;
    QTest::newRow("beyond the budget") << 25 << kTooComplex;
}

void HostileFilesTest::formFanOut()
{
    QFETCH(int, depth);
    QFETCH(int, error);
    LibrarySession session;
    QFile file(session.path("fanout.pdf"));
    const QByteArray pdf = FanOut(depth);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(pdf) == pdf.size());
    file.close();
    QVERIFY(session.load(file.fileName()));
    // Every leaf shows the same text in the same place: one line.
    QCOMPARE(session.records(1).filter(",leaf").size(), error ? 0 : 1);
    QCOMPARE(session.library().LastErrorCode(), error);
    // The font walk meets each form once, however often it is drawn.
    QCOMPARE(session.library().FindFonts(), 1);
}

void HostileFilesTest::latin1FileName()
{
    LibrarySession session;
    const QByteArray pdf = Pdf({"<< /Type /Catalog /Pages 3 0 R >>", kFont,
                                "<< /Type /Pages /Kids [4 0 R] /Count 1 >>", Page(5), Label("One")});
    // Byte 0xE9 is no UTF-8: callers pass it as U+DCE9.
    const QByteArray name = QFile::encodeName(session.path("caf")) + "\xe9.pdf";
    // QTemporaryDir, which reads names as UTF-8, cannot remove it.
    const auto remove = qScopeGuard([&] { std::remove(name.constData()); });
    FILE* raw = std::fopen(name.constData(), "wb");
    QVERIFY(raw && std::fwrite(pdf.constData(), 1, pdf.size(), raw) == std::size_t(pdf.size()));
    std::fclose(raw);
    std::wstring wide = LibrarySession::wide(session.path("caf"));
    wide += wchar_t(0xDCE9);
    wide += L".pdf";
    QCOMPARE(session.library().LoadFromFile(wide, L""), 1);
    QCOMPARE(session.library().PageCount(), 1);
}

QTEST_GUILESS_MAIN(HostileFilesTest)
#include "tst_hostilefiles.moc"
