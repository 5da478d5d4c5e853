#include "textworkercount.h"

#include <algorithm>
#include <cstdlib>
#include <sched.h>
#include <thread>

namespace {

// More would only add copies of the document that wait for a core.
const int kMostWorkers = 16;

int UsableCores()
{
    cpu_set_t cores;
    CPU_ZERO(&cores);
    if (sched_getaffinity(0, sizeof cores, &cores) == 0 && CPU_COUNT(&cores) > 0)
        return CPU_COUNT(&cores);
    return std::max(1u, std::thread::hardware_concurrency());
}

} // namespace

int TextWorkerCount()
{
    int count = std::min(UsableCores() - 1, kMostWorkers);
    if (const char* cap = std::getenv("VANTORA_TEXT_THREADS"))
    {
        char* end = nullptr;
        const long value = std::strtol(cap, &end, 10);
        if (end != cap && *end == '\0' && value >= 0)
            count = static_cast<int>(std::min<long>(value, count));
    }
    return count;
}
