// Entry points of rendering, for a preview.
#include "entryguard.h"
#include "pagerasteriser.h"
#include "ulrentrypoints.h"

extern "C" {

// Options 0: a PNG of the whole page. Other option values are not known.
char* ULRRenderPageToString(int instanceID, double dpi, int page, int options)
{
    return ByteDocumentEntry(instanceID, [=](LibraryInstance&, PdfDocument& document) {
        if (options != 0 || !document.HasPage(page))
            return std::string();
        return RasterisePagePng(document.Context(), document.Doc(), page, dpi);
    });
}

} // extern "C"
