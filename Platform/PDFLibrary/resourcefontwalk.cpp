#include "resourcefontwalk.h"

#include "enginecall.h"

#include <utility>

namespace {

// Deeper nesting of forms is not worth following: it is either a cycle the
// object numbers did not catch (direct objects) or a hostile file.
const int kMaxDepth = 32;

} // namespace

ResourceFontWalk::ResourceFontWalk(fz_context* ctx, Visitor visit)
    : mContext(ctx), mVisit(std::move(visit))
{
}

void ResourceFontWalk::Walk(pdf_obj* resources, int depth)
{
    if (!resources || depth > kMaxDepth)
        return;
    int number = 0, fontCount = 0, formCount = 0;
    pdf_obj* fonts = nullptr;
    pdf_obj* forms = nullptr;
    EngineCall(mContext, [&] {
        number = pdf_is_indirect(mContext, resources) ? pdf_to_num(mContext, resources) : 0;
        fonts = pdf_dict_get(mContext, resources, PDF_NAME(Font));
        forms = pdf_dict_get(mContext, resources, PDF_NAME(XObject));
        fontCount = pdf_dict_len(mContext, fonts);
        formCount = pdf_dict_len(mContext, forms);
    });
    if (number > 0 && !mSeenResources.insert(number).second)
        return;
    for (int i = 0; i < fontCount; ++i)
    {
        ResourceFont entry{resources, nullptr, nullptr, 0};
        EngineCall(mContext, [&] {
            entry.key = pdf_dict_get_key(mContext, fonts, i);
            entry.font = pdf_dict_get_val(mContext, fonts, i);
            entry.number = pdf_is_indirect(mContext, entry.font) ? pdf_to_num(mContext, entry.font) : 0;
        });
        if (entry.number > 0 && !mSeenFonts.insert(entry.number).second)
            continue;
        mVisit(entry);
    }
    for (int i = 0; i < formCount; ++i)
        Walk(UnseenFormResources(forms, i), depth + 1);
}

pdf_obj* ResourceFontWalk::UnseenFormResources(pdf_obj* xobjects, int index)
{
    pdf_obj* resources = nullptr;
    int number = 0;
    EngineCall(mContext, [&] {
        pdf_obj* form = pdf_dict_get_val(mContext, xobjects, index);
        number = pdf_is_indirect(mContext, form) ? pdf_to_num(mContext, form) : 0;
        if (pdf_name_eq(mContext, pdf_dict_get(mContext, form, PDF_NAME(Subtype)), PDF_NAME(Form)))
            resources = pdf_dict_get(mContext, form, PDF_NAME(Resources));
    });
    if (number > 0 && !mSeenForms.insert(number).second)
        return nullptr;
    return resources;
}
