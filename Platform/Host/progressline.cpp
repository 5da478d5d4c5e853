#include "progressline.h"

#include <chrono>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr qint64 QuietPeriodMs = 1000;
constexpr auto PollInterval = std::chrono::milliseconds(200);

} // namespace

ProgressLine::ProgressLine(int pages, bool enabled)
    : mPages(pages), mEnabled(enabled)
{
    mClock.start();
}

QString ProgressLine::text(int page, int pages, qint64 elapsedMs)
{
    return QStringLiteral("page %1 of %2, %3 s").arg(page).arg(pages).arg(elapsedMs / 1000.0, 0, 'f', 1);
}

bool ProgressLine::terminalAttached()
{
    return ::isatty(STDERR_FILENO) == 1;
}

void ProgressLine::show(int page)
{
    const qint64 elapsed = mClock.elapsed();
    if (!mEnabled || elapsed < QuietPeriodMs)
        return;
    // \r and erase-to-end-of-line: the line is rewritten in place.
    std::fprintf(stderr, "\r%s\033[K", qPrintable(text(page, mPages, elapsed)));
    std::fflush(stderr);
    mShown = true;
}

void ProgressLine::finish()
{
    if (!mShown)
        return;
    std::fprintf(stderr, "\r\033[K");
    std::fflush(stderr);
    mShown = false;
}

ProgressWatch::ProgressWatch(ProgressLine& line, std::function<int()> currentPage)
    : mLine(line), mCurrentPage(std::move(currentPage)), mThread([this] { poll(); })
{
}

ProgressWatch::~ProgressWatch()
{
    {
        std::lock_guard<std::mutex> lock(mMutex);
        mStop = true;
    }
    mWake.notify_all();
    mThread.join();
    mLine.finish();
}

void ProgressWatch::poll()
{
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(mMutex);
            if (mWake.wait_for(lock, PollInterval, [this] { return mStop; }))
                return;
        }
        // Outside the lock: the library call may wait for the worker's call.
        mLine.show(mCurrentPage());
    }
}
