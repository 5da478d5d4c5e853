#pragma once

#include <mupdf/pdf.h>

#include <string>
#include <vector>

class PdfDocument;

// The document's distinct font resources, in the order FindFonts lists them.
struct FontEntry
{
    int id = 0;           // positive, stable while the document is loaded
    std::string name;     // the full BaseFont (or a Type 3 font's name), UTF-8
    std::string family;   // the descriptor's family, else the bare name
    int encoding = 0;     // GetFontEncoding's code
};

class FontCatalogue
{
public:
    // Walks every page's font resources; throws EngineError.
    static FontCatalogue Collect(const PdfDocument& document);

    int Count() const { return static_cast<int>(mFonts.size()); }
    // 1-based index as FindFonts counts; 0 when out of range.
    int IdAt(int index) const;
    // Null when no font has that id.
    const FontEntry* Find(int id) const;

private:
    std::vector<FontEntry> mFonts;
};
