// A PDF library that records what the binding does to it: instances, buffers
// and the arguments of a few members of each shape.
#include "probelibrary.h"
#include "ulrentrypoints.h"

#include <cstring>
#include <map>
#include <memory>

namespace {

ProbeRecord gRecord;
std::map<const char*, std::unique_ptr<char[]>> gBuffers;
std::map<const char*, int> gBufferSizes;
std::wstring gWideResult;
std::string gByteResult;

std::wstring WideArgument(const wchar_t* buffer)
{
    const auto found = gBufferSizes.find(reinterpret_cast<const char*>(buffer));
    if (found == gBufferSizes.end())
        return std::wstring();
    return std::wstring(buffer, static_cast<std::size_t>(found->second) / sizeof(wchar_t));
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) ProbeRecord* ProbeState()
{
    return &gRecord;
}

int ULRCreateLibrary(void)
{
    ++gRecord.createLibraryCalls;
    return ProbeInstanceID;
}

int ULRReleaseLibrary(int instanceID)
{
    ++gRecord.releaseLibraryCalls;
    gRecord.releasedInstance = instanceID;
    // The wide-string buffers the library kept go with the instance.
    gBuffers.clear();
    gBufferSizes.clear();
    return 1;
}

int ULRStringResultLength(int)
{
    return static_cast<int>(gWideResult.size());
}

int ULRAnsiStringResultLength(int)
{
    return static_cast<int>(gByteResult.size());
}

char* ULRCreateBuffer(int, int size)
{
    auto storage = std::make_unique<char[]>(static_cast<std::size_t>(size) + 1);
    char* buffer = storage.get();
    gBuffers.emplace(buffer, std::move(storage));
    gBufferSizes[buffer] = size;
    gRecord.buffersMade.push_back(buffer);
    return buffer;
}

int ULRAddToBuffer(int, char* buffer, const char* data, int size)
{
    std::memcpy(buffer, data, static_cast<std::size_t>(size));
    return 1;
}

int ULRReleaseBuffer(int, char* buffer)
{
    gRecord.buffersReleased.push_back(buffer);
    gBufferSizes.erase(buffer);
    gBuffers.erase(buffer);
    return 1;
}

int ULRPageCount(int)
{
    ++gRecord.memberCalls;
    return 42;
}

double ULRGetPageBox(int, int, int)
{
    ++gRecord.memberCalls;
    return 1.5;
}

wchar_t* ULRGetPageText(int, int)
{
    ++gRecord.memberCalls;
    gWideResult = L"probe";
    return &gWideResult[0];
}

int ULRNewOutline(int, int, wchar_t* title, int, double)
{
    ++gRecord.memberCalls;
    gRecord.lastTitlePointer = title;
    gRecord.lastTitle = WideArgument(title);
    return 7;
}

wchar_t* ULROutlineTitle(int, int)
{
    ++gRecord.memberCalls;
    gWideResult = gRecord.lastTitle;
    return &gWideResult[0];
}

int ULRAddImageFromString(int, char* source, int)
{
    ++gRecord.memberCalls;
    const auto found = gBufferSizes.find(source);
    gRecord.lastBytes = found == gBufferSizes.end()
        ? std::string()
        : std::string(source, static_cast<std::size_t>(found->second));
    return 1;
}

char* ULRSaveToString(int)
{
    ++gRecord.memberCalls;
    gByteResult = std::string("%PDF\0\xff", 6);
    return &gByteResult[0];
}

} // extern "C"
