#include "pagecontents.h"

#include "formdraws.h"

namespace {

// Forms a page draws before they are counted without drawing: most pages
// never get there, and a fan-out stops here rather than at the budget.
const long long kFormsBeforeCount = 10000;

// The budget of the page run on this thread. MuPDF's processor has no room
// for a caller's data, and one thread runs one page at a time.
struct FormBudget
{
    void (*draw)(fz_context*, pdf_processor*, const char*, pdf_obj*, pdf_obj*);
    long long left;
    pdf_document* doc;
    pdf_obj* resources;
    pdf_obj* contents;
};
thread_local FormBudget* tBudget = nullptr;

void DrawFormWithinBudget(fz_context* ctx, pdf_processor* proc, const char* name, pdf_obj* form, pdf_obj* resources)
{
    FormBudget& budget = *tBudget;
    if (budget.left == kMostFormsPerPage - kFormsBeforeCount
        && CountFormDraws(ctx, budget.doc, budget.resources, budget.contents, kMostFormsPerPage) > kMostFormsPerPage)
        budget.left = 0;
    if (budget.left <= 0)
        fz_throw(ctx, FZ_ERROR_ABORT, "the page draws more than %lld forms", kMostFormsPerPage);
    --budget.left;
    budget.draw(ctx, proc, name, form, resources);
}

} // namespace

fz_matrix PageViewTransform(fz_context* ctx, pdf_obj* page)
{
    fz_rect mediabox;
    fz_matrix toView = fz_identity;
    pdf_page_obj_transform(ctx, page, &mediabox, &toView);
    return toView;
}

void RunPageContents(fz_context* ctx, pdf_document* doc, pdf_obj* page, fz_device* dev, fz_matrix ctm)
{
    fz_default_colorspaces* fresh = nullptr;
    fz_default_colorspaces* defaults = nullptr;
    pdf_processor* processor = nullptr;
    FormBudget budget{nullptr, kMostFormsPerPage, doc, nullptr, nullptr};
    fz_var(fresh);
    fz_var(defaults);
    fz_var(processor);
    fz_try(ctx)
    {
        pdf_obj* resources = pdf_dict_get_inheritable(ctx, page, PDF_NAME(Resources));
        // In MuPDF's order: the page's DefaultGray, DefaultRGB and
        // DefaultCMYK first, then the output intent over what they left.
        fresh = fz_new_default_colorspaces(ctx);
        defaults = pdf_update_default_colorspaces(ctx, fresh, resources);
        if (fz_colorspace* intent = pdf_document_output_intent(ctx, doc))
            fz_set_default_output_intent(ctx, defaults, intent);
        fz_set_default_colorspaces(ctx, dev, defaults);

        const fz_matrix toUser = fz_concat(PageViewTransform(ctx, page), ctm);
        processor = pdf_new_run_processor(ctx, dev, toUser, "View", nullptr, defaults, nullptr);
        // Only text is collected: MuPDF loads an image or a shading only for
        // a processor that draws it, and drawing one changes no text.
        processor->op_Do_image = nullptr;
        processor->op_sh = nullptr;
        budget.resources = resources;
        budget.contents = pdf_dict_get(ctx, page, PDF_NAME(Contents));
        if (processor->op_Do_form)
        {
            budget.draw = processor->op_Do_form;
            processor->op_Do_form = DrawFormWithinBudget;
            tBudget = &budget;
        }
        // Resources first, then the contents, whatever the header's
        // parameter names say.
        pdf_process_contents(ctx, processor, doc, resources, budget.contents, nullptr);
        pdf_close_processor(ctx, processor);
    }
    fz_always(ctx)
    {
        tBudget = nullptr;
        pdf_drop_processor(ctx, processor);
        fz_drop_default_colorspaces(ctx, defaults);
        fz_drop_default_colorspaces(ctx, fresh);
    }
    fz_catch(ctx)
        fz_rethrow(ctx);
}
