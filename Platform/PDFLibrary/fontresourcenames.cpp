#include "fontresourcenames.h"

#include "enginecall.h"
#include "formdraws.h"
#include "resourcefontwalk.h"

namespace {

// Whether MuPDF loads the font as a Type 3 font: so it says, or it is of no
// type MuPDF knows and has glyph procedures. Called inside EngineCall.
bool LoadedAsType3(fz_context* ctx, pdf_obj* font)
{
    pdf_obj* subtype = pdf_dict_get(ctx, font, PDF_NAME(Subtype));
    if (pdf_name_eq(ctx, subtype, PDF_NAME(Type3)))
        return true;
    for (pdf_obj* known : {PDF_NAME(Type0), PDF_NAME(Type1), PDF_NAME(MMType1), PDF_NAME(TrueType)})
        if (pdf_name_eq(ctx, subtype, known))
            return false;
    return pdf_dict_get(ctx, font, PDF_NAME(CharProcs)) != nullptr;
}

// MuPDF draws a Type 3 font's glyphs when it loads the font, outside the
// page's budget: the forms they draw are counted first, and a font over the
// budget makes the page too complex to read.
void CheckType3Glyphs(fz_context* ctx, pdf_document* doc, pdf_obj* listing, pdf_obj* font)
{
    long long draws = 0;
    EngineCall(ctx, [&] {
        if (!LoadedAsType3(ctx, font))
            return;
        pdf_obj* resources = pdf_dict_get(ctx, font, PDF_NAME(Resources));
        if (!resources)
            resources = listing;
        // Glyphs without forms to draw, as most are, need no count.
        if (pdf_dict_len(ctx, pdf_dict_get(ctx, resources, PDF_NAME(XObject))) == 0)
            return;
        pdf_obj* glyphs = pdf_dict_get(ctx, font, PDF_NAME(CharProcs));
        for (int i = 0; i < pdf_dict_len(ctx, glyphs) && draws <= kMostFormsPerPage; ++i)
            draws += CountFormDraws(ctx, doc, resources, pdf_dict_get_val(ctx, glyphs, i), kMostFormsPerPage - draws);
    });
    if (draws > kMostFormsPerPage)
        throw EngineError(EngineErrorCode::TooComplex, "a Type 3 font's glyphs draw too many forms");
}

} // namespace

std::string FontResourceName(fz_context* ctx, pdf_obj* font, pdf_obj* key)
{
    std::string name;
    EngineCall(ctx, [&] {
        const char* text = nullptr;
        if (pdf_name_eq(ctx, pdf_dict_get(ctx, font, PDF_NAME(Subtype)), PDF_NAME(Type3)))
            text = pdf_to_name(ctx, pdf_dict_get(ctx, font, PDF_NAME(Name)));
        else
            text = pdf_to_name(ctx, pdf_dict_get(ctx, font, PDF_NAME(BaseFont)));
        if (!text || !*text)
            text = pdf_to_name(ctx, key);
        name = text ? text : "";
    });
    return name;
}

FontResourceNames::FontResourceNames(fz_context* ctx, pdf_document* doc, pdf_obj* pageObject)
    : mContext(ctx), mDoc(doc)
{
    pdf_obj* resources = nullptr;
    EngineCall(ctx, [&] { resources = pdf_dict_get_inheritable(ctx, pageObject, PDF_NAME(Resources)); });
    ResourceFontWalk walk(ctx, [this](const ResourceFont& font) {
        CheckType3Glyphs(mContext, mDoc, font.resources, font.font);
        // A font MuPDF cannot load shows no text either: skip it.
        try
        {
            Load(font.resources, font.key, font.font);
        }
        catch (const EngineError&)
        {
        }
    });
    try
    {
        walk.Walk(resources);
    }
    catch (...)
    {
        for (auto& held : mHeld)
            pdf_drop_font(mContext, held.second);
        throw;
    }
}

FontResourceNames::~FontResourceNames()
{
    for (auto& held : mHeld)
        pdf_drop_font(mContext, held.second);
}

void FontResourceNames::Load(pdf_obj* resources, pdf_obj* key, pdf_obj* font)
{
    const std::string name = FontResourceName(mContext, font, key);
    pdf_font_desc* desc = nullptr;
    EngineCall(mContext, [&] { desc = pdf_load_font(mContext, mDoc, resources, font); });
    if (!desc)
        return;
    fz_font* loaded = desc->font;
    if (!loaded || mHeld.count(loaded))
    {
        pdf_drop_font(mContext, desc);
        return;
    }
    mHeld.emplace(loaded, desc);
    mNames.emplace(loaded, name);
}
