#include "pagetextwindow.h"

#include "engineerror.h"

PageTextWindow::PageTextWindow(int pageCount, int pagesAhead)
    : mPageCount(pageCount), mAhead(pagesAhead)
{
}

void PageTextWindow::MoveTo(int first)
{
    mFirst = first;
    for (auto it = mSlots.begin(); it != mSlots.end();)
        it = InWindow(it->first) ? std::next(it) : mSlots.erase(it);
}

std::optional<std::wstring> PageTextWindow::Take(int page)
{
    std::optional<std::wstring> records;
    bool tooComplex = false;
    {
        std::unique_lock<std::mutex> lock(mMutex);
        if (page < 1 || page > mPageCount)
            return records;
        if (!InWindow(page))
        {
            // A jump: the workers drop what they were ahead with and start
            // here.
            MoveTo(page);
            mChanged.notify_all();
        }
        mChanged.wait(lock, [&] {
            const auto slot = mSlots.find(page);
            return (slot != mSlots.end() && slot->second.done) || mWorkers == 0 || mStopped;
        });
        const auto slot = mSlots.find(page);
        if (slot != mSlots.end() && slot->second.done)
        {
            records = std::move(slot->second.records);
            tooComplex = slot->second.tooComplex;
        }
        MoveTo(page + 1);
    }
    mChanged.notify_all();
    if (tooComplex)
        throw EngineError(EngineErrorCode::TooComplex, "the page draws too many forms");
    return records;
}

void PageTextWindow::Stop()
{
    {
        std::lock_guard<std::mutex> guard(mMutex);
        mStopped = true;
    }
    mChanged.notify_all();
}

bool PageTextWindow::WorkersLeftAtEnd()
{
    std::lock_guard<std::mutex> guard(mMutex);
    return mLeftAtEnd && mWorkers == 0;
}

void PageTextWindow::Join()
{
    std::lock_guard<std::mutex> guard(mMutex);
    ++mWorkers;
    mLeftAtEnd = false;
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
    const auto pastEnd = [&] { return mFirst > mPageCount; };
    mChanged.wait(lock, [&] { return mStopped || pastEnd() || FirstUnclaimed() != 0; });
    if (mStopped)
        return 0;
    if (pastEnd())
    {
        mLeftAtEnd = true;
        return 0;
    }
    const int page = FirstUnclaimed();
    mSlots.emplace(page, Slot());
    return page;
}

void PageTextWindow::Deliver(int page, std::optional<std::wstring> records, bool tooComplex)
{
    {
        std::lock_guard<std::mutex> guard(mMutex);
        // Gone when the reader has moved on past the page or jumped
        // elsewhere. A failure is kept too, so that no one tries it again.
        const auto slot = mSlots.find(page);
        if (slot != mSlots.end())
        {
            slot->second.done = true;
            slot->second.records = std::move(records);
            slot->second.tooComplex = tooComplex;
        }
    }
    mChanged.notify_all();
}
