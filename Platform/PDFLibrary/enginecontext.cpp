#include "enginecontext.h"

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

} // namespace

EngineContext::EngineContext()
{
    mLockTable.user = this;
    mLockTable.lock = &EngineContext::Lock;
    mLockTable.unlock = &EngineContext::Unlock;
    mContext = fz_new_context(nullptr, &mLockTable, FZ_STORE_DEFAULT);
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
