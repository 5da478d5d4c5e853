#pragma once

#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "pageglyphs.h"

#include <mupdf/fitz.h>

class PdfDocument;

// Reads the next few pages' glyphs on a thread of its own while the caller
// works on the page it was given, so that a front-to-back reader finds each
// page ready. Reading the glyphs is most of the work and needs the document,
// which one thread at a time may use; making records of them needs nothing,
// so the caller does that part, in parallel with the thread's next page.
// What Take answers is exactly what a direct extraction makes: the same code
// on the same document, only on another context. The thread works while the
// object lives.
class PageTextPrefetcher
{
public:
    // clone: a context for the thread, cloned from the document's and taken
    // over; null runs no thread and extracts every page on the caller's.
    PageTextPrefetcher(PdfDocument& document, fz_context* clone, int pagesAhead = 3);
    // Waits for the page in progress (one page at most), then the thread.
    ~PageTextPrefetcher();
    PageTextPrefetcher(const PageTextPrefetcher&) = delete;
    PageTextPrefetcher& operator=(const PageTextPrefetcher&) = delete;

    // The records of a page (1-based), prefetched or else extracted here
    // with the document's context; from now on the pages after it are the
    // ones worked ahead. Throws EngineError as CollectPageGlyphs does.
    std::wstring Take(int page);
    // Forgets all that was extracted: the document may have changed.
    void Invalidate();

private:
    void Work();
    // The first page of the window not yet extracted; 0 when none.
    int NextPage() const;
    PageGlyphs Collect(fz_context* ctx, int page) const;

    PdfDocument& mDocument;
    fz_context* mClone;
    const int mAhead;

    std::mutex mMutex;
    std::condition_variable mChanged;
    // Extracted pages; an empty optional marks a failure, which the caller
    // repeats itself to get its error.
    std::map<int, std::optional<PageGlyphs>> mReady;
    int mFirst = 0;          // window: mFirst to mFirst + mAhead - 1; 0 none
    int mBusy = 0;           // the page the thread is extracting, 0 none
    unsigned mGeneration = 0;
    bool mStop = false;
    std::thread mThread;
};
