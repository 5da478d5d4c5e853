#pragma once

#include <QElapsedTimer>
#include <QString>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// One line on the terminal that advances with the pages: "page x of y,
// elapsed time". It appears only once the work has taken longer than a
// second, and only when stderr is a terminal.
class ProgressLine
{
public:
    ProgressLine(int pages, bool enabled);

    void show(int page);
    // Clears the line so the messages that follow start at the left edge.
    void finish();

    static QString text(int page, int pages, qint64 elapsedMs);
    static bool terminalAttached();

private:
    int mPages;
    bool mEnabled;
    bool mShown = false;
    QElapsedTimer mClock;
};

// Polls the current page on a thread of its own while the work runs on the
// calling thread, and feeds it to a ProgressLine. Stops (and joins) when it
// goes out of scope.
class ProgressWatch
{
public:
    ProgressWatch(ProgressLine& line, std::function<int()> currentPage);
    ~ProgressWatch();

    ProgressWatch(const ProgressWatch&) = delete;
    ProgressWatch& operator=(const ProgressWatch&) = delete;

private:
    void poll();

    ProgressLine& mLine;
    std::function<int()> mCurrentPage;
    std::mutex mMutex;
    std::condition_variable mWake;
    bool mStop = false;
    std::thread mThread;
};
