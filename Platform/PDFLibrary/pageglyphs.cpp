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

// The page dictionary, kept for the length of the run.
class PageObject
{
public:
    PageObject(fz_context* ctx, pdf_document* doc, int index) : mContext(ctx)
    {
        EngineCall(ctx, [&] { mObject = pdf_keep_obj(ctx, pdf_lookup_page_obj(ctx, doc, index)); });
    }
    ~PageObject() { pdf_drop_obj(mContext, mObject); }
    PageObject(const PageObject&) = delete;
    PageObject& operator=(const PageObject&) = delete;
    pdf_obj* Get() const { return mObject; }

private:
    fz_context* mContext;
    pdf_obj* mObject = nullptr;
};

} // namespace

PageGlyphs CollectPageGlyphs(fz_context* ctx, pdf_document* doc, int pageNumber, PageGlyphs reuse)
{
    PageObject page(ctx, doc, pageNumber - 1);
    FontResourceNames names(ctx, doc, page.Get());
    GlyphCollector collector(names.Names(), std::move(reuse.glyphs));
    collector.Run(ctx, doc, page.Get(), UserSpace(ctx, page.Get()));
    return collector.Take();
}
