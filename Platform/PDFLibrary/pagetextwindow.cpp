#include "pagetextwindow.h"

#include "engineerror.h"

namespace {

// How long workers wait for a reader's first page once the document has read
// its pages. A run asks for it at once; a window that shows the document may
// never ask.
const std::chrono::seconds kWaitForReader(3);

} // namespace

PageTextWindow::PageTextWindow(int pagesAhead)
    : mAhead(pagesAhead)
{
}

void PageTextWindow::PagesRead(int pageCount)
{
    {
        std::lock_guard<std::mutex> guard(mMutex);
        mPageCount = pageCount;
        mPagesReadAt = std::chrono::steady_clock::now();
    }
    mChanged.notify_all();
}

void PageTextWindow::MoveTo(int first)
{
    mFirst = first;
    for (auto it = mSlots.begin(); it != mSlots.end();)
        it = InWindow(it->first) ? std::next(it) : mSlots.erase(it);
}

std::optional<std::wstring> PageTextWindow::Take(int page, const Extract& extract)
{
    PageTextResult taken;
    {
        std::unique_lock<std::mutex> lock(mMutex);
        if (page < 1 || page > mPageCount)
            return taken.records;
        for (;;)
        {
            auto slot = mSlots.find(page);
            if (slot != mSlots.end() && slot->second.done)
            {
                taken = std::move(slot->second.result);
                break;
            }
            const int mine = slot == mSlots.end() ? page : FirstUnclaimed();
            if (mine == 0)
            {
                // A worker has the page, and every other page of the window
                // is taken: it delivers before it leaves.
                mChanged.wait(lock);
                continue;
            }
            // Only the reader moves the window: the slot is there when the
            // page is done.
            mSlots.emplace(mine, Slot());
            lock.unlock();
            PageTextResult result = extract(mine);
            lock.lock();
            DeliverLocked(mine, std::move(result));
        }
        MoveTo(page + 1);
    }
    mChanged.notify_all();
    if (taken.tooComplex)
        throw EngineError(EngineErrorCode::TooComplex, "the page draws too many forms");
    return std::move(taken.records);
}

void PageTextWindow::Stop()
{
    {
        std::lock_guard<std::mutex> guard(mMutex);
        mStopped = true;
    }
    mChanged.notify_all();
}

bool PageTextWindow::NeedsWorkersAt(int page)
{
    bool jump = false;
    bool needed = false;
    {
        std::lock_guard<std::mutex> guard(mMutex);
        // A jump: the workers drop what they were ahead with and start here.
        jump = page >= 1 && page <= mPageCount && !InWindow(page);
        if (jump)
            MoveTo(page);
        needed = mLeft && mWorkers == 0;
    }
    if (jump)
        mChanged.notify_all();
    return needed;
}

void PageTextWindow::Join()
{
    std::lock_guard<std::mutex> guard(mMutex);
    ++mWorkers;
    mLeft = false;
}

bool PageTextWindow::BeforeReading()
{
    std::lock_guard<std::mutex> guard(mMutex);
    return !mStopped && mFirst == 0;
}

void PageTextWindow::Leave()
{
    {
        std::lock_guard<std::mutex> guard(mMutex);
        --mWorkers;
    }
    mChanged.notify_all();
}

int PageTextWindow::FirstUnclaimed() const
{
    if (mFirst <= 0)
        return 0;
    for (int page = mFirst; page < mFirst + mAhead && page <= mPageCount; ++page)
        if (!mSlots.count(page))
            return page;
    return 0;
}

int PageTextWindow::NextPage()
{
    std::unique_lock<std::mutex> lock(mMutex);
    // Before the first page: however long the document takes to read its
    // pages, and then a while for a reader.
    const auto reading = [&] { return mStopped || mFirst > 0; };
    mChanged.wait(lock, [&] { return reading() || mPageCount > 0; });
    const auto pastEnd = [&] { return mFirst > mPageCount; };
    bool leave = !mChanged.wait_until(lock, mPagesReadAt + kWaitForReader, reading);
    if (!leave)
    {
        mChanged.wait(lock, [&] { return mStopped || pastEnd() || FirstUnclaimed() != 0; });
        leave = mStopped || pastEnd();
    }
    if (leave)
    {
        // Leaving counts at once, under the lock that saw why: a reader who
        // jumps back right after needs to know.
        mLeft = !mStopped;
        --mWorkers;
        return 0;
    }
    const int page = FirstUnclaimed();
    mSlots.emplace(page, Slot());
    return page;
}

void PageTextWindow::Deliver(int page, PageTextResult result)
{
    {
        std::lock_guard<std::mutex> guard(mMutex);
        DeliverLocked(page, std::move(result));
    }
    mChanged.notify_all();
}

void PageTextWindow::DeliverLocked(int page, PageTextResult result)
{
    // Gone when the reader has moved on past the page or jumped elsewhere.
    // A failure is kept too, so that no one tries it again.
    const auto slot = mSlots.find(page);
    if (slot != mSlots.end())
    {
        slot->second.done = true;
        slot->second.result = std::move(result);
    }
}
