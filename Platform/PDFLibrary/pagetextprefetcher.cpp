#include "pagetextprefetcher.h"

#include "engineerror.h"
#include "pageglyphs.h"
#include "pdfdocument.h"
#include "textrecords.h"

#include <mutex>

namespace {

// Pages each extracting thread (the workers and the reader) may be ahead:
// enough that none waits for another when pages differ in cost, few enough
// that their records take no memory. On a 1,100-page manual a worker waited
// 25 ms in all for the reader to finish a heavy page with 8, and 1 to 3 ms
// with 24.
const int kPagesAheadPerThread = 24;

} // namespace

PageTextPrefetcher::PageTextPrefetcher(PdfDocument& document, int workers)
    : mDocument(document), mWorkerCount(workers), mWindow((workers + 1) * kPagesAheadPerThread),
      mAdvances(document.Context())
{
    StartWorkers();
    if (document.PageCount() > 0)
        PagesRead();
}

void PageTextPrefetcher::PagesRead()
{
    mWindow.PagesRead(mDocument.PageCount());
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
    if (mWindow.NeedsWorkersAt(page))
    {
        // Their threads have ended or are freeing their copies.
        mWorkers.clear();
        StartWorkers();
    }
    if (std::optional<std::wstring> ready = mWindow.Take(page, [this](int mine) { return Extract(mine); }))
        return std::move(*ready);
    // It failed: this attempt gets the error.
    mGlyphs = Collect(page);
    return FormatTextRecords(mGlyphs);
}

PageGlyphs PageTextPrefetcher::Collect(int page)
{
    std::lock_guard<std::mutex> access(mDocument.Access());
    return CollectPageGlyphs(mDocument.Context(), mDocument.Doc(), mDocument.PageObject(page), mAdvances,
                             std::move(mGlyphs));
}

PageTextResult PageTextPrefetcher::Extract(int page)
{
    PageTextResult result;
    try
    {
        mGlyphs = Collect(page);
        result.records = FormatTextRecords(mGlyphs);
    }
    catch (const EngineError& error)
    {
        result.tooComplex = error.Code() == EngineErrorCode::TooComplex;
    }
    catch (...)
    {
    }
    return result;
}
