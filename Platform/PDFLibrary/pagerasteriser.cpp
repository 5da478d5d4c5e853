#include "pagerasteriser.h"

#include "enginecall.h"
#include "fontresourcenames.h"
#include "formdraws.h"

namespace {

const double kMinDpi = 1;
const double kMaxDpi = 2400;
// A preview bigger than this (pixels) is a mistake, not a preview.
const double kMaxPixels = 200e6;

// Forms that fan out, drawn by the page or by its Type 3 glyphs, would hold
// the preview for hours: counted first, without drawing, as the text's are.
void CheckFormBudget(fz_context* ctx, pdf_document* doc, int pageNumber)
{
    pdf_obj* page = nullptr;
    long long draws = 0;
    EngineCall(ctx, [&] {
        page = pdf_lookup_page_obj(ctx, doc, pageNumber - 1);
        draws = CountFormDraws(ctx, doc, pdf_dict_get_inheritable(ctx, page, PDF_NAME(Resources)),
                               pdf_dict_get(ctx, page, PDF_NAME(Contents)), kMostFormsPerPage);
    });
    if (draws > kMostFormsPerPage)
        throw EngineError(EngineErrorCode::TooComplex, "the page draws too many forms to render");
    const FontResourceNames glyphsChecked(ctx, doc, page);
}

} // namespace

std::string RasterisePagePng(fz_context* ctx, pdf_document* doc, int pageNumber, double dpi)
{
    if (!(dpi >= kMinDpi && dpi <= kMaxDpi))
        throw EngineError(EngineErrorCode::Engine, "resolution out of range");
    CheckFormBudget(ctx, doc, pageNumber);
    fz_page* page = nullptr;
    fz_pixmap* pixmap = nullptr;
    fz_buffer* png = nullptr;
    std::string bytes;
    const char* data = nullptr;
    size_t size = 0;
    EngineCall(ctx, [&] {
        fz_var(page);
        fz_var(pixmap);
        fz_try(ctx)
        {
            page = fz_load_page(ctx, &doc->super, pageNumber - 1);
            const fz_matrix scale = fz_scale(static_cast<float>(dpi / 72.0), static_cast<float>(dpi / 72.0));
            const fz_rect bounds = fz_transform_rect(fz_bound_page(ctx, page), scale);
            if (static_cast<double>(bounds.x1 - bounds.x0) * (bounds.y1 - bounds.y0) > kMaxPixels)
                fz_throw(ctx, FZ_ERROR_GENERIC, "page too large to render at this resolution");
            pixmap = fz_new_pixmap_from_page(ctx, page, scale, fz_device_rgb(ctx), 0);
            png = fz_new_buffer_from_pixmap_as_png(ctx, pixmap, fz_default_color_params);
            unsigned char* raw = nullptr;
            size = fz_buffer_storage(ctx, png, &raw);
            data = reinterpret_cast<const char*>(raw);
        }
        fz_always(ctx)
        {
            fz_drop_pixmap(ctx, pixmap);
            fz_drop_page(ctx, page);
        }
        fz_catch(ctx)
        {
            fz_drop_buffer(ctx, png);
            fz_rethrow(ctx);
        }
    });
    try
    {
        bytes.assign(data, size);
    }
    catch (...)
    {
        fz_drop_buffer(ctx, png);
        throw;
    }
    fz_drop_buffer(ctx, png);
    return bytes;
}
