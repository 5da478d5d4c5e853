#pragma once

#include "enginelock.h"

#include <mupdf/fitz.h>

// A MuPDF context of its own for each thread that works on a document: one
// per library instance, and one per text worker. Contexts share nothing,
// so their threads never wait for one another, with one exception: MuPDF
// keeps the JPEG 2000 and HarfBuzz decoders' context in globals, guarded by
// its FreeType lock, so that lock is one for all contexts and is real.
// The others guard what only this context reaches, and a context is used by
// one thread at a time (its error stack allows no more; the library's entry
// points hold the instance's call lock): they cost nothing. MuPDF takes the
// allocator's around every malloc and free, millions of times a manual.
// (Cloned contexts would share that lock: two threads extracting text spent
// more time waiting for it than working.)
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

    fz_locks_context mLockTable;
    fz_context* mContext = nullptr;
};
