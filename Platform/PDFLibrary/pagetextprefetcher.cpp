#include "pagetextprefetcher.h"

#include "pageglyphs.h"
#include "pdfdocument.h"
#include "textrecords.h"

#include <mutex>

namespace {

// Pages each worker may be ahead: enough that none waits for the reader
// when pages differ in cost, few enough that their records take no memory.
const int kPagesAheadPerWorker = 3;

} // namespace

PageTextPrefetcher::PageTextPrefetcher(PdfDocument& document, int workers)
    : mDocument(document), mWorkerCount(workers), mWindow(document.PageCount(), workers * kPagesAheadPerWorker)
{
    StartWorkers();
}

void PageTextPrefetcher::StartWorkers()
{
    // Never grown while threads run: a failed growth would destroy a worker
    // still waiting for a page.
    mWorkers.reserve(static_cast<std::size_t>(mWorkerCount));
    for (int i = 0; i < mWorkerCount; ++i)
    {
        try
        {
            mWorkers.push_back(std::make_unique<PageTextWorker>(mWindow, mDocument));
        }
        catch (...)
        {
            // No more threads (or no memory for one): the ones running do.
            break;
        }
    }
}

PageTextPrefetcher::~PageTextPrefetcher()
{
    mWindow.Stop();
    mWorkers.clear();
}

std::wstring PageTextPrefetcher::Take(int page)
{
    if (mWindow.WorkersLeftAtEnd())
    {
        // Their threads have ended or are ending: joining costs nothing.
        mWorkers.clear();
        StartWorkers();
    }
    if (std::optional<std::wstring> ready = mWindow.Take(page))
        return std::move(*ready);
    PageGlyphs glyphs;
    {
        std::lock_guard<std::mutex> access(mDocument.Access());
        glyphs = CollectPageGlyphs(mDocument.Context(), mDocument.Doc(), mDocument.PageObject(page));
    }
    return FormatTextRecords(glyphs);
}
