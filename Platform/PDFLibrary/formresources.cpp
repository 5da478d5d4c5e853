#include "formresources.h"

#include "enginecall.h"

pdf_obj* FormXObjectResources(fz_context* ctx, pdf_obj* xobjects, int index, int& objectNumber)
{
    pdf_obj* resources = nullptr;
    objectNumber = 0;
    EngineCall(ctx, [&] {
        pdf_obj* form = pdf_dict_get_val(ctx, xobjects, index);
        objectNumber = pdf_is_indirect(ctx, form) ? pdf_to_num(ctx, form) : 0;
        if (pdf_name_eq(ctx, pdf_dict_get(ctx, form, PDF_NAME(Subtype)), PDF_NAME(Form)))
            resources = pdf_dict_get(ctx, form, PDF_NAME(Resources));
    });
    return resources;
}
