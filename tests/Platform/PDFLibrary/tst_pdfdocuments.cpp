// Loading, saving, pages and page boxes.
#include "librarysession.h"
#include "rawpdf.h"
#include "samplepdf.h"

#include <QFile>
#include <QFileInfo>
#include <QtTest>

namespace {

// Error codes of LastErrorCode.
enum { FileNotFound = 1, NotAPdf = 2, Damaged = 3, PasswordRequired = 4, CannotWrite = 5 };

QString makeSample(LibrarySession& session, const QString& name, int pages = 3)
{
    SamplePdf pdf(QSizeF(595, 842));
    pdf.ensurePages(pages);
    for (int page = 1; page <= pages; ++page)
        pdf.drawText(page, QPointF(72, 72), QString("Page %1").arg(page), QFont("DejaVu Sans", 12));
    const QString file = session.path(name);
    return pdf.write(file) ? file : QString();
}

QByteArray readAll(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeAll(const QString& file, const QByteArray& bytes)
{
    QFile f(file);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class PdfDocumentsTest : public QObject
{
    Q_OBJECT

private slots:
    void loadFailures_data();
    void loadFailures();
    void encryptedFile();
    void repairedFileIsRewritten();
    void pagesAndBoxes();
    void boxesWithCropAndTrim();
    void incrementalSave();
    void saveNeverLeavesHalfFiles();
    void neutralWithoutDocument();
};

void PdfDocumentsTest::loadFailures_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("error");
    QTest::newRow("missing file") << QByteArray() << int(FileNotFound);
    QTest::newRow("not a PDF") << QByteArray("Just some text, no PDF here.\n") << int(NotAPdf);
    QTest::newRow("header and garbage") << QByteArray("%PDF-1.7\n\x01\x02 garbage 1 0 R obj") << int(Damaged);
    QTest::newRow("empty file") << QByteArray("") << int(NotAPdf);
}

void PdfDocumentsTest::loadFailures()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, error);
    LibrarySession session;
    const QString good = makeSample(session, "good.pdf");
    QVERIFY(session.load(good));
    const QString file = session.path("bad.pdf");
    if (error != FileNotFound)
        QVERIFY(writeAll(file, bytes));
    QVERIFY(!session.load(file));
    QCOMPARE(session.library().LastErrorCode(), error);
    // The failed load leaves no document behind, not the previous one.
    QCOMPARE(session.library().PageCount(), 0);
}

void PdfDocumentsTest::encryptedFile()
{
    LibrarySession session;
    const QString plain = makeSample(session, "plain.pdf");
    const QString locked = session.path("locked.pdf");
    bool ok = false;
    runTool("qpdf", {"--encrypt", "user", "owner", "256", "--", plain, locked}, &ok);
    QVERIFY(ok);

    QVERIFY(!session.load(locked));
    QCOMPARE(session.library().LastErrorCode(), int(PasswordRequired));
    QVERIFY(!session.load(locked, "wrong"));
    QCOMPARE(session.library().LastErrorCode(), int(PasswordRequired));
    QVERIFY(session.load(locked, "user"));
    QCOMPARE(session.library().PageCount(), 3);
    QCOMPARE(session.library().LastErrorCode(), 0);
}

void PdfDocumentsTest::repairedFileIsRewritten()
{
    LibrarySession session;
    const QByteArray original = readAll(makeSample(session, "whole.pdf"));
    // Without its cross-reference table and trailer the file needs repair.
    const int xref = original.lastIndexOf("xref");
    QVERIFY(xref > 0);
    const QString damaged = session.path("damaged.pdf");
    QVERIFY(writeAll(damaged, original.left(xref)));
    QVERIFY(session.load(damaged));
    QCOMPARE(session.library().PageCount(), 3);

    const QString saved = session.path("repaired.pdf");
    QVERIFY(session.save(saved));
    bool ok = false;
    runTool("qpdf", {"--check", saved}, &ok);
    QVERIFY(ok);
    // A full rewrite: the broken original is not its first part.
    QVERIFY(!readAll(saved).startsWith(original.left(xref)));
}

void PdfDocumentsTest::pagesAndBoxes()
{
    LibrarySession session;
    QVERIFY(session.load(makeSample(session, "boxes.pdf", 2)));
    auto& lib = session.library();
    QCOMPARE(lib.PageCount(), 2);
    QCOMPARE(lib.SelectedPage(), 1);
    QCOMPARE(lib.SelectPage(2), 1);
    QCOMPARE(lib.SelectedPage(), 2);
    QCOMPARE(lib.SelectPage(0), 0);
    QCOMPARE(lib.SelectedPage(), 2);
    QCOMPARE(lib.PageWidth(), 595.0);
    QCOMPARE(lib.PageHeight(), 842.0);
    // Every box defaults to the media box here.
    for (int box = 1; box <= 5; ++box)
    {
        QCOMPARE(lib.GetPageBox(box, 0), 0.0);
        QCOMPARE(lib.GetPageBox(box, 1), 842.0);
        QCOMPARE(lib.GetPageBox(box, 2), 595.0);
        QCOMPARE(lib.GetPageBox(box, 3), 842.0);
        QCOMPARE(lib.GetPageBox(box, 4), 595.0);
        QCOMPARE(lib.GetPageBox(box, 5), 0.0);
    }
    QCOMPARE(lib.GetPageBox(6, 0), 0.0);
    QCOMPARE(lib.GetPageBox(1, 6), 0.0);
}

void PdfDocumentsTest::boxesWithCropAndTrim()
{
    LibrarySession session;
    RawPdf pdf;
    // Media box 612 x 792; the trim box pokes outside the crop box.
    pdf.addPage("", "/CropBox [50 40 500 800] /TrimBox [10 60 400 900] /ArtBox [400 300 100 200]");
    const QString file = session.path("boxed.pdf");
    QVERIFY(pdf.write(file));
    QVERIFY(session.load(file));
    auto& lib = session.library();
    // The crop box is clipped to the media box.
    QCOMPARE(lib.GetPageBox(2, 0), 50.0);
    QCOMPARE(lib.GetPageBox(2, 1), 792.0);
    QCOMPARE(lib.GetPageBox(2, 2), 450.0);
    QCOMPARE(lib.GetPageBox(2, 5), 40.0);
    // The trim box is clipped to the crop box; the bleed box defaults to it.
    QCOMPARE(lib.GetPageBox(4, 0), 50.0);
    QCOMPARE(lib.GetPageBox(4, 1), 792.0);
    QCOMPARE(lib.GetPageBox(4, 5), 60.0);
    QCOMPARE(lib.GetPageBox(3, 5), 40.0);
    // Corners given in the wrong order still make a box.
    QCOMPARE(lib.GetPageBox(5, 0), 100.0);
    QCOMPARE(lib.GetPageBox(5, 3), 100.0);
}

void PdfDocumentsTest::incrementalSave()
{
    LibrarySession session;
    const QString source = makeSample(session, "source.pdf", 20);
    const QByteArray original = readAll(source);
    QVERIFY(session.load(source));
    QVERIFY(session.library().NewOutline(0, L"Chapter", 2, 0.0) > 0);
    const QString saved = session.path("saved.pdf");
    QVERIFY(session.save(saved));
    const QByteArray result = readAll(saved);
    // The original bytes untouched, a few changed objects after them.
    QVERIFY(result.startsWith(original));
    QVERIFY(result.size() - original.size() < 4096);
    bool ok = false;
    runTool("qpdf", {"--check", saved}, &ok);
    QVERIFY(ok);

    // A second change saved over the same file keeps the first one too.
    QVERIFY(session.library().NewOutline(0, L"Appendix", 3, 0.0) > 0);
    QVERIFY(session.save(saved));
    runTool("qpdf", {"--check", saved}, &ok);
    QVERIFY(ok);
    const QString outline = runTool("mutool", {"show", saved, "outline"}, &ok);
    QVERIFY(ok);
    QVERIFY2(outline.contains("Chapter") && outline.contains("Appendix"), qPrintable(outline));
}

void PdfDocumentsTest::saveNeverLeavesHalfFiles()
{
    LibrarySession session;
    const QString source = makeSample(session, "keep.pdf");
    QVERIFY(session.load(source));
    QVERIFY(!session.save(session.path("no/such/folder/out.pdf")));
    QCOMPARE(session.library().LastErrorCode(), int(CannotWrite));
    QVERIFY(!session.save(QString()));
    // Only the source is left in the folder: no temporary files.
    QCOMPARE(QDir(QFileInfo(source).path()).entryList(QDir::Files | QDir::Hidden), QStringList{"keep.pdf"});
}

void PdfDocumentsTest::neutralWithoutDocument()
{
    LibrarySession session;
    auto& lib = session.library();
    QCOMPARE(lib.PageCount(), 0);
    QCOMPARE(lib.SelectPage(1), 0);
    QCOMPARE(lib.SelectedPage(), 0);
    QCOMPARE(lib.PageWidth(), 0.0);
    QCOMPARE(lib.GetPageBox(1, 2), 0.0);
    QVERIFY(!session.save(session.path("nothing.pdf")));
    QVERIFY(!QFile::exists(session.path("nothing.pdf")));
}

QTEST_MAIN(PdfDocumentsTest)
#include "tst_pdfdocuments.moc"
