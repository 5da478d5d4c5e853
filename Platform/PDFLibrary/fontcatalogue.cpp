#include "fontcatalogue.h"

#include "enginecall.h"
#include "fontresourcenames.h"
#include "parsedobjects.h"
#include "pdfdocument.h"
#include "resourcefontwalk.h"

#include <cctype>
#include <cstring>

namespace {

enum FontEncodingCode { Unknown = 0, MacRoman = 1, WinAnsi = 2, MacExpert = 3, Standard = 4, NoEncoding = 5 };

int EncodingCode(fz_context* ctx, pdf_obj* font)
{
    int code = Unknown;
    EngineCall(ctx, [&] {
        pdf_obj* encoding = pdf_dict_get(ctx, font, PDF_NAME(Encoding));
        if (pdf_is_dict(ctx, encoding))
        {
            // Differences apply to a base encoding; without one, to the
            // standard encoding.
            encoding = pdf_dict_get(ctx, encoding, PDF_NAME(BaseEncoding));
            if (!encoding)
            {
                code = Standard;
                return;
            }
        }
        if (!encoding)
            code = NoEncoding;
        else if (!std::strcmp(pdf_to_name(ctx, encoding), "MacRomanEncoding"))
            code = MacRoman;
        else if (pdf_name_eq(ctx, encoding, PDF_NAME(WinAnsiEncoding)))
            code = WinAnsi;
        else if (!std::strcmp(pdf_to_name(ctx, encoding), "MacExpertEncoding"))
            code = MacExpert;
        else if (!std::strcmp(pdf_to_name(ctx, encoding), "StandardEncoding"))
            code = Standard;
        else if (pdf_name_eq(ctx, encoding, PDF_NAME(Identity_H)) || pdf_name_eq(ctx, encoding, PDF_NAME(Identity_V)))
            code = NoEncoding;
    });
    return code;
}

// "ABCDEF+Arial-BoldMT" and "Arial,Bold" are both of the family "Arial".
std::string BareFamily(const std::string& name)
{
    std::string bare = name;
    if (bare.size() > 7 && bare[6] == '+')
    {
        bool prefix = true;
        for (int i = 0; i < 6; ++i)
            prefix = prefix && std::isupper(static_cast<unsigned char>(bare[static_cast<std::size_t>(i)]));
        if (prefix)
            bare.erase(0, 7);
    }
    const std::size_t style = bare.find_first_of("-,");
    if (style != std::string::npos && style > 0)
        bare.erase(style);
    return bare;
}

std::string DescriptorFamily(fz_context* ctx, pdf_obj* font)
{
    const char* family = nullptr;
    EngineCall(ctx, [&] {
        pdf_obj* descriptor = pdf_dict_get(ctx, font, PDF_NAME(FontDescriptor));
        if (!descriptor)
            descriptor = pdf_dict_get(ctx, pdf_array_get(ctx, pdf_dict_get(ctx, font, PDF_NAME(DescendantFonts)), 0),
                                      PDF_NAME(FontDescriptor));
        pdf_obj* entry = pdf_dict_gets(ctx, descriptor, "FontFamily");
        if (pdf_is_string(ctx, entry))
            family = pdf_to_text_string(ctx, entry);
    });
    return family ? family : "";
}

FontEntry EntryOf(fz_context* ctx, const ResourceFont& font)
{
    FontEntry entry;
    entry.id = font.number;
    entry.name = FontResourceName(ctx, font.font, font.key);
    entry.family = DescriptorFamily(ctx, font.font);
    if (entry.family.empty())
        entry.family = BareFamily(entry.name);
    entry.encoding = EncodingCode(ctx, font.font);
    return entry;
}

} // namespace

FontCatalogue FontCatalogue::Collect(const PdfDocument& document)
{
    fz_context* ctx = document.Context();
    FontCatalogue catalogue;
    ResourceFontWalk walk(ctx, [&](const ResourceFont& font) {
        // Identifiers are object numbers: a font written inline has none.
        if (font.number > 0)
            catalogue.mFonts.push_back(EntryOf(ctx, font));
    });
    // The names are all that is kept: a large document's fonts' objects
    // need not stay in memory for the rest of the run.
    const ParsedObjectsScope scope(ctx, document.Doc());
    for (int page = 1; page <= document.PageCount(); ++page)
    {
        pdf_obj* pageObject = document.PageObject(page);
        pdf_obj* resources = nullptr;
        EngineCall(ctx, [&] { resources = pdf_dict_get_inheritable(ctx, pageObject, PDF_NAME(Resources)); });
        walk.Walk(resources);
    }
    return catalogue;
}

int FontCatalogue::IdAt(int index) const
{
    return index >= 1 && index <= Count() ? mFonts[static_cast<std::size_t>(index - 1)].id : 0;
}

const FontEntry* FontCatalogue::Find(int id) const
{
    for (const FontEntry& font : mFonts)
        if (font.id == id)
            return &font;
    return nullptr;
}
