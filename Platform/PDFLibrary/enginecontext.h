#pragma once

#include "enginelock.h"

#include <mupdf/fitz.h>

// A MuPDF context of its own for each thread that works on a document: one
// per library instance, and one per text worker. Contexts share nothing,
// so their threads never wait for one another, with one exception: MuPDF
// keeps the JPEG 2000 and HarfBuzz decoders' context in globals, guarded by
// its FreeType lock, so that lock is one for all contexts.
// (Cloned contexts would share the allocator's lock, which MuPDF takes
// around every malloc and free: two threads extracting text spent more time
// waiting for it than working.)
class EngineContext
{
public:
    EngineContext();
    ~EngineContext();
    EngineContext(const EngineContext&) = delete;
    EngineContext& operator=(const EngineContext&) = delete;

    // Null when MuPDF could not allocate its context.
    fz_context* Get() const { return mContext; }

private:
    static void Lock(void* user, int lock);
    static void Unlock(void* user, int lock);
    EngineLock& LockOf(int lock);

    EngineLock mLocks[FZ_LOCK_MAX];
    fz_locks_context mLockTable;
    fz_context* mContext = nullptr;
};
