#include "parsedobjects.h"

void MarkParsedObjects(fz_context* ctx, pdf_document* doc)
{
    pdf_mark_xref(ctx, doc);
}

void DropParsedObjects(fz_context* ctx, pdf_document* doc)
{
    for (int section = 0; section < doc->num_xref_sections; ++section)
        for (pdf_xref_subsec* sub = doc->xref_sections[section].subsec; sub; sub = sub->next)
            for (int i = 0; i < sub->len; ++i)
            {
                pdf_xref_entry& entry = sub->table[i];
                // An object whose stream was replaced in memory has no
                // other copy.
                if (entry.obj && !entry.marked && entry.type != 'o' && !entry.stm_buf
                    && pdf_obj_refs(ctx, entry.obj) == 1)
                {
                    pdf_drop_obj(ctx, entry.obj);
                    entry.obj = nullptr;
                }
            }
}
