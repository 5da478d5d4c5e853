#include "pagetextprefetcher.h"

#include "pdfdocument.h"
#include "textrecords.h"

PageTextPrefetcher::PageTextPrefetcher(PdfDocument& document, fz_context* clone, int pagesAhead)
    : mDocument(document), mClone(clone), mAhead(pagesAhead)
{
    if (!mClone)
        return;
    try
    {
        mThread = std::thread(&PageTextPrefetcher::Work, this);
    }
    catch (...)
    {
        // No thread to be had: every page is extracted on the caller's.
        fz_drop_context(mClone);
        mClone = nullptr;
    }
}

PageTextPrefetcher::~PageTextPrefetcher()
{
    {
        std::lock_guard<std::mutex> guard(mMutex);
        mStop = true;
    }
    mChanged.notify_all();
    if (mThread.joinable())
        mThread.join();
    if (mClone)
        fz_drop_context(mClone);
}

std::wstring PageTextPrefetcher::Take(int page)
{
    std::optional<PageGlyphs> ready;
    {
        std::unique_lock<std::mutex> lock(mMutex);
        // The page in the thread's hands will be there sooner than a second
        // extraction here could be.
        mChanged.wait(lock, [&] { return mBusy != page; });
        const auto found = mReady.find(page);
        if (found != mReady.end())
            ready = std::move(found->second);
        mFirst = page + 1;
        // Only the window is kept: memory stays at a few pages whatever the
        // caller's order.
        for (auto it = mReady.begin(); it != mReady.end();)
            it = it->first < mFirst || it->first >= mFirst + mAhead ? mReady.erase(it) : std::next(it);
    }
    mChanged.notify_all();
    if (ready)
        return FormatTextRecords(*ready);
    return FormatTextRecords(Collect(mDocument.Context(), page));
}

void PageTextPrefetcher::Invalidate()
{
    {
        std::lock_guard<std::mutex> guard(mMutex);
        ++mGeneration;
        mReady.clear();
    }
    mChanged.notify_all();
}

int PageTextPrefetcher::NextPage() const
{
    if (mFirst <= 0)
        return 0;
    for (int page = mFirst; page < mFirst + mAhead; ++page)
        if (mDocument.HasPage(page) && !mReady.count(page))
            return page;
    return 0;
}

PageGlyphs PageTextPrefetcher::Collect(fz_context* ctx, int page) const
{
    std::lock_guard<std::mutex> access(mDocument.Access());
    return CollectPageGlyphs(ctx, mDocument.Doc(), page);
}

void PageTextPrefetcher::Work()
{
    std::unique_lock<std::mutex> lock(mMutex);
    for (;;)
    {
        mChanged.wait(lock, [&] { return mStop || NextPage() != 0; });
        if (mStop)
            return;
        const int page = NextPage();
        const unsigned generation = mGeneration;
        mBusy = page;
        lock.unlock();

        std::optional<PageGlyphs> glyphs;
        try
        {
            glyphs = Collect(mClone, page);
        }
        catch (...)
        {
            // Left to the caller, who gets the error from its own attempt.
        }

        lock.lock();
        mBusy = 0;
        try
        {
            if (generation == mGeneration && page >= mFirst && page < mFirst + mAhead)
                mReady[page] = std::move(glyphs);
        }
        catch (...)
        {
            // Out of memory: the caller extracts the page itself.
        }
        mChanged.notify_all();
    }
}
