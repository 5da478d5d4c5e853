// Page text extracted ahead by a pool of threads, each with its own copy of
// the document: the same records as a reader on one thread, in any order and
// whatever happens to the document or its file meanwhile; threads that stop
// when the document, the instance or the library goes, or when no one reads;
// a selected page that another thread can read during a long extraction.
#include "librarysession.h"
#include "rawpdf.h"

#include <QtTest>

#include <atomic>
#include <chrono>
#include <cstring>
#include <dlfcn.h>
#include <sched.h>
#include <thread>

namespace {

using Library = OmbrelPDFLibraryCPDylibCPP1311;

// Pages of varied text (fonts, sizes, colours, heights) and on every fifth
// page a Type 3 font, so that pages differ in what they load; `seed` makes
// one document differ from another.
QString writeDocument(const QString& file, int pages, int seed, int lines = 50)
{
    RawPdf pdf;
    pdf.addFont("F1", "AAAAAA+Serif,Bold");
    pdf.addFont("F2", "Sans");
    pdf.addType3Font("T3", "Squares");
    for (int page = 1; page <= pages; ++page)
    {
        QString content;
        for (int line = 0; line < lines; ++line)
            content += QString("%1 0 0 rg BT /%2 %3 Tf 1 0 0 1 %4 %5 Tm (Page %6 line %7 seed %8) Tj ET\n")
                           .arg((line * 37 + seed) % 256 / 255.0).arg(page % 5 == 0 && line % 7 == 0 ? "T3" : line % 3 ? "F2" : "F1")
                           .arg(8 + (line + page + seed) % 9).arg(40 + line % 4 * 10).arg(760 - line * 12)
                           .arg(page).arg(line).arg(seed);
        pdf.addPage(content.toLatin1());
    }
    return pdf.write(file) ? file : QString();
}

std::wstring pageText(Library& library, int page)
{
    library.SelectPage(page);
    return library.GetPageText(3);
}

// The first of the pages, read in that order, whose records differ from the
// expected ones; 0 when none does. The outline is edited and boxes are asked
// for between pages, while the threads work ahead.
int firstWrongPage(Library& library, const QVector<std::wstring>& expected, const QVector<int>& pages)
{
    for (int page : pages)
        if (pageText(library, page) != expected.value(page) || library.GetPageBox(1, 4) <= 0
            || library.NewOutline(0, L"Page", page, 0.0) <= 0)
            return page;
    return 0;
}

int threadCount()
{
    return QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
}

// One core runs no text threads: the reader extracts every page.
bool threadsExpected()
{
    cpu_set_t cores;
    CPU_ZERO(&cores);
    return sched_getaffinity(0, sizeof cores, &cores) == 0 && CPU_COUNT(&cores) > 1;
}

// Every page as one thread reads it: no text threads at all.
QVector<std::wstring> directTexts(const QString& file)
{
    qputenv("VANTORA_TEXT_THREADS", "0");
    const int threads = threadCount();
    LibrarySession session;
    const int pages = session.load(file) ? session.library().PageCount() : 0;
    QVector<std::wstring> texts(pages + 1);
    for (int page = 1; page <= pages; ++page)
        texts[page] = pageText(session.library(), page);
    qunsetenv("VANTORA_TEXT_THREADS");
    return threadCount() == threads ? texts : QVector<std::wstring>();
}

} // namespace

class TextPrefetchTest : public QObject
{
    Q_OBJECT

private slots:
    void sameRecordsAsOneThread_data();
    void sameRecordsAsOneThread();
    void documentChangedMidway();
    void threadsGoWhenNoOneReads();
    void threadStopsWithItsOwner();
    void selectedPageDuringLongExtraction();
};

void TextPrefetchTest::sameRecordsAsOneThread_data()
{
    QTest::addColumn<QString>("file");
    static QTemporaryDir folder;
    const QString plain = writeDocument(folder.filePath("pages.pdf"), 40, 1);
    QTest::newRow("made") << plain;
    // Objects in object streams, which the threads' copies keep while they
    // drop the others they parsed.
    runTool("qpdf", {"--object-streams=generate", plain, folder.filePath("streams.pdf")});
    QTest::newRow("object streams") << folder.filePath("streams.pdf");
    // The manuals bench/endtoend.py fetches, where it has.
    for (const char* manual : {"octave-doc/usr/share/doc/octave/octave.pdf", "gnuplot-doc/usr/share/doc/gnuplot/gnuplot.pdf",
                                  "lilypond-doc-pdf/usr/share/doc/lilypond/html/Documentation/notation.pdf"})
        if (QFile::exists(VANTORA_BENCH_CACHE "/x-" + QString(manual)))
            QTest::newRow(qPrintable(QFileInfo(manual).fileName())) << VANTORA_BENCH_CACHE "/x-" + QString(manual);
}

void TextPrefetchTest::sameRecordsAsOneThread()
{
    QFETCH(QString, file);
    const QVector<std::wstring> direct = directTexts(file);
    QVERIFY(direct.size() > 1);
    // Front to back as the bookmark engine reads; then jumps, repeats and
    // steps back out of the window.
    const int threads = threadCount();
    LibrarySession session;
    QVERIFY(session.load(file));
    QVector<int> order;
    for (int page = 1; page < direct.size(); ++page)
        order << page;
    QCOMPARE(firstWrongPage(session.library(), direct, order), 0);
    // The last page read, the threads go while the document stays open;
    // a reader who starts again gets new ones.
    QTRY_COMPARE(threadCount(), threads);
    order.clear();
    for (int page : {7, 7, 8, 30, 2, 3, 4, 40, 39, 1, 20, 22, 40, 21})
        order << std::min(page, direct.size() - 1);
    QCOMPARE(firstWrongPage(session.library(), direct, order), 0);
    QVERIFY(threadCount() > threads || !threadsExpected());
}

void TextPrefetchTest::documentChangedMidway()
{
    LibrarySession session;
    const QString first = writeDocument(session.path("first.pdf"), 12, 1);
    const QString second = writeDocument(session.path("second.pdf"), 9, 2);
    const QVector<std::wstring> firstTexts = directTexts(first), direct = directTexts(second);
    auto& library = session.library();
    // Another document loaded while the first one's next pages are being
    // extracted: nothing of the first may come back.
    QVERIFY(session.load(first) && !pageText(library, 1).empty());
    QVERIFY(session.load(second));
    QCOMPARE(firstWrongPage(library, direct, {1, 2, 3, 4, 5, 6, 7, 8, 9}), 0);
    // Saved in the middle of a read.
    QVERIFY(session.load(second) && !firstWrongPage(library, direct, {1}) && session.save(session.path("saved.pdf")));
    QCOMPARE(firstWrongPage(library, direct, {2, 3, 4, 5, 6, 7, 8, 9}), 0);
    // Replaced on disk after loading: the threads read the bytes it was
    // loaded from, as the document does.
    QVERIFY(session.load(first) && QFile::remove(first) && QFile::rename(second, first));
    QCOMPARE(firstWrongPage(library, firstTexts, {12, 9, 6, 3}), 0);
}

void TextPrefetchTest::threadsGoWhenNoOneReads()
{
    LibrarySession session;
    const QString file = writeDocument(session.path("idle.pdf"), 12, 5);
    const QVector<std::wstring> direct = directTexts(file);
    const int threads = threadCount();
    // Loaded to be looked at: the copies made while it loaded do not stay.
    QVERIFY(session.load(file));
    QVERIFY(threadCount() > threads || !threadsExpected());
    QTRY_COMPARE_WITH_TIMEOUT(threadCount(), threads, 10000);
    // A reader who comes later gets new ones.
    QCOMPARE(firstWrongPage(session.library(), direct, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}), 0);
}

void TextPrefetchTest::threadStopsWithItsOwner()
{
    QTemporaryDir folder;
    const QString file = writeDocument(folder.filePath("stop.pdf"), 20, 3, 120);
    // Released (ReleaseLibrary, then dlclose) right after a page, while the
    // thread is in the middle of the next ones.
    for (int round = 0; round < 10; ++round)
    {
        LibrarySession session;
        QVERIFY(session.load(file) && !pageText(session.library(), 1 + round).empty());
    }
    // Unloaded without ReleaseLibrary: the library's static clean-up must
    // stop the thread before its code is unmapped. A binding never destroyed
    // never releases; nothing else holds the library, so closing the
    // binding's handle unloads it.
    for (int round = 0; round < 3; ++round)
    {
        alignas(Library) unsigned char binding[sizeof(Library)];
        Library* library = new (binding) Library(libraryFile().toStdWString());
        QVERIFY(library->LoadFromFile(file.toStdWString(), std::wstring()) == 1 && !pageText(*library, 2).empty());
        void* handle = nullptr;
        std::memcpy(&handle, binding + PDFLibraryBindingLayout::Handle, sizeof handle);
        QCOMPARE(dlclose(handle), 0);
        QVERIFY(!dlopen(libraryFile().toLocal8Bit().constData(), RTLD_LAZY | RTLD_NOLOAD));
    }
}

void TextPrefetchTest::selectedPageDuringLongExtraction()
{
    using Clock = std::chrono::steady_clock;
    LibrarySession session;
    // Pages of thousands of lines: each extraction takes long enough to tell
    // an answer given meanwhile from one that waited for it.
    QVERIFY(session.load(writeDocument(session.path("long.pdf"), 6, 4, 4000)));
    auto& library = session.library();
    std::atomic<bool> reading{true};
    std::atomic<int> wrong{0};
    QVector<Clock::duration> polls, calls;
    // A progress display polls now and then, not in a tight loop.
    std::thread poller([&] {
        for (; reading; std::this_thread::sleep_for(std::chrono::microseconds(100)))
        {
            const auto start = Clock::now();
            const int page = library.SelectedPage();
            polls << Clock::now() - start;
            wrong += page < 1 || page > 6;
        }
    });
    // Back to front: no page is ever ready ahead, each call waits for its own.
    for (int round = 0; round < 12; ++round)
    {
        library.SelectPage(6 - round % 6);
        const auto start = Clock::now();
        wrong += library.GetPageText(3).empty();
        calls << Clock::now() - start;
    }
    reading = false;
    poller.join();
    // A poll that waited for the instance lock would last about as long as
    // the call holding it, and nearly every poll would wait: the typical
    // poll would take a good part of a call. A rare preemption of the poller
    // on a busy machine makes a few polls long, not the typical one.
    std::sort(polls.begin(), polls.end());
    std::sort(calls.begin(), calls.end());
    QVERIFY(wrong == 0 && !polls.empty());
    QVERIFY(polls[polls.size() / 2] * 10 < calls[calls.size() / 2]);
}

QTEST_GUILESS_MAIN(TextPrefetchTest)
#include "tst_textprefetch.moc"
