#pragma once

#include <mupdf/pdf.h>

#include <map>
#include <string>

// The full names of the fonts a page uses, keyed by the fz_font MuPDF shows
// its text with. MuPDF cuts font names to 31 bytes; the records want the
// resource's own name: BaseFont with its subset prefix, a Type 3 font's Name,
// else the resource key.
class FontResourceNames
{
public:
    // Loads the fonts of the page's resources and of the forms they use (the
    // run that follows finds them in MuPDF's store, with the same fz_font).
    FontResourceNames(fz_context* ctx, pdf_document* doc, pdf_obj* pageObject);
    ~FontResourceNames();
    FontResourceNames(const FontResourceNames&) = delete;
    FontResourceNames& operator=(const FontResourceNames&) = delete;

    const std::map<fz_font*, std::string>& Names() const { return mNames; }

private:
    void Load(pdf_obj* resources, pdf_obj* key, pdf_obj* font);

    fz_context* mContext;
    pdf_document* mDoc;
    std::map<fz_font*, std::string> mNames;
    // Held so that the fz_font pointers stay unique during the run.
    std::map<fz_font*, pdf_font_desc*> mHeld;
};

// The name a font dictionary goes by in the records; `key` is its resource key.
std::string FontResourceName(fz_context* ctx, pdf_obj* font, pdf_obj* key);
