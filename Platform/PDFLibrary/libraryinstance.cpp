#include "libraryinstance.h"

#include "engineerror.h"
#include "fontcatalogue.h"
#include "outlinetree.h"
#include "pagetextprefetcher.h"
#include "pdfdocument.h"
#include "textworkercount.h"

#include <cstring>

LibraryInstance::LibraryInstance() = default;

LibraryInstance::~LibraryInstance()
{
    // The text workers read copies of the document: stop them first. The
    // document belongs to the context: drop it before.
    mPrefetcher.reset();
    mOutline.reset();
    mFonts.reset();
    mDocument.reset();
}

void LibraryInstance::SetDocument(std::unique_ptr<PdfDocument> document)
{
    mPrefetcher.reset();
    mOutline.reset();
    mAnchors.Forget();
    mFonts.reset();
    mSelectedFont = 0;
    mDocument = std::move(document);
    mSelectedPage.store(mDocument ? mDocument->SelectedPage() : 0, std::memory_order_relaxed);
}

void LibraryInstance::LoadDocument(const std::string& path, const std::string& password)
{
    SetDocument(nullptr);
    std::unique_ptr<PdfDocument> document = PdfDocument::Open(mEngine.Get(), path, password);
    // The text workers open their copies and parse them on the other cores
    // while this thread reads the page tree. Declared after the document:
    // if reading fails, they stop before it goes.
    auto prefetcher = std::make_unique<PageTextPrefetcher>(*document, TextWorkerCount());
    document->ReadPages();
    prefetcher->PagesRead();
    SetDocument(std::move(document));
    mPrefetcher = std::move(prefetcher);
}

bool LibraryInstance::SelectPage(int page)
{
    if (!mDocument || !mDocument->SelectPage(page))
        return false;
    mSelectedPage.store(page, std::memory_order_relaxed);
    return true;
}

PageTextPrefetcher& LibraryInstance::TextPrefetcher()
{
    if (!mDocument)
        throw EngineError(EngineErrorCode::NoDocument, "no document loaded");
    if (!mPrefetcher)
        mPrefetcher = std::make_unique<PageTextPrefetcher>(*mDocument, TextWorkerCount());
    return *mPrefetcher;
}

OutlineTree& LibraryInstance::Outline()
{
    if (!mDocument)
        throw EngineError(EngineErrorCode::NoDocument, "no document loaded");
    if (!mOutline)
        mOutline = std::make_unique<OutlineTree>(*mDocument);
    return *mOutline;
}

void LibraryInstance::ForgetOutline()
{
    mOutline.reset();
}

void LibraryInstance::DocumentChanged()
{
    // The text workers read copies of the file as it was loaded; no change
    // this library makes reaches a page's contents, so what they read stays
    // right.
    ForgetOutline();
    mAnchors.Forget();
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

using InstanceMap = std::map<int, std::shared_ptr<LibraryInstance>>;

// The map itself, apart from the instances in it: held only for a lookup or
// an insertion or removal, never across a call.
std::mutex& TableLock()
{
    static std::mutex lock;
    return lock;
}

// Destroyed when the library is unloaded or the process ends: instances the
// host never released go then, and with them their prefetch threads, joined
// while the library's code is still mapped.
InstanceMap& Table()
{
    static InstanceMap table;
    return table;
}

int gNextId = 1;

} // namespace

int Create()
{
    auto instance = std::make_shared<LibraryInstance>();
    std::lock_guard<std::mutex> guard(TableLock());
    const int id = gNextId++;
    Table().emplace(id, std::move(instance));
    return id;
}

bool Release(int id)
{
    std::shared_ptr<LibraryInstance> released;
    {
        std::lock_guard<std::mutex> guard(TableLock());
        const auto found = Table().find(id);
        if (found == Table().end())
            return false;
        released = std::move(found->second);
        Table().erase(found);
    }
    // Dropped outside the table lock: stopping its thread may take a page's
    // time, and SelectedPage must not wait for that. A call still running on
    // another thread holds it until it returns.
    released.reset();
    return true;
}

std::shared_ptr<LibraryInstance> Find(int id)
{
    std::lock_guard<std::mutex> guard(TableLock());
    const auto found = Table().find(id);
    return found == Table().end() ? nullptr : found->second;
}

int SelectedPage(int id)
{
    // The instance lives while it is in the table, and leaves the table under
    // this lock before it is destroyed; its selected page is an atomic
    // written under its call lock. So neither the instance nor the value can be torn
    // here, and the answer is the page selected by a call that has returned
    // or is on its way.
    std::lock_guard<std::mutex> guard(TableLock());
    const auto found = Table().find(id);
    if (found == Table().end())
        return -1;
    const int page = found->second->SelectedPage();
    if (page == 0)
        found->second->SetLastError(EngineErrorCode::NoDocument);
    return page;
}

} // namespace LibraryInstances
