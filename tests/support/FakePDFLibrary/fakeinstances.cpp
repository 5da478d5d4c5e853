#include "fakeinstances.h"

#include <cstring>

char* FakeInstance::CreateBuffer(int size)
{
    if (size < 0)
        return nullptr;
    // One spare byte: an empty buffer still has an address of its own.
    Buffer buffer{std::make_unique<char[]>(static_cast<std::size_t>(size) + 1), size};
    char* address = buffer.bytes.get();
    mBuffers.emplace(address, std::move(buffer));
    return address;
}

bool FakeInstance::AddToBuffer(char* buffer, const char* data, int size)
{
    const auto found = mBuffers.find(buffer);
    if (found == mBuffers.end() || size < 0 || size > found->second.size || (size > 0 && !data))
        return false;
    if (size > 0)
        std::memcpy(buffer, data, static_cast<std::size_t>(size));
    return true;
}

bool FakeInstance::ReleaseBuffer(char* buffer)
{
    return mBuffers.erase(buffer) != 0;
}

std::wstring FakeInstance::TakeWideString(const wchar_t* buffer)
{
    const auto found = mBuffers.find(reinterpret_cast<const char*>(buffer));
    if (found == mBuffers.end())
        return std::wstring();
    std::wstring text(static_cast<std::size_t>(found->second.size) / sizeof(wchar_t), L'\0');
    if (!text.empty())
        std::memcpy(&text[0], buffer, text.size() * sizeof(wchar_t));
    mBuffers.erase(found);
    return text;
}

wchar_t* FakeInstance::WideResult(std::wstring text)
{
    mWideResult = std::move(text);
    return &mWideResult[0];
}

namespace FakeInstances {

namespace {
std::map<int, std::unique_ptr<FakeInstance>>& Table()
{
    static std::map<int, std::unique_ptr<FakeInstance>> table;
    return table;
}
int gNextId = 1;
} // namespace

int Create()
{
    const int id = gNextId++;
    Table().emplace(id, std::make_unique<FakeInstance>());
    return id;
}

bool Release(int id)
{
    return Table().erase(id) != 0;
}

FakeInstance* Find(int id)
{
    const auto found = Table().find(id);
    return found == Table().end() ? nullptr : found->second.get();
}

} // namespace FakeInstances
