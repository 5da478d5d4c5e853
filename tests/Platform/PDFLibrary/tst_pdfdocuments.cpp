// Loading, saving, pages and page boxes.
#include "librarysession.h"
#include "rawpdf.h"

#include <QtTest>

namespace {

// Error codes of LastErrorCode.
enum { FileNotFound = 1, NotAPdf = 2, Damaged = 3, PasswordRequired = 4, CannotWrite = 5 };

QByteArray contents(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool write(const QString& file, const QByteArray& bytes)
{
    QFile f(file);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class PdfDocumentsTest : public QObject
{
    Q_OBJECT

private slots:
    void loadFailures_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("error");
        QTest::newRow("missing file") << QByteArray() << QString() << int(FileNotFound);
        QTest::newRow("not a PDF") << QByteArray("Just some text, no PDF here.\n") << QString() << int(NotAPdf);
        QTest::newRow("header and garbage") << QByteArray("%PDF-1.7\n\x01\x02 garbage 1 0 R obj") << QString() << int(Damaged);
        QTest::newRow("empty file") << QByteArray("") << QString() << int(NotAPdf);
        LibrarySession session;
        runTool("qpdf", {"--encrypt", "user", "owner", "256", "--", session.sample("plain.pdf", 3), session.path("locked.pdf")});
        const QByteArray locked = contents(session.path("locked.pdf"));
        QTest::newRow("no password") << locked << QString() << int(PasswordRequired);
        QTest::newRow("wrong password") << locked << QString("wrong") << int(PasswordRequired);
        QTest::newRow("user password") << locked << QString("user") << 0;
    }

    void loadFailures()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, password);
        QFETCH(int, error);
        LibrarySession session;
        QVERIFY(session.load(session.sample("good.pdf", 1)));
        if (error != FileNotFound)
            QVERIFY(write(session.path("bad.pdf"), bytes));
        QCOMPARE(session.load(session.path("bad.pdf"), password), !error);
        QCOMPARE(session.library().LastErrorCode(), error);
        // No document is left behind, not even the previous one.
        QCOMPARE(session.library().PageCount(), error ? 0 : 3);
    }

    void repairedFileIsRewritten()
    {
        LibrarySession session;
        // Without its cross-reference table and trailer the file needs repair.
        const QByteArray original = contents(session.sample("whole.pdf", 3));
        const QByteArray damaged = original.left(original.lastIndexOf("xref"));
        QVERIFY(write(session.path("damaged.pdf"), damaged));
        QVERIFY(session.load(session.path("damaged.pdf")));
        QCOMPARE(session.library().PageCount(), 3);
        const QString file = session.path("repaired.pdf");
        QVERIFY(session.save(file));
        QVERIFY(qpdfAccepts(file));
        // A full rewrite: the broken original is not its first part.
        QVERIFY(!contents(file).startsWith(damaged));
    }

    void pages()
    {
        LibrarySession session;
        auto& lib = session.library();
        QVERIFY(!lib.PageCount() && !lib.SelectPage(1) && !lib.SelectedPage() && !lib.PageWidth() && !lib.GetPageBox(1, 2)
                && lib.GetPageText(3).empty());
        QVERIFY(!session.save(session.path("nothing.pdf")));
        QVERIFY(!QFile::exists(session.path("nothing.pdf")));

        QVERIFY(session.load(session.sample("pages.pdf", 2)));
        // In this order: page count, selected page, selecting pages 2 and 3,
        // selected page, the width and height of the selected page.
        QCOMPARE((QVector<double>{double(lib.PageCount()), double(lib.SelectedPage()), double(lib.SelectPage(2)),
                                  double(lib.SelectPage(3)), double(lib.SelectedPage()), lib.PageWidth(), lib.PageHeight()}),
                 (QVector<double>{2, 1, 1, 0, 2, 595, 842}));
    }

    void pageBoxes_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("box");
        QTest::addColumn<int>("dimension");
        QTest::addColumn<double>("expected");
        // Page 2 has a media box only, which every other box defaults to.
        QTest::newRow("crop defaults to media") << 2 << 2 << 1 << 792.0;
        QTest::newRow("art defaults to media") << 2 << 5 << 4 << 612.0;
        // Page 1: crop [50 40 500 800], trim [10 60 400 900], art [400 300 100 200].
        QTest::newRow("crop clipped to media") << 1 << 2 << 1 << 792.0;
        QTest::newRow("crop width") << 1 << 2 << 2 << 450.0;
        QTest::newRow("crop bottom") << 1 << 2 << 5 << 40.0;
        QTest::newRow("trim clipped to crop") << 1 << 4 << 0 << 50.0;
        QTest::newRow("trim bottom") << 1 << 4 << 5 << 60.0;
        QTest::newRow("bleed defaults to crop") << 1 << 3 << 5 << 40.0;
        QTest::newRow("art corners reordered") << 1 << 5 << 0 << 100.0;
        QTest::newRow("unknown box") << 1 << 6 << 0 << 0.0;
        QTest::newRow("unknown dimension") << 1 << 1 << 6 << 0.0;
    }

    void pageBoxes()
    {
        QFETCH(int, page);
        QFETCH(int, box);
        QFETCH(int, dimension);
        QFETCH(double, expected);
        LibrarySession session;
        RawPdf pdf;
        pdf.addPage("", "/CropBox [50 40 500 800] /TrimBox [10 60 400 900] /ArtBox [400 300 100 200]");
        pdf.addPage("");
        QVERIFY(pdf.write(session.path("boxes.pdf")));
        QVERIFY(session.load(session.path("boxes.pdf")));
        QVERIFY(session.library().SelectPage(page));
        QCOMPARE(session.library().GetPageBox(box, dimension), expected);
    }

    void savesAreIncrementalAndAtomic()
    {
        LibrarySession session;
        auto& lib = session.library();
        const QString source = session.sample("source.pdf", 20);
        const QByteArray original = contents(source);
        QVERIFY(session.load(source));
        QVERIFY(lib.NewOutline(0, L"Chapter", 2, 0.0) > 0);
        const QString file = session.path("saved.pdf");
        QVERIFY(session.save(file));
        // The original bytes untouched, a few changed objects after them.
        QVERIFY(contents(file).startsWith(original));
        QVERIFY(contents(file).size() - original.size() < 4096);
        // A second change saved over the same file keeps the first one too.
        QVERIFY(lib.NewOutline(0, L"Appendix", 3, 0.0) > 0);
        QVERIFY(session.save(file));
        QVERIFY(qpdfAccepts(file));
        QCOMPARE(runTool("mutool", {"show", file, "outline"}).count(QRegularExpression("Chapter|Appendix")), 2);

        // A failed save leaves no file behind, nor its temporary: renaming it
        // over a folder fails once it is written.
        QVERIFY(QDir(session.path(QString())).mkdir("folder"));
        QVERIFY(!session.save(session.path("folder")));
        QCOMPARE(lib.LastErrorCode(), int(CannotWrite));
        QVERIFY(!session.save(session.path("no/such/folder/out.pdf")));
        QVERIFY(!session.save(QString()));
        QCOMPARE(QDir(session.path(QString())).entryList(QDir::Files | QDir::Hidden), (QStringList{"saved.pdf", "source.pdf"}));
    }

private:
};

QTEST_MAIN(PdfDocumentsTest)
#include "tst_pdfdocuments.moc"
