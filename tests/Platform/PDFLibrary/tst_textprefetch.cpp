// Page text extracted ahead on a second thread: the same records as a direct
// extraction whatever happens to the document meanwhile, a thread that stops
// when the document, the instance or the library goes, and a selected page
// that another thread can read during a long extraction.
#include "librarysession.h"
#include "rawpdf.h"

#include <QtTest>

#include <atomic>
#include <chrono>
#include <dlfcn.h>
#include <thread>
#include <vector>

namespace {

// Pages of varied text: fonts, sizes, colours, lines at different heights,
// and on every fifth page a Type 3 font, so that pages differ in what they
// load. `seed` makes one document differ from another.
QByteArray pageContent(int page, int seed, int lines)
{
    QByteArray content;
    for (int line = 0; line < lines; ++line)
    {
        const int size = 8 + (line + page + seed) % 9;
        const QByteArray font = page % 5 == 0 && line % 7 == 0 ? "T3" : (line % 3 == 0 ? "F1" : "F2");
        content += QByteArray::number((line * 37 + seed) % 256 / 255.0) + " 0 0 rg BT /" + font + " "
                 + QByteArray::number(size) + " Tf 1 0 0 1 " + QByteArray::number(40 + line % 4 * 10) + " "
                 + QByteArray::number(760 - line * 12) + " Tm (Page " + QByteArray::number(page) + " line "
                 + QByteArray::number(line) + " seed " + QByteArray::number(seed) + ") Tj ET\n";
    }
    return content;
}

QString writeDocument(const QDir& folder, const QString& name, int pages, int seed, int lines = 50)
{
    RawPdf pdf;
    pdf.addFont("F1", "AAAAAA+Serif,Bold");
    pdf.addFont("F2", "Sans");
    pdf.addType3Font("T3", "Squares");
    for (int page = 1; page <= pages; ++page)
        pdf.addPage(pageContent(page, seed, lines));
    const QString file = folder.filePath(name);
    return pdf.write(file) ? file : QString();
}

std::wstring pageText(OmbrelPDFLibraryCPDylibCPP1311& library, int page)
{
    library.SelectPage(page);
    library.SetTextExtractionOptions(1, 0);
    return library.GetPageText(3);
}

// Every page read by a fresh instance, one page at a time from the last: no
// page is ever waiting ahead, so each is extracted directly.
QVector<std::wstring> directTexts(const QString& file)
{
    LibrarySession session;
    if (!session.load(file))
        return {};
    const int pages = session.library().PageCount();
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
    const QString file = writeDocument(QDir(session.path(QString())), "pages.pdf", 40, 1);
    QVERIFY(!file.isEmpty());
    const QVector<std::wstring> direct = directTexts(file);
    QCOMPARE(direct.size(), 41);

    // Front to back as the bookmark engine reads, editing the outline and
    // asking for boxes between pages while the thread works ahead.
    QVERIFY(session.load(file));
    auto& library = session.library();
    for (int page = 1; page <= 40; ++page)
    {
        QVERIFY2(pageText(library, page) == direct[page], qPrintable(QString("page %1").arg(page)));
        QVERIFY(library.GetPageBox(1, 4) > 0);
        QVERIFY(library.NewOutline(0, L"Page", page, 0.0) > 0);
    }

    // Jumps, repeats and steps back: pages asked for out of the window.
    const int order[] = {7, 7, 8, 30, 2, 3, 4, 40, 39, 1, 20, 22, 21, 40};
    for (int page : order)
        QVERIFY2(pageText(library, page) == direct[page], qPrintable(QString("page %1").arg(page)));
}

void TextPrefetchTest::documentChangedMidway()
{
    LibrarySession session;
    const QString first = writeDocument(QDir(session.path(QString())), "first.pdf", 12, 1);
    const QString second = writeDocument(QDir(session.path(QString())), "second.pdf", 9, 2);
    const QVector<std::wstring> secondDirect = directTexts(second);
    QCOMPARE(secondDirect.size(), 10);
    auto& library = session.library();

    // Another document loaded while the first one's next pages are being
    // extracted: nothing of the first may come back.
    QVERIFY(session.load(first));
    QVERIFY(!pageText(library, 1).empty());
    QVERIFY(session.load(second));
    for (int page = 1; page <= 9; ++page)
        QVERIFY2(pageText(library, page) == secondDirect[page], qPrintable(QString("page %1").arg(page)));

    // Saved (incrementally, then to another file) in the middle of a read.
    QVERIFY(session.load(second));
    QVERIFY(pageText(library, 1) == secondDirect[1]);
    QVERIFY(library.NewOutline(0, L"Saved", 2, 0.0) > 0);
    QVERIFY(session.save(session.path("saved.pdf")));
    for (int page = 2; page <= 9; ++page)
        QVERIFY2(pageText(library, page) == secondDirect[page], qPrintable(QString("page %1").arg(page)));

    // A failed load leaves no document, and no pages from the old one.
    QVERIFY(pageText(library, 3) == secondDirect[3]);
    QVERIFY(!session.load(session.path("missing.pdf")));
    QCOMPARE(library.PageCount(), 0);
    QVERIFY(pageText(library, 4).empty());
    QCOMPARE(library.SelectedPage(), 0);
}

void TextPrefetchTest::threadStopsWithItsOwner()
{
    // No session may outlive this test's first part: the library must be
    // unloaded for real at the end.
    QTemporaryDir folder;
    const QString file = writeDocument(QDir(folder.path()), "stop.pdf", 20, 3, 120);
    QVERIFY(!file.isEmpty());

    // Released (ReleaseLibrary, then dlclose) right after the first page:
    // the thread is in the middle of the next ones.
    for (int round = 0; round < 10; ++round)
    {
        LibrarySession session;
        QVERIFY(session.load(file));
        QVERIFY(!pageText(session.library(), 1 + round).empty());
    }

    // Unloaded without ReleaseLibrary: the library's static clean-up must
    // stop the thread before its code is unmapped. Called through dlsym, as
    // no binding would skip the release. Nothing else holds the library now,
    // so dlclose unloads it, running its static destructors.
    const QByteArray path = (qEnvironmentVariable("VANTORA_BIN_DIR") + "/OmbrelPDFLibraryCPDylib1311.dylib").toLocal8Bit();
    for (int round = 0; round < 3; ++round)
    {
        void* handle = dlopen(path.constData(), RTLD_LAZY | RTLD_LOCAL);
        QVERIFY2(handle, dlerror());
        auto create = reinterpret_cast<int (*)()>(dlsym(handle, "ULRCreateLibrary"));
        auto createBuffer = reinterpret_cast<char* (*)(int, int)>(dlsym(handle, "ULRCreateBuffer"));
        auto addToBuffer = reinterpret_cast<int (*)(int, char*, const char*, int)>(dlsym(handle, "ULRAddToBuffer"));
        auto load = reinterpret_cast<int (*)(int, wchar_t*, wchar_t*)>(dlsym(handle, "ULRLoadFromFile"));
        auto select = reinterpret_cast<int (*)(int, int)>(dlsym(handle, "ULRSelectPage"));
        auto text = reinterpret_cast<wchar_t* (*)(int, int)>(dlsym(handle, "ULRGetPageText"));
        QVERIFY(create && createBuffer && addToBuffer && load && select && text);
        const int id = create();
        const std::wstring name = file.toStdWString();
        const int bytes = static_cast<int>(name.size() * sizeof(wchar_t));
        char* buffer = createBuffer(id, bytes);
        QVERIFY(addToBuffer(id, buffer, reinterpret_cast<const char*>(name.data()), bytes) == 1);
        QCOMPARE(load(id, reinterpret_cast<wchar_t*>(buffer), nullptr), 1);
        QCOMPARE(select(id, 2), 1);
        QVERIFY(text(id, 3));
        QCOMPARE(dlclose(handle), 0);
        QVERIFY(!dlopen(path.constData(), RTLD_LAZY | RTLD_NOLOAD));
    }
}

void TextPrefetchTest::selectedPageDuringLongExtraction()
{
    using Clock = std::chrono::steady_clock;
    LibrarySession session;
    // Pages of thousands of lines: each extraction takes long enough to tell
    // an answer given meanwhile from one that waited for it.
    const QString file = writeDocument(QDir(session.path(QString())), "long.pdf", 6, 4, 4000);
    QVERIFY(session.load(file));
    auto& library = session.library();
    QCOMPARE(library.PageCount(), 6);

    using Interval = std::pair<Clock::time_point, Clock::time_point>;
    std::atomic<bool> reading{true};
    std::atomic<int> outOfRange{0};
    std::vector<Interval> polls;
    // The binding's SelectedPage has an int result: no string result whose
    // length query could interleave with the reader's.
    std::thread poller([&] {
        while (reading.load())
        {
            const auto start = Clock::now();
            const int page = library.SelectedPage();
            polls.emplace_back(start, Clock::now());
            if (page < 1 || page > 6)
                ++outOfRange;
            // A progress display polls now and then, not in a tight loop.
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
    });
    // Back to front: no page is ever waiting ahead, each call extracts.
    std::vector<Interval> calls;
    bool allText = true;
    for (int round = 0; round < 2; ++round)
        for (int page = 6; page >= 1; --page)
        {
            library.SelectPage(page);
            const auto start = Clock::now();
            allText = allText && !library.GetPageText(3).empty();
            calls.emplace_back(start, Clock::now());
        }
    reading = false;
    poller.join();

    QVERIFY(allText);
    QCOMPARE(outOfRange.load(), 0);
    QVERIFY(!polls.empty());
    // A poll that waited for the instance lock lasts about as long as the
    // call holding it: with the lock, nearly every call holds up some poll
    // for more than half its length. Without it only a rare preemption of the
    // poller does, so at most a few calls may, however busy the machine is.
    int callsHoldingUpAPoll = 0;
    for (const Interval& call : calls)
    {
        const auto half = (call.second - call.first) / 2;
        for (const Interval& poll : polls)
            if (poll.second > call.first && poll.first < call.second && poll.second - poll.first > half)
            {
                ++callsHoldingUpAPoll;
                break;
            }
    }
    QVERIFY2(callsHoldingUpAPoll * 2 < static_cast<int>(calls.size()),
             qPrintable(QString("%1 of %2 calls held up a poll").arg(callsHoldingUpAPoll).arg(calls.size())));
}

QTEST_GUILESS_MAIN(TextPrefetchTest)
#include "tst_textprefetch.moc"
