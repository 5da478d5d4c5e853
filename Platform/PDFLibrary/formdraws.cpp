#include "formdraws.h"

#include <algorithm>
#include <new>
#include <unordered_map>
#include <vector>

namespace {

// Deeper than this a form's own forms are not read: it counts as one.
const std::size_t kDeepestNesting = 64;

struct Tally
{
    pdf_document* doc;
    long long limit;
    std::unordered_map<int, long long> known;  // by the form's object number
    std::vector<long long> reading;            // a count per stream being read
};

// A processor that does nothing but count the forms the stream draws.
struct CountingProcessor
{
    pdf_processor super;
    Tally* tally;
};

// Called by MuPDF, from C: no C++ object lives in this frame across a MuPDF
// call, and no C++ exception leaves it.
void CountForm(fz_context* ctx, pdf_processor* proc, const char*, pdf_obj* form, pdf_obj* outerResources)
{
    Tally& tally = *reinterpret_cast<CountingProcessor*>(proc)->tally;
    const int number = pdf_to_num(ctx, form);
    long long draws = 0;
    const auto known = tally.known.find(number);
    if (known != tally.known.end())
        draws = known->second;
    else if (tally.reading.size() < kDeepestNesting)
    {
        bool stored = false;
        try
        {
            tally.known.emplace(number, 0);
            tally.reading.push_back(0);
            stored = true;
        }
        catch (const std::bad_alloc&)
        {
        }
        if (!stored)
            fz_throw(ctx, FZ_ERROR_MEMORY, "out of memory counting forms");
        pdf_obj* resources = pdf_dict_get(ctx, form, PDF_NAME(Resources));
        pdf_process_contents(ctx, proc, tally.doc, resources ? resources : outerResources, form, nullptr);
        draws = tally.reading.back();
        tally.reading.pop_back();
        tally.known.find(number)->second = draws;
    }
    long long& total = tally.reading.back();
    total = std::min(tally.limit + 1, total + 1 + draws);
    if (total > tally.limit)
        fz_throw(ctx, FZ_ERROR_ABORT, "more than %lld forms drawn", tally.limit);
}

} // namespace

long long CountFormDraws(fz_context* ctx, pdf_document* doc, pdf_obj* resources, pdf_obj* contents, long long limit)
{
    Tally* tally = nullptr;
    pdf_processor* processor = nullptr;
    volatile long long draws = 0;
    fz_var(tally);
    fz_var(processor);
    fz_try(ctx)
    {
        tally = new (std::nothrow) Tally{doc, limit, {}, {}};
        bool ready = tally != nullptr;
        try
        {
            if (ready)
                tally->reading.reserve(kDeepestNesting), tally->reading.push_back(0);
        }
        catch (const std::bad_alloc&)
        {
            ready = false;
        }
        if (!ready)
            fz_throw(ctx, FZ_ERROR_MEMORY, "out of memory counting forms");
        processor = static_cast<pdf_processor*>(pdf_new_processor(ctx, sizeof(CountingProcessor)));
        reinterpret_cast<CountingProcessor*>(processor)->tally = tally;
        processor->usage = "View";
        processor->op_Do_form = CountForm;
        pdf_process_contents(ctx, processor, doc, resources, contents, nullptr);
        draws = tally->reading.front();
    }
    fz_always(ctx)
    {
        pdf_drop_processor(ctx, processor);
        delete tally;
    }
    fz_catch(ctx)
    {
        if (fz_caught(ctx) != FZ_ERROR_ABORT)
            fz_rethrow(ctx);
        draws = limit + 1;
    }
    return draws;
}
