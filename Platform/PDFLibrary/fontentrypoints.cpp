// Entry points of the document's fonts and of the installed ones.
#include "entryguard.h"
#include "fontcatalogue.h"
#include "installedfonts.h"
#include "ucs4text.h"
#include "ulrentrypoints.h"

namespace {

// The catalogue is made once per loaded document, on first use.
const FontCatalogue& Fonts(LibraryInstance& instance, PdfDocument& document)
{
    if (!instance.Fonts())
        instance.SetFonts(std::make_unique<FontCatalogue>(FontCatalogue::Collect(document)));
    return *instance.Fonts();
}

const FontEntry* SelectedFont(LibraryInstance& instance, PdfDocument& document)
{
    return Fonts(instance, document).Find(instance.SelectedFont());
}

} // namespace

extern "C" {

int ULRFindFonts(int instanceID)
{
    return DocumentEntry(instanceID, 0, [](LibraryInstance& instance, PdfDocument& document) {
        return Fonts(instance, document).Count();
    });
}

int ULRGetFontID(int instanceID, int index)
{
    return DocumentEntry(instanceID, 0, [index](LibraryInstance& instance, PdfDocument& document) {
        return Fonts(instance, document).IdAt(index);
    });
}

int ULRSelectFont(int instanceID, int fontID)
{
    return DocumentEntry(instanceID, 0, [fontID](LibraryInstance& instance, PdfDocument& document) {
        if (!Fonts(instance, document).Find(fontID))
            return 0;
        instance.SelectFont(fontID);
        return 1;
    });
}

int ULRSelectedFont(int instanceID)
{
    return DocumentEntry(instanceID, 0, [](LibraryInstance& instance, PdfDocument&) { return instance.SelectedFont(); });
}

wchar_t* ULRFontName(int instanceID)
{
    return WideDocumentEntry(instanceID, [](LibraryInstance& instance, PdfDocument& document) {
        const FontEntry* font = SelectedFont(instance, document);
        return font ? Ucs4FromUtf8(font->name) : std::wstring();
    });
}

wchar_t* ULRFontFamily(int instanceID)
{
    return WideDocumentEntry(instanceID, [](LibraryInstance& instance, PdfDocument& document) {
        const FontEntry* font = SelectedFont(instance, document);
        return font ? Ucs4FromUtf8(font->family) : std::wstring();
    });
}

int ULRGetFontEncoding(int instanceID)
{
    return DocumentEntry(instanceID, 0, [](LibraryInstance& instance, PdfDocument& document) {
        const FontEntry* font = SelectedFont(instance, document);
        return font ? font->encoding : 0;
    });
}

// Every installed family, whatever the charset and options: fontconfig
// families are not split by script.
wchar_t* ULRGetInstalledFontsByCharset(int instanceID, int, int)
{
    return WideResultEntry(instanceID, [](LibraryInstance&) { return InstalledFontFamilies(); });
}

} // extern "C"
