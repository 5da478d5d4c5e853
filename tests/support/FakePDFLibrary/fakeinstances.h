#pragma once

#include <map>
#include <memory>
#include <string>

// One instance as ULRCreateLibrary hands it out: the buffers it made for the
// binding and the last string results, valid until the next one.
class FakeInstance
{
public:
    char* CreateBuffer(int size);
    bool AddToBuffer(char* buffer, const char* data, int size);
    bool ReleaseBuffer(char* buffer);
    // A wide-string argument: the buffer's bytes as UCS-4 code units. The
    // library takes the buffer over and frees it; null is the empty string.
    std::wstring TakeWideString(const wchar_t* buffer);

    wchar_t* WideResult(std::wstring text);
    int WideResultLength() const { return static_cast<int>(mWideResult.size()); }
    int ByteResultLength() const { return static_cast<int>(mByteResult.size()); }

private:
    struct Buffer
    {
        std::unique_ptr<char[]> bytes;
        int size = 0;
    };
    std::map<const char*, Buffer> mBuffers;
    std::wstring mWideResult;
    std::string mByteResult;
};

// Instance ids count up from 1 for the life of the process.
namespace FakeInstances {
int Create();
bool Release(int id);
FakeInstance* Find(int id);
}
