// A PDF library that records what the binding does to it: instances, buffers
// and the arguments of a few members of each shape.
#include "probelibrary.h"
#include "ulrentrypoints.h"

#include <cstring>
#include <map>
#include <vector>

namespace {

ProbeRecord gRecord;
// Buffers by their data, one byte longer than asked for.
std::map<const char*, std::vector<char>> gBuffers;
std::wstring gWideResult;
std::string gByteResult;

std::string BufferBytes(const char* buffer)
{
    const auto found = gBuffers.find(buffer);
    return found == gBuffers.end() ? std::string() : std::string(buffer, found->second.size() - 1);
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) ProbeRecord* ProbeState() { return &gRecord; }

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
    return 1;
}

int ULRStringResultLength(int) { return static_cast<int>(gWideResult.size()); }

int ULRAnsiStringResultLength(int) { return static_cast<int>(gByteResult.size()); }

char* ULRCreateBuffer(int, int size)
{
    std::vector<char> storage(static_cast<std::size_t>(size) + 1);
    char* buffer = storage.data();
    gBuffers.emplace(buffer, std::move(storage));
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
    gBuffers.erase(buffer);
    return 1;
}

int ULRPageCount(int) { return 42; }

double ULRGetPageBox(int, int, int) { return 1.5; }

wchar_t* ULRGetPageText(int, int)
{
    gWideResult = L"probe";
    return &gWideResult[0];
}

int ULRNewOutline(int, int, wchar_t* title, int, double)
{
    gRecord.lastTitlePointer = title;
    const std::size_t length = BufferBytes(reinterpret_cast<const char*>(title)).size() / sizeof(wchar_t);
    gRecord.lastTitle.assign(title ? title : L"", length);
    return 7;
}

wchar_t* ULROutlineTitle(int, int)
{
    gWideResult = gRecord.lastTitle;
    return &gWideResult[0];
}

int ULRAddImageFromString(int, char* source, int)
{
    gRecord.lastBytes = BufferBytes(source);
    return 1;
}

char* ULRSaveToString(int)
{
    gByteResult = std::string("%PDF\0\xff", 6);
    return &gByteResult[0];
}

} // extern "C"
