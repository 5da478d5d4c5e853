#include "parsedobjects.h"

void MarkParsedObjects(fz_context* ctx, pdf_document* doc)
{
    pdf_mark_xref(ctx, doc);
}

namespace {

// Every page looks its inherited attributes up through the page tree's
// nodes, and a flat tree's one node lists every page: parsed again after
// each drop, it would make reading the pages quadratic. Compared by
// pointer, as MuPDF keeps the names it knows: nothing is resolved, so
// nothing can fail.
bool IsPageTreeNode(fz_context* ctx, pdf_obj* object)
{
    return !pdf_is_indirect(ctx, object) && pdf_is_dict(ctx, object)
        && pdf_dict_get(ctx, object, PDF_NAME(Type)) == PDF_NAME(Pages);
}

} // namespace

void DropParsedObjects(fz_context* ctx, pdf_document* doc)
{
    for (int section = 0; section < doc->num_xref_sections; ++section)
        for (pdf_xref_subsec* sub = doc->xref_sections[section].subsec; sub; sub = sub->next)
            for (int i = 0; i < sub->len; ++i)
            {
                pdf_xref_entry& entry = sub->table[i];
                // An object whose stream was replaced in memory has no
                // other copy.
                if (!entry.obj || entry.marked || entry.type == 'o' || entry.stm_buf
                    || pdf_obj_refs(ctx, entry.obj) != 1)
                    continue;
                if (IsPageTreeNode(ctx, entry.obj))
                {
                    entry.marked = 1;
                    continue;
                }
                pdf_drop_obj(ctx, entry.obj);
                entry.obj = nullptr;
            }
}
