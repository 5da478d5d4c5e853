#pragma once

#include <mupdf/fitz.h>

// A MuPDF context of its own for each thread that works on a document: one
// per library instance, and one per text worker. Contexts share nothing, not
// even FreeType (each has a FreeType library of its own), and a context is
// used by one thread at a time (its error stack allows no more; the
// library's entry points hold the instance's call lock), so MuPDF's locks
// have nothing to guard and are MuPDF's own, which do nothing. The one
// global MuPDF reaches, OpenJPEG's, is guarded apart (jpxdecoding.cpp).
// (Cloned contexts would share their locks: MuPDF takes the allocator's
// around every malloc and free, and the FreeType one around every font
// loaded; two threads extracting text spent more time waiting for them than
// working.)
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
    fz_context* mContext = nullptr;
};
