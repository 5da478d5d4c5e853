#include "libraryinstance.h"

#include "fontcatalogue.h"
#include "pdfdocument.h"

#include <cstring>

LibraryInstance::LibraryInstance() = default;

LibraryInstance::~LibraryInstance()
{
    // The document belongs to the context: drop it first.
    mFonts.reset();
    mDocument.reset();
}

void LibraryInstance::SetDocument(std::unique_ptr<PdfDocument> document)
{
    mFonts.reset();
    mSelectedFont = 0;
    mDocument = std::move(document);
}

void LibraryInstance::SetFonts(std::unique_ptr<FontCatalogue> fonts)
{
    mFonts = std::move(fonts);
}

char* LibraryInstance::CreateBuffer(int size)
{
    if (size < 0)
        return nullptr;
    // Never hand out a null buffer for an empty one: the caller cannot tell
    // that from a failure.
    auto storage = std::make_unique<char[]>(static_cast<std::size_t>(size) + 1);
    char* buffer = storage.get();
    mBufferSizes[buffer] = size;
    mBufferStore.emplace(buffer, std::move(storage));
    return buffer;
}

bool LibraryInstance::AddToBuffer(char* buffer, const char* data, int size)
{
    const auto found = mBufferSizes.find(buffer);
    if (found == mBufferSizes.end() || size < 0 || size > found->second || (size > 0 && !data))
        return false;
    if (size > 0)
        std::memcpy(buffer, data, static_cast<std::size_t>(size));
    return true;
}

bool LibraryInstance::ReleaseBuffer(char* buffer)
{
    if (mBufferSizes.erase(buffer) == 0)
        return false;
    mBufferStore.erase(buffer);
    return true;
}

std::wstring LibraryInstance::TakeWideString(const wchar_t* buffer)
{
    const char* bytes = reinterpret_cast<const char*>(buffer);
    const auto found = mBufferSizes.find(bytes);
    if (!buffer || found == mBufferSizes.end())
        return std::wstring();
    std::wstring text(static_cast<std::size_t>(found->second) / sizeof(wchar_t), L'\0');
    std::memcpy(&text[0], bytes, text.size() * sizeof(wchar_t));
    ReleaseBuffer(const_cast<char*>(bytes));
    return text;
}

std::string LibraryInstance::BufferBytes(const char* buffer) const
{
    const auto found = mBufferSizes.find(buffer);
    if (!buffer || found == mBufferSizes.end())
        return std::string();
    return std::string(buffer, static_cast<std::size_t>(found->second));
}

wchar_t* LibraryInstance::WideResult(std::wstring text)
{
    mWideResult = std::move(text);
    return &mWideResult[0];
}

char* LibraryInstance::ByteResult(std::string bytes)
{
    mByteResult = std::move(bytes);
    return &mByteResult[0];
}

namespace LibraryInstances {

namespace {
std::map<int, std::unique_ptr<LibraryInstance>>& Table()
{
    static std::map<int, std::unique_ptr<LibraryInstance>> table;
    return table;
}
int gNextId = 1;
} // namespace

std::mutex& Lock()
{
    static std::mutex lock;
    return lock;
}

int Create()
{
    const int id = gNextId++;
    Table().emplace(id, std::make_unique<LibraryInstance>());
    return id;
}

bool Release(int id)
{
    return Table().erase(id) != 0;
}

LibraryInstance* Find(int id)
{
    const auto found = Table().find(id);
    return found == Table().end() ? nullptr : found->second.get();
}

} // namespace LibraryInstances
