#pragma once

#include "enginelock.h"

#include <mupdf/fitz.h>

// One MuPDF context per library instance. It is made with a lock table so
// that per-thread clones (fz_clone_context), sharing its store and its
// limit, can extract pages on other cores, each from a document of its own.
class EngineContext
{
public:
    EngineContext();
    ~EngineContext();
    EngineContext(const EngineContext&) = delete;
    EngineContext& operator=(const EngineContext&) = delete;

    // Null when MuPDF could not allocate its context.
    fz_context* Get() const { return mContext; }
    // A context for another thread, sharing this one's store and locks; the
    // caller drops it (fz_drop_context) before this object goes. Null when
    // MuPDF cannot make one.
    fz_context* Clone() const;

private:
    static void Lock(void* user, int lock);
    static void Unlock(void* user, int lock);

    EngineLock mLocks[FZ_LOCK_MAX];
    fz_locks_context mLockTable;
    fz_context* mContext = nullptr;
};
