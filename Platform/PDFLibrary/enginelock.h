#pragma once

#include <atomic>
#include <thread>

// One of the locks MuPDF asks its client for. MuPDF takes them around every
// reference count and store lookup, millions of times a document, and holds
// them for a few instructions; with one thread at a time on a document they
// are hardly ever contended. A mutex costs a call into the C library each
// time, a spin on an atomic flag does not; a waiter yields the core.
// Not recursive: MuPDF never takes a lock it holds.
class EngineLock
{
public:
    void lock()
    {
        while (mHeld.exchange(true, std::memory_order_acquire))
            while (mHeld.load(std::memory_order_relaxed))
                std::this_thread::yield();
    }
    void unlock() { mHeld.store(false, std::memory_order_release); }

private:
    std::atomic<bool> mHeld{false};
};
