#pragma once

#include "engineerror.h"

#include <mupdf/fitz.h>

// Runs MuPDF calls under their own fz_try and turns a MuPDF error into an
// EngineError; an aborted run, which only a page over its budget asks for,
// into TooComplex. The work must not keep C++ objects with destructors alive across
// a MuPDF call: a MuPDF error longjmps straight back here, past them.
template <typename Work>
void EngineCall(fz_context* ctx, Work&& work, EngineErrorCode code = EngineErrorCode::Engine)
{
    volatile bool failed = false;
    fz_try(ctx)
        work();
    fz_catch(ctx)
        failed = true;
    if (failed)
        throw EngineError(fz_caught(ctx) == FZ_ERROR_ABORT ? EngineErrorCode::TooComplex : code,
                          fz_caught_message(ctx));
}
