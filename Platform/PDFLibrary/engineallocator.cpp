#include "engineallocator.h"

#ifdef VANTORA_MIMALLOC

#include <dlfcn.h>
#include <mimalloc.h>

namespace {

void* Allocate(void*, size_t size)
{
    return mi_malloc(size);
}

void* Reallocate(void*, void* old, size_t size)
{
    return mi_realloc(old, size);
}

void Free(void*, void* block)
{
    mi_free(block);
}

fz_alloc_context gAllocator = {nullptr, Allocate, Reallocate, Free};

// mimalloc leaves a clean-up with every thread that allocated through it,
// run when the thread ends; a host that unloads this library while its
// threads live on must not unload mimalloc with it.
bool KeepMimallocLoaded()
{
    Dl_info info;
    if (!dladdr(reinterpret_cast<void*>(&mi_malloc), &info) || !info.dli_fname)
        return false;
    return dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE) != nullptr;
}

} // namespace

fz_alloc_context* EngineAllocator()
{
    static const bool kept = KeepMimallocLoaded();
    return kept ? &gAllocator : nullptr;
}

#else

fz_alloc_context* EngineAllocator()
{
    return nullptr;
}

#endif
