#include "pageglyphs.h"

#include "enginecall.h"
#include "fontresourcenames.h"
#include "glyphcollector.h"
#include "pagecontents.h"

namespace {

// The page's contents run in PDF user space: the inverse of MuPDF's page
// transform undoes its y-down, rotated view.
fz_matrix UserSpace(fz_context* ctx, pdf_obj* page)
{
    fz_matrix toView = fz_identity;
    EngineCall(ctx, [&] { toView = PageViewTransform(ctx, page); });
    return fz_invert_matrix(toView);
}

} // namespace

PageGlyphs CollectPageGlyphs(fz_context* ctx, pdf_document* doc, pdf_obj* page, GlyphAdvances& advances,
                             PageGlyphs reuse)
{
    if (!page)
        throw EngineError(EngineErrorCode::Engine, "no such page");
    FontResourceNames names(ctx, doc, page);
    GlyphCollector collector(names.Names(), advances, std::move(reuse.glyphs));
    collector.Run(ctx, doc, page, UserSpace(ctx, page));
    return collector.Take();
}
