#pragma once

#include "enginecontext.h"
#include "engineerror.h"
#include "outlineanchors.h"

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>

class FontCatalogue;
class OutlineTree;
class PageTextPrefetcher;
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

    wchar_t* WideResult(std::wstring text);
    char* ByteResult(std::string bytes);
    int WideResultLength() const { return static_cast<int>(mWideResult.size()); }
    int ByteResultLength() const { return static_cast<int>(mByteResult.size()); }

    EngineContext& Engine() { return mEngine; }
    // Null while no document is loaded.
    PdfDocument* Document() const { return mDocument.get(); }
    // Replaces the document and forgets everything selected in the old one.
    void SetDocument(std::unique_ptr<PdfDocument> document);
    // Loads a document in its place (the errors of PdfDocument::Open and
    // ReadPages);
    // the old one goes first, whether or not the new one loads.
    void LoadDocument(const std::string& path, const std::string& password);
    // Selects a page of the loaded document; false when there is no such page.
    bool SelectPage(int page);
    // The selected page, 0 without a document. Safe from any thread while the
    // instance lives: see LibraryInstances::SelectedPage.
    int SelectedPage() const { return mSelectedPage.load(std::memory_order_relaxed); }
    // Text extraction of the loaded document, which works ahead on threads
    // of its own; made on first use. Throws without a document.
    PageTextPrefetcher& TextPrefetcher();
    // The document's outline, read on first use and kept from one call to the
    // next: it follows every change made through it, and nothing else
    // changes the outline. Reading it afresh on every call made removing
    // all bookmarks quadratic. Throws without a document.
    OutlineTree& Outline();
    // The lines of the page text last handed out, where new bookmarks find
    // their headings.
    OutlineAnchors& Anchors() { return mAnchors; }
    // Forgets the outline read; the next call reads it again. For when an
    // operation failed halfway, and the tree and the objects may disagree.
    void ForgetOutline();
    // The document was changed in a way that may change its objects'
    // numbers. Called holding the document's access lock.
    void DocumentChanged();

    // Atomic: SelectedPage answers without the instance lock and may record
    // its error meanwhile.
    EngineErrorCode LastError() const { return mLastError.load(); }
    void SetLastError(EngineErrorCode code) { mLastError.store(code); }

    // The document's font list, made on first use; null without a document.
    const FontCatalogue* Fonts() const { return mFonts.get(); }
    void SetFonts(std::unique_ptr<FontCatalogue> fonts);
    int SelectedFont() const { return mSelectedFont; }
    void SelectFont(int id) { mSelectedFont = id; }

    // One call into this instance at a time. Instances do not share MuPDF
    // contexts or documents, so calls into different instances run side by
    // side (a host rendering pages on a thread of its own with a second
    // instance does not hold up the window's calls).
    std::mutex& CallLock() { return mCallLock; }

private:
    std::mutex mCallLock;
    EngineContext mEngine;
    // Declared after the context: dropped before it.
    std::unique_ptr<PdfDocument> mDocument;
    // Declared after the document: its threads stop before the document goes.
    std::unique_ptr<PageTextPrefetcher> mPrefetcher;
    // Holds references to the document's objects: goes before it too.
    std::unique_ptr<OutlineTree> mOutline;
    OutlineAnchors mAnchors;
    std::unique_ptr<FontCatalogue> mFonts;
    int mSelectedFont = 0;
    std::atomic<int> mSelectedPage{0};
    std::atomic<EngineErrorCode> mLastError{EngineErrorCode::None};
    std::map<char*, std::unique_ptr<char[]>> mBufferStore;
    std::map<const char*, int> mBufferSizes;
    std::wstring mWideResult;
    std::string mByteResult;
};

// The process-wide table of instances. Ids start at 1 and are never reused.
// A call in progress keeps its instance alive: Release only takes it out of
// the table, and the last holder destroys it. When the library is unloaded
// without ReleaseLibrary, the table's destruction releases what is left, so
// no thread of an instance outlives the library's code.
namespace LibraryInstances {
int Create();
bool Release(int id);
std::shared_ptr<LibraryInstance> Find(int id);
// The selected page of an instance without taking its call lock, so that a progress
// display on another thread is not held up by a long call; 0 without a
// document (NoDocument is recorded then), -1 for an unknown id.
int SelectedPage(int id);
}
