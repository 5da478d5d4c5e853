// The entry points that serve the binding: instances, buffers and the lengths
// of string results.
#include "libraryinstance.h"
#include "ulrentrypoints.h"

namespace {

template <typename Result, typename Work>
Result WithInstance(int id, Result neutral, Work work)
{
    const std::shared_ptr<LibraryInstance> instance = LibraryInstances::Find(id);
    if (!instance)
        return neutral;
    std::lock_guard<std::mutex> guard(instance->CallLock());
    return work(*instance);
}

} // namespace

extern "C" {

int ULRCreateLibrary(void)
{
    // No error may leave the library; a caller that gets 0 has no instance.
    try {
        return LibraryInstances::Create();
    } catch (...) {
        return 0;
    }
}

int ULRReleaseLibrary(int instanceID)
{
    return LibraryInstances::Release(instanceID) ? 1 : 0;
}

int ULRStringResultLength(int instanceID)
{
    return WithInstance(instanceID, 0, [](LibraryInstance& i) { return i.WideResultLength(); });
}

int ULRAnsiStringResultLength(int instanceID)
{
    return WithInstance(instanceID, 0, [](LibraryInstance& i) { return i.ByteResultLength(); });
}

char* ULRCreateBuffer(int instanceID, int size)
{
    return WithInstance(instanceID, static_cast<char*>(nullptr),
                        [size](LibraryInstance& i) { return i.CreateBuffer(size); });
}

int ULRAddToBuffer(int instanceID, char* buffer, const char* data, int size)
{
    return WithInstance(instanceID, 0, [=](LibraryInstance& i) {
        return i.AddToBuffer(buffer, data, size) ? 1 : 0;
    });
}

int ULRReleaseBuffer(int instanceID, char* buffer)
{
    return WithInstance(instanceID, 0, [=](LibraryInstance& i) { return i.ReleaseBuffer(buffer) ? 1 : 0; });
}

} // extern "C"
