#pragma once

#include "enginecontext.h"
#include "engineerror.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>

class FontCatalogue;
class PdfDocument;

// One library instance: what ULRCreateLibrary hands out an id for. It owns the
// buffers it made for its caller, the last string result, which stays valid
// until the next call that returns a string, its MuPDF context and the loaded
// document with what is selected in it.
class LibraryInstance
{
public:
    LibraryInstance();
    virtual ~LibraryInstance();

    char* CreateBuffer(int size);
    bool AddToBuffer(char* buffer, const char* data, int size);
    bool ReleaseBuffer(char* buffer);
    // A wide-string argument: the buffer's bytes as UCS-4 code units; the
    // buffer is taken over and freed. A null buffer is the empty string.
    std::wstring TakeWideString(const wchar_t* buffer);
    // A byte-string argument's bytes; the caller releases the buffer itself.
    std::string BufferBytes(const char* buffer) const;

    wchar_t* WideResult(std::wstring text);
    char* ByteResult(std::string bytes);
    int WideResultLength() const { return static_cast<int>(mWideResult.size()); }
    int ByteResultLength() const { return static_cast<int>(mByteResult.size()); }

    EngineContext& Engine() { return mEngine; }
    // Null while no document is loaded.
    PdfDocument* Document() const { return mDocument.get(); }
    // Replaces the document and forgets everything selected in the old one.
    void SetDocument(std::unique_ptr<PdfDocument> document);

    EngineErrorCode LastError() const { return mLastError; }
    void SetLastError(EngineErrorCode code) { mLastError = code; }

    // The document's font list, made on first use; null without a document.
    const FontCatalogue* Fonts() const { return mFonts.get(); }
    void SetFonts(std::unique_ptr<FontCatalogue> fonts);
    int SelectedFont() const { return mSelectedFont; }
    void SelectFont(int id) { mSelectedFont = id; }

private:
    EngineContext mEngine;
    // Declared after the context: dropped before it.
    std::unique_ptr<PdfDocument> mDocument;
    std::unique_ptr<FontCatalogue> mFonts;
    int mSelectedFont = 0;
    EngineErrorCode mLastError = EngineErrorCode::None;
    std::map<char*, std::unique_ptr<char[]>> mBufferStore;
    std::map<const char*, int> mBufferSizes;
    std::wstring mWideResult;
    std::string mByteResult;
};

// The process-wide table of instances. Ids start at 1 and are never reused.
namespace LibraryInstances {
int Create();
bool Release(int id);
LibraryInstance* Find(int id);
// Guards every entry point: one call into an instance at a time.
std::mutex& Lock();
}
