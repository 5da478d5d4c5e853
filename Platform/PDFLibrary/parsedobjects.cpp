#include "parsedobjects.h"

#include "enginecall.h"

#include <unordered_set>

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

void ParseObjectStreams(fz_context* ctx, pdf_document* doc, const std::function<bool()>& keepGoing)
{
    try
    {
        std::unordered_set<int> failed;
        int count = 0;
        EngineCall(ctx, [&] { count = pdf_xref_len(ctx, doc); });
        for (int number = 1; number < count; ++number)
        {
            pdf_xref_entry* entry = nullptr;
            EngineCall(ctx, [&] { entry = pdf_get_xref_entry_no_null(ctx, doc, number); });
            // An object of a stream parsed before is there already.
            if (entry->type != 'o' || entry->obj || failed.count(static_cast<int>(entry->ofs)))
                continue;
            if (!keepGoing())
                return;
            const int stream = static_cast<int>(entry->ofs);
            try
            {
                EngineCall(ctx, [&] { pdf_cache_object(ctx, doc, number); });
            }
            catch (const EngineError&)
            {
                // Each of its objects would try it again.
                failed.insert(stream);
            }
        }
    }
    catch (...)
    {
        // No memory, or a table that cannot be read: nothing was lost.
    }
}
