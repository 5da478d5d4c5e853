#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>

// What extracting a page made: its records, or nothing when it failed, and
// then whether it was over its budget.
struct PageTextResult
{
    std::optional<std::wstring> records;
    bool tooComplex = false;
};

// The pages that workers and the reader extract for a reader going front to
// back, and the records they made of them. The window is the page the reader
// wants and the few after it: its pages are taken in order, so the reader
// finds the next page ready, and memory stays at a few pages' records
// whatever the reader's order. Shared by the reader and the workers.
class PageTextWindow
{
public:
    using Extract = std::function<PageTextResult(int page)>;

    explicit PageTextWindow(int pagesAhead);
    PageTextWindow(const PageTextWindow&) = delete;
    PageTextWindow& operator=(const PageTextWindow&) = delete;

    // The reader's side. The document has read its pages, before the first
    // Take: the workers may start while it is still reading them, and wait
    // for a reader from now on.
    void PagesRead(int pageCount);
    // The records of a page (1-based). A page no one has taken the reader
    // extracts itself with `extract`; while a worker has the page in hand,
    // the reader extracts the next page of the window no one has taken,
    // rather than wait. Nothing when the page could not be
    // read (the reader's own attempt then gets the error); a page over its
    // budget throws EngineError TooComplex: another attempt would only cost
    // as much again. From now on the pages after it are the window. A page
    // outside the window is a jump: NeedsWorkersAt(page) first moves the
    // window there, so that the workers start on it at once.
    std::optional<std::wstring> Take(int page, const Extract& extract);
    // Workers get no more pages.
    void Stop();

    // The reader is about to Take page: a page outside the window moves the
    // window there now. Whether the workers have left, because the reader
    // took the last page or never came: a reader who starts (again) needs
    // new ones. One step, so that no worker leaves between the answer and
    // the move.
    bool NeedsWorkersAt(int page);

    // The workers' side. A worker counts from Join until NextPage gives it 0,
    // or until Leave when it stops before that.
    void Join();
    void Leave();
    // No reader has asked for a page yet, and the window is not stopped: a
    // worker may prepare.
    bool BeforeReading();
    // The next page to extract, waiting for one; 0, and the worker no longer
    // counts, once stopped, once the
    // reader has taken the last page (the worker's copy of the document can
    // go while the reader still works), or when no reader came for a while
    // after the pages were read (a document loaded only to be looked at
    // keeps no copies).
    int NextPage();
    // What was made of the page NextPage gave.
    void Deliver(int page, PageTextResult result);

private:
    void DeliverLocked(int page, PageTextResult result);
    bool InWindow(int page) const { return mFirst > 0 && page >= mFirst && page < mFirst + mAhead; }
    // Makes the window start at first and forgets what lies outside it.
    void MoveTo(int first);
    int FirstUnclaimed() const;

    int mPageCount = 0;
    std::chrono::steady_clock::time_point mPagesReadAt;
    const int mAhead;
    std::mutex mMutex;
    std::condition_variable mChanged;
    // A page a worker took; made then, so that delivering needs no memory.
    struct Slot
    {
        bool done = false;
        PageTextResult result;
    };
    std::map<int, Slot> mSlots;
    int mFirst = 0;       // the window's first page; 0 before the first Take
    int mWorkers = 0;
    bool mStopped = false;
    bool mLeft = false;
};
