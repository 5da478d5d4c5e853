#pragma once

#include "engineerror.h"

#include <mupdf/fitz.h>

// Runs MuPDF calls under their own fz_try and turns a MuPDF error into an
// EngineError. The work must not keep C++ objects with destructors alive across
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
        throw EngineError(code, fz_caught_message(ctx));
}
