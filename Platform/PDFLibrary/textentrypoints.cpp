// Entry points of text extraction.
#include "entryguard.h"
#include "pagetextprefetcher.h"
#include "ulrentrypoints.h"

extern "C" {

// Only the visual-line records exist: the options are accepted and change
// nothing.
int ULRSetTextExtractionOptions(int instanceID, int, int)
{
    return DocumentStateEntry(instanceID, 0, [](LibraryInstance&, PdfDocument&) { return 1; });
}

wchar_t* ULRGetPageText(int instanceID, int extractOptions)
{
    // The prefetcher takes the document's access lock itself, only when it
    // reads the page on this thread rather than waiting for a worker's.
    return WideDocumentStateEntry(instanceID, [extractOptions](LibraryInstance& instance, PdfDocument& document) {
        if (extractOptions != 3)
            return std::wstring();
        const int page = document.SelectedPage();
        std::wstring records = instance.TextPrefetcher().Take(page);
        instance.Anchors().PageTextGiven(page, records);
        // A page without text and a page whose text could not be read
        // both answer nothing: LastErrorCode tells them apart.
        instance.SetLastError(EngineErrorCode::None);
        return records;
    });
}

} // extern "C"
