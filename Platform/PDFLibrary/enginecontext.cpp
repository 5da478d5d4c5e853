#include "enginecontext.h"

EngineContext::EngineContext()
{
    mLockTable.user = this;
    mLockTable.lock = &EngineContext::Lock;
    mLockTable.unlock = &EngineContext::Unlock;
    mContext = fz_new_context(nullptr, &mLockTable, FZ_STORE_DEFAULT);
    if (mContext)
    {
        // MuPDF's own warnings about repaired files go nowhere: the library
        // reports through LastErrorCode, not on the host's terminal.
        fz_set_warning_callback(mContext, [](void*, const char*) {}, nullptr);
        fz_set_error_callback(mContext, [](void*, const char*) {}, nullptr);
    }
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
