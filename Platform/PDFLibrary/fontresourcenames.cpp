#include "fontresourcenames.h"

#include "enginecall.h"
#include "formresources.h"

namespace {

// Deeper nesting of forms is not worth following: it is either a cycle the
// object numbers did not catch (direct objects) or a hostile file.
const int kMaxDepth = 32;

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
    try
    {
        Walk(resources, 0);
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

void FontResourceNames::Walk(pdf_obj* resources, int depth)
{
    if (!resources || depth > kMaxDepth)
        return;
    int number = 0;
    int fontCount = 0;
    int formCount = 0;
    pdf_obj* fonts = nullptr;
    pdf_obj* forms = nullptr;
    EngineCall(mContext, [&] {
        number = pdf_is_indirect(mContext, resources) ? pdf_to_num(mContext, resources) : 0;
        fonts = pdf_dict_get(mContext, resources, PDF_NAME(Font));
        forms = pdf_dict_get(mContext, resources, PDF_NAME(XObject));
        fontCount = pdf_dict_len(mContext, fonts);
        formCount = pdf_dict_len(mContext, forms);
    });
    if (number > 0 && !mSeen.emplace(number, true).second)
        return;

    for (int i = 0; i < fontCount; ++i)
    {
        pdf_obj* key = nullptr;
        pdf_obj* font = nullptr;
        EngineCall(mContext, [&] {
            key = pdf_dict_get_key(mContext, fonts, i);
            font = pdf_dict_get_val(mContext, fonts, i);
        });
        // A font MuPDF cannot load shows no text either: skip it.
        try
        {
            Load(resources, key, font);
        }
        catch (const EngineError&)
        {
        }
    }
    for (int i = 0; i < formCount; ++i)
    {
        int formNumber = 0;
        pdf_obj* inner = FormXObjectResources(mContext, forms, i, formNumber);
        // Forms are remembered under negative numbers, resources under
        // positive ones.
        if (formNumber > 0 && !mSeen.emplace(-formNumber, true).second)
            continue;
        Walk(inner, depth + 1);
    }
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
