#include "engineallocator.h"

#ifdef VANTORA_MIMALLOC

#include <cstdlib>
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

// A manual's parsed objects take tens of megabytes, touched for the first
// time one 4 KiB page at a time: each page is a fault, which on a virtual
// machine cost a tenth of a run. mimalloc asks for 2 MiB pages where the
// kernel gives them on request, also for a text thread's first memory
// (which it would otherwise commit piece by piece), unless the user has
// chosen.
void PreferLargePages()
{
    if (!std::getenv("MIMALLOC_LARGE_OS_PAGES"))
        mi_option_enable(mi_option_large_os_pages);
    if (!std::getenv("MIMALLOC_EAGER_COMMIT_DELAY"))
        mi_option_set(mi_option_eager_commit_delay, 0);
}

bool UseMimalloc()
{
    if (!KeepMimallocLoaded())
        return false;
    PreferLargePages();
    return true;
}

} // namespace

fz_alloc_context* EngineAllocator()
{
    static const bool use = UseMimalloc();
    return use ? &gAllocator : nullptr;
}

#else

fz_alloc_context* EngineAllocator()
{
    return nullptr;
}

#endif
