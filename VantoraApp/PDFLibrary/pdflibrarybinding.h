#pragma once

#include <cstddef>
#include <string>

// The PDF library binding. The host builds one per open document and hands the
// plug-in a pointer to it, so the fields below are a binary contract: the
// library handle, the 32-bit instance id, the missing flag, then one
// function-pointer slot per entry point in byte order of the entry points'
// names. Every member checks the load state, marshals its arguments, calls its
// slot with the instance id first and marshals the result back; a binding that
// failed to load answers 0, 0.0 or an empty string.
class OmbrelPDFLibraryCPDylibCPP1311
{
public:
    static constexpr int EntryPointCount = 857;
    static const char* const EntryPointNames[EntryPointCount];

    explicit OmbrelPDFLibraryCPDylibCPP1311(const std::wstring& library);
    ~OmbrelPDFLibraryCPDylibCPP1311();

    OmbrelPDFLibraryCPDylibCPP1311(const OmbrelPDFLibraryCPDylibCPP1311&) = delete;
    OmbrelPDFLibraryCPDylibCPP1311& operator=(const OmbrelPDFLibraryCPDylibCPP1311&) = delete;

    bool LibraryLoaded() const { return !mMissing; }
    void* AttachFunction(const char* name, bool optional);

    // Marshalling helpers, public because they are part of the shape every
    // member has and tests exercise them directly.
    wchar_t* WideStringParm(const std::wstring& text);
    char* StringParm(const std::string& bytes, int& made);
    static std::wstring WideStringResult(const wchar_t* text, int length);

#include "pdflibrarymembers.inc"

private:
    friend struct PDFLibraryBindingLayout;

    int CallStringResultLength();
    int CallAnsiStringResultLength();
    void CallReleaseBuffer(char* buffer);
    static std::string ByteStringResult(const char* bytes, int length);

    void* mLibHandle = nullptr;
    int mInstanceID = 0;
    bool mMissing = false;
    void* mSlots[EntryPointCount] = {};
};

// The layout the host shares (x86-64).
struct PDFLibraryBindingLayout
{
    static_assert(sizeof(void*) == 8, "the shared layout is the 64-bit one");
    static constexpr std::size_t Handle = offsetof(OmbrelPDFLibraryCPDylibCPP1311, mLibHandle);
    static constexpr std::size_t InstanceID = offsetof(OmbrelPDFLibraryCPDylibCPP1311, mInstanceID);
    static constexpr std::size_t Missing = offsetof(OmbrelPDFLibraryCPDylibCPP1311, mMissing);
    static constexpr std::size_t Slots = offsetof(OmbrelPDFLibraryCPDylibCPP1311, mSlots);
    static_assert(Handle == 0, "library handle at offset 0");
    static_assert(InstanceID == 8, "instance id at offset 8");
    static_assert(Missing == 12, "missing flag at offset 12");
    static_assert(Slots == 16, "entry-point slots from offset 16");
    static_assert(sizeof(OmbrelPDFLibraryCPDylibCPP1311) == 16 + 8 * 857, "857 slots, nothing after them");
};
