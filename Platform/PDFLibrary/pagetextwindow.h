#pragma once

#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <string>

// The pages that workers extract for a reader going front to back, and the
// records they made of them. The window is the page the reader waits for
// and the few after it: workers take its pages in order, so the reader
// finds the next page ready, and memory stays at a few pages' records
// whatever the reader's order. Shared by the reader and the workers.
class PageTextWindow
{
public:
    PageTextWindow(int pageCount, int pagesAhead);
    PageTextWindow(const PageTextWindow&) = delete;
    PageTextWindow& operator=(const PageTextWindow&) = delete;

    // The reader's side. The records of a page (1-based), made by a worker
    // while the reader waits if no worker is ahead with it; nothing when no
    // worker is left or the worker failed (the reader's own attempt then
    // gets the error). A page over its budget throws EngineError
    // TooComplex: another attempt would only cost as much again. From now
    // on the pages after it are the window.
    std::optional<std::wstring> Take(int page);
    // Workers get no more pages.
    void Stop();

    // Whether the workers left because the reader took the last page: a
    // reader who starts again needs new ones.
    bool WorkersLeftAtEnd();

    // The workers' side. A worker counts from Join until Leave; Take waits
    // for pages only while one does.
    void Join();
    void Leave();
    // The next page to extract, waiting for one; 0 once stopped, or once
    // the reader has taken the last page (the worker's copy of the document
    // can go while the reader still works).
    int NextPage();
    // What was made of the page NextPage gave; nothing when it failed, and
    // then whether it was over its budget.
    void Deliver(int page, std::optional<std::wstring> records, bool tooComplex = false);

private:
    bool InWindow(int page) const { return mFirst > 0 && page >= mFirst && page < mFirst + mAhead; }
    // Makes the window start at first and forgets what lies outside it.
    void MoveTo(int first);
    int FirstUnclaimed() const;

    const int mPageCount;
    const int mAhead;
    std::mutex mMutex;
    std::condition_variable mChanged;
    // A page a worker took; made then, so that delivering needs no memory.
    struct Slot
    {
        bool done = false;
        std::optional<std::wstring> records;  // nothing: the worker failed
        bool tooComplex = false;
    };
    std::map<int, Slot> mSlots;
    int mFirst = 0;       // the window's first page; 0 before the first Take
    int mWorkers = 0;
    bool mStopped = false;
    bool mLeftAtEnd = false;
};
