// Entry points of text extraction.
#include "entryguard.h"
#include "textrecords.h"
#include "ulrentrypoints.h"

extern "C" {

// Only the visual-line records exist: the options are accepted and change
// nothing.
int ULRSetTextExtractionOptions(int instanceID, int, int)
{
    return DocumentEntry(instanceID, 0, [](LibraryInstance&, PdfDocument&) { return 1; });
}

wchar_t* ULRGetPageText(int instanceID, int extractOptions)
{
    return WideDocumentEntry(instanceID, [extractOptions](LibraryInstance&, PdfDocument& document) {
        if (extractOptions != 3)
            return std::wstring();
        return PageTextRecords(document.Context(), document.Doc(), document.SelectedPage());
    });
}

} // extern "C"
