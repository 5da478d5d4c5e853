// Page text extracted ahead on a second thread: the same records as a direct
// extraction whatever happens to the document meanwhile, a thread that stops
// when the document, the instance or the library goes, and a selected page
// that another thread can read during a long extraction.
#include "librarysession.h"
#include "rawpdf.h"

#include <QtTest>

#include <atomic>
#include <chrono>
#include <cstring>
#include <dlfcn.h>
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

// Every page read by a fresh instance from the last to the first: no page is
// ever waiting ahead, so each is extracted directly.
QVector<std::wstring> directTexts(const QString& file)
{
    LibrarySession session;
    const int pages = session.load(file) ? session.library().PageCount() : 0;
    QVector<std::wstring> texts(pages + 1);
    for (int page = pages; page >= 1; --page)
        texts[page] = pageText(session.library(), page);
    return texts;
}

} // namespace

class TextPrefetchTest : public QObject
{
    Q_OBJECT

private slots:
    void sameRecordsInAnyOrder();
    void documentChangedMidway();
    void threadStopsWithItsOwner();
    void selectedPageDuringLongExtraction();
};

void TextPrefetchTest::sameRecordsInAnyOrder()
{
    LibrarySession session;
    const QString file = writeDocument(session.path("pages.pdf"), 40, 1);
    const QVector<std::wstring> direct = directTexts(file);
    QCOMPARE(direct.size(), 41);
    // Front to back as the bookmark engine reads, with the outline edited and
    // boxes asked for between pages while the thread works ahead; then jumps,
    // repeats and steps back out of the window.
    QVERIFY(session.load(file));
    auto& library = session.library();
    QVector<int> order;
    for (int page = 1; page <= 40; ++page)
        order << page;
    order << 7 << 7 << 8 << 30 << 2 << 3 << 4 << 40 << 39 << 1 << 20 << 22 << 21 << 40;
    for (int page : order)
    {
        QVERIFY2(pageText(library, page) == direct[page], qPrintable(QString("page %1").arg(page)));
        QVERIFY(library.GetPageBox(1, 4) > 0 && library.NewOutline(0, L"Page", page, 0.0) > 0);
    }
}

void TextPrefetchTest::documentChangedMidway()
{
    LibrarySession session;
    const QString first = writeDocument(session.path("first.pdf"), 12, 1);
    const QString second = writeDocument(session.path("second.pdf"), 9, 2);
    const QVector<std::wstring> direct = directTexts(second);
    QCOMPARE(direct.size(), 10);
    auto& library = session.library();
    // Another document loaded while the first one's next pages are being
    // extracted: nothing of the first may come back.
    QVERIFY(session.load(first) && !pageText(library, 1).empty());
    QVERIFY(session.load(second));
    for (int page = 1; page <= 9; ++page)
        QVERIFY2(pageText(library, page) == direct[page], qPrintable(QString("page %1").arg(page)));
    // Saved in the middle of a read.
    QVERIFY(session.load(second) && pageText(library, 1) == direct[1]);
    QVERIFY(library.NewOutline(0, L"Saved", 2, 0.0) > 0 && session.save(session.path("saved.pdf")));
    for (int page = 2; page <= 9; ++page)
        QVERIFY2(pageText(library, page) == direct[page], qPrintable(QString("page %1").arg(page)));
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
    using Interval = std::pair<Clock::time_point, Clock::time_point>;
    LibrarySession session;
    // Pages of thousands of lines: each extraction takes long enough to tell
    // an answer given meanwhile from one that waited for it.
    QVERIFY(session.load(writeDocument(session.path("long.pdf"), 6, 4, 4000)));
    auto& library = session.library();
    std::atomic<bool> reading{true};
    std::atomic<int> outOfRange{0};
    std::vector<Interval> polls, calls;
    std::thread poller([&] {
        while (reading)
        {
            const auto start = Clock::now();
            const int page = library.SelectedPage();
            polls.emplace_back(start, Clock::now());
            outOfRange += page < 1 || page > 6;
            // A progress display polls now and then, not in a tight loop.
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
    });
    // Back to front: no page is ever waiting ahead, each call extracts.
    bool allText = true;
    for (int round = 0; round < 2; ++round)
        for (int page = 6; page >= 1; --page)
        {
            library.SelectPage(page);
            const auto start = Clock::now();
            allText = !library.GetPageText(3).empty() && allText;
            calls.emplace_back(start, Clock::now());
        }
    reading = false;
    poller.join();
    QVERIFY(allText && outOfRange == 0 && !polls.empty());
    // A poll that waited for the instance lock lasts about as long as the
    // call holding it: with the lock, nearly every call holds up some poll
    // for more than half its length. Without it only a rare preemption of the
    // poller does, so at most a few calls may, however busy the machine is.
    int holdingUp = 0;
    for (const Interval& call : calls)
        holdingUp += std::any_of(polls.begin(), polls.end(), [&](const Interval& poll) {
            return poll.second > call.first && poll.first < call.second
                && poll.second - poll.first > (call.second - call.first) / 2;
        });
    QVERIFY2(holdingUp * 2 < int(calls.size()), qPrintable(QString("%1 of %2 calls held up a poll").arg(holdingUp).arg(calls.size())));
}

QTEST_GUILESS_MAIN(TextPrefetchTest)
#include "tst_textprefetch.moc"
