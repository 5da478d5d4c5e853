#include "enginecontext.h"

#include "textworkercount.h"

#include <algorithm>

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
// one; a few megabytes per context that reads pages hold the fonts a page
// uses and those used again on the pages that follow.
std::size_t StoreLimit()
{
    const std::size_t perReader = 8u << 20;
    return perReader * static_cast<std::size_t>(std::max(1, TextWorkerCount()));
}

} // namespace

EngineContext::EngineContext()
{
    mLockTable.user = this;
    mLockTable.lock = &EngineContext::Lock;
    mLockTable.unlock = &EngineContext::Unlock;
    mContext = fz_new_context(nullptr, &mLockTable, StoreLimit());
    Silence(mContext);
}

fz_context* EngineContext::Clone() const
{
    if (!mContext)
        return nullptr;
    fz_context* clone = fz_clone_context(mContext);
    Silence(clone);
    return clone;
}

EngineContext::~EngineContext()
{
    if (mContext)
        fz_drop_context(mContext);
}

void EngineContext::Lock(void* user, int lock)
{
    static_cast<EngineContext*>(user)->mLocks[lock].lock();
}

void EngineContext::Unlock(void* user, int lock)
{
    static_cast<EngineContext*>(user)->mLocks[lock].unlock();
}
