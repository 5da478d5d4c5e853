#include "pdflibrarybinding.h"

#include <dlfcn.h>

namespace {

// Signatures of the entry points that serve the binding itself.
using CreateLibraryFn = int (*)();
using InstanceFn = int (*)(int);
using CreateBufferFn = char* (*)(int, int);
using AddToBufferFn = int (*)(int, char*, const char*, int);
using ReleaseBufferFn = int (*)(int, char*);

} // namespace

OmbrelPDFLibraryCPDylibCPP1311::OmbrelPDFLibraryCPDylibCPP1311(const std::wstring& library)
{
    // The host passes plain file names; the binding keeps the low byte of each
    // code unit and applies no other encoding.
    std::string name;
    name.reserve(library.size());
    for (wchar_t c : library)
        name.push_back(static_cast<char>(static_cast<unsigned int>(c) & 0xFF));

    mLibHandle = dlopen(name.c_str(), RTLD_LAZY | RTLD_LOCAL);
    if (!mLibHandle) {
        mMissing = true;
        return;
    }
    for (int i = 0; i < EntryPointCount; ++i)
        mSlots[i] = AttachFunction(EntryPointNames[i], false);
    if (!mMissing)
        mInstanceID = reinterpret_cast<CreateLibraryFn>(mSlots[CreateLibrarySlot])();
}

OmbrelPDFLibraryCPDylibCPP1311::~OmbrelPDFLibraryCPDylibCPP1311()
{
    if (mInstanceID > 0)
        reinterpret_cast<InstanceFn>(mSlots[ReleaseLibrarySlot])(mInstanceID);
    if (mLibHandle) {
        dlclose(mLibHandle);
        mLibHandle = nullptr;
    }
}

void* OmbrelPDFLibraryCPDylibCPP1311::AttachFunction(const char* name, bool optional)
{
    void* address = mLibHandle ? dlsym(mLibHandle, name) : nullptr;
    if (!address && !optional)
        mMissing = true;
    return address;
}

wchar_t* OmbrelPDFLibraryCPDylibCPP1311::WideStringParm(const std::wstring& text)
{
    if (text.empty())
        return nullptr;
    const int size = static_cast<int>(text.size() * sizeof(wchar_t));
    char* buffer = reinterpret_cast<CreateBufferFn>(mSlots[CreateBufferSlot])(mInstanceID, size);
    reinterpret_cast<AddToBufferFn>(mSlots[AddToBufferSlot])(
        mInstanceID, buffer, reinterpret_cast<const char*>(text.data()), size);
    // The library may keep the buffer; the binding never releases it.
    return reinterpret_cast<wchar_t*>(buffer);
}

char* OmbrelPDFLibraryCPDylibCPP1311::StringParm(const std::string& bytes, int& made)
{
    const int size = static_cast<int>(bytes.size());
    char* buffer = reinterpret_cast<CreateBufferFn>(mSlots[CreateBufferSlot])(mInstanceID, size);
    reinterpret_cast<AddToBufferFn>(mSlots[AddToBufferSlot])(mInstanceID, buffer, bytes.data(), size);
    made = 1;
    return buffer;
}

std::wstring OmbrelPDFLibraryCPDylibCPP1311::WideStringResult(const wchar_t* text, int length)
{
    if (!text || length <= 0)
        return std::wstring();
    return std::wstring(text, static_cast<std::size_t>(length));
}

std::string OmbrelPDFLibraryCPDylibCPP1311::ByteStringResult(const char* bytes, int length)
{
    if (!bytes || length <= 0)
        return std::string();
    return std::string(bytes, static_cast<std::size_t>(length));
}

int OmbrelPDFLibraryCPDylibCPP1311::CallStringResultLength()
{
    return reinterpret_cast<InstanceFn>(mSlots[StringResultLengthSlot])(mInstanceID);
}

int OmbrelPDFLibraryCPDylibCPP1311::CallAnsiStringResultLength()
{
    return reinterpret_cast<InstanceFn>(mSlots[AnsiStringResultLengthSlot])(mInstanceID);
}

void OmbrelPDFLibraryCPDylibCPP1311::CallReleaseBuffer(char* buffer)
{
    reinterpret_cast<ReleaseBufferFn>(mSlots[ReleaseBufferSlot])(mInstanceID, buffer);
}
