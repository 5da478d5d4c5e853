// Entry points of the document as a whole: loading, saving, pages and boxes.
#include "entryguard.h"
#include "pageboxes.h"
#include "ucs4text.h"
#include "ulrentrypoints.h"

#include <algorithm>

namespace {

fz_rect SelectedPageBox(PdfDocument& document, PageBoxKind kind)
{
    pdf_obj* page = document.PageObject(document.SelectedPage());
    if (!page)
        throw EngineError(EngineErrorCode::Engine, "no such page");
    return PageBox(document.Context(), page, kind);
}

} // namespace

extern "C" {

int ULRLoadFromFile(int instanceID, wchar_t* fileName, wchar_t* password)
{
    return GuardedEntry(instanceID, 0, [&](LibraryInstance& instance) {
        const std::string path = FileNameBytes(instance.TakeWideString(fileName));
        const std::string secret = Utf8FromUcs4(instance.TakeWideString(password));
        // A failed load leaves no document: the caller must not go on
        // working on the previous one believing it is the new one.
        instance.LoadDocument(path, secret);
        instance.SetLastError(EngineErrorCode::None);
        return 1;
    });
}

int ULRSaveToFile(int instanceID, wchar_t* fileName)
{
    return GuardedEntry(instanceID, 0, [&](LibraryInstance& instance) {
        const std::string path = FileNameBytes(instance.TakeWideString(fileName));
        PdfDocument* document = instance.Document();
        if (!document)
            throw EngineError(EngineErrorCode::NoDocument, "no document loaded");
        std::lock_guard<std::mutex> access(document->Access());
        // Saving leaves the pages as they were, but the writer may renumber
        // or rewrite objects: what was read before is not worth the risk,
        // whether the save worked or not.
        try
        {
            document->Save(path);
        }
        catch (...)
        {
            instance.DocumentChanged();
            throw;
        }
        instance.DocumentChanged();
        instance.SetLastError(EngineErrorCode::None);
        return 1;
    });
}

int ULRLastErrorCode(int instanceID)
{
    return GuardedEntry(instanceID, 0, [](LibraryInstance& instance) {
        return static_cast<int>(instance.LastError());
    });
}

int ULRPageCount(int instanceID)
{
    return DocumentStateEntry(instanceID, 0, [](LibraryInstance&, PdfDocument& document) {
        return document.PageCount();
    });
}

int ULRSelectPage(int instanceID, int page)
{
    return DocumentStateEntry(instanceID, 0, [page](LibraryInstance& instance, PdfDocument&) {
        return instance.SelectPage(page) ? 1 : 0;
    });
}

// The one entry point that skips the instance lock: a host may poll it for a
// progress line from another thread while a long call runs.
int ULRSelectedPage(int instanceID)
{
    return std::max(0, LibraryInstances::SelectedPage(instanceID));
}

double ULRPageWidth(int instanceID)
{
    return DocumentEntry(instanceID, 0.0, [](LibraryInstance&, PdfDocument& document) {
        return BoxMeasure(SelectedPageBox(document, PageBoxKind::Media), static_cast<int>(BoxDimension::Width));
    });
}

double ULRPageHeight(int instanceID)
{
    return DocumentEntry(instanceID, 0.0, [](LibraryInstance&, PdfDocument& document) {
        return BoxMeasure(SelectedPageBox(document, PageBoxKind::Media), static_cast<int>(BoxDimension::Height));
    });
}

double ULRGetPageBox(int instanceID, int boxType, int dimension)
{
    return DocumentEntry(instanceID, 0.0, [=](LibraryInstance&, PdfDocument& document) {
        if (boxType < static_cast<int>(PageBoxKind::Media) || boxType > static_cast<int>(PageBoxKind::Art))
            return 0.0;
        return BoxMeasure(SelectedPageBox(document, static_cast<PageBoxKind>(boxType)), dimension);
    });
}

} // extern "C"
