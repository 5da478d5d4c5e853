#include "pageglyphs.h"

#include "enginecall.h"
#include "fontresourcenames.h"
#include "glyphcollector.h"

namespace {

// The page's contents run in PDF user space: the inverse of MuPDF's page
// transform undoes its y-down, rotated view.
fz_matrix UserSpace(fz_context* ctx, pdf_page* page)
{
    fz_matrix toDevice = fz_identity;
    EngineCall(ctx, [&] { pdf_page_transform(ctx, page, nullptr, &toDevice); });
    return fz_invert_matrix(toDevice);
}

class LoadedPage
{
public:
    LoadedPage(fz_context* ctx, pdf_document* doc, int index) : mContext(ctx)
    {
        EngineCall(ctx, [&] { mPage = pdf_load_page(ctx, doc, index); });
    }
    ~LoadedPage() { fz_drop_page(mContext, &mPage->super); }
    LoadedPage(const LoadedPage&) = delete;
    LoadedPage& operator=(const LoadedPage&) = delete;
    pdf_page* Get() const { return mPage; }

private:
    fz_context* mContext;
    pdf_page* mPage = nullptr;
};

} // namespace

PageGlyphs CollectPageGlyphs(fz_context* ctx, pdf_document* doc, int pageNumber)
{
    LoadedPage page(ctx, doc, pageNumber - 1);
    FontResourceNames names(ctx, doc, page.Get()->obj);
    GlyphCollector collector(names.Names());
    collector.Run(ctx, &page.Get()->super, UserSpace(ctx, page.Get()));
    return collector.Take();
}
