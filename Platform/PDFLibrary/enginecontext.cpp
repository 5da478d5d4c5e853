#include "enginecontext.h"

#include "engineallocator.h"

namespace {

// MuPDF's own warnings about repaired files go nowhere: the library reports
// through LastErrorCode, not on the host's terminal.
void Silence(fz_context* ctx)
{
    if (!ctx)
        return;
    fz_set_warning_callback(ctx, [](void*, const char*) {}, nullptr);
    fz_set_error_callback(ctx, [](void*, const char*) {}, nullptr);
}

// The store keeps what MuPDF may need again: above all the fonts, which it
// counts at less than half what they take with their FreeType faces. MuPDF's
// default, 256 MB, lets a manual of thousands of embedded fonts keep every
// one; a few megabytes hold the fonts a page uses and those used again on
// the pages that follow.
const std::size_t kStoreLimit = 8u << 20;

} // namespace

EngineContext::EngineContext()
{
    mContext = fz_new_context(EngineAllocator(), nullptr, kStoreLimit);
    Silence(mContext);
}

EngineContext::~EngineContext()
{
    if (mContext)
        fz_drop_context(mContext);
}
