#include "outlinedestination.h"

#include "enginecall.h"

#include <algorithm>

namespace {

void PushCoordinates(fz_context* ctx, pdf_obj* dest, int type, int zoom, const double c[4])
{
    switch (static_cast<DestinationType>(type))
    {
    case DestinationType::XYZ:
        pdf_array_push_name(ctx, dest, "XYZ");
        pdf_array_push_real(ctx, dest, c[0]);
        pdf_array_push_real(ctx, dest, c[1]);
        // Zoom 0: the reader keeps its own.
        if (zoom > 0)
            pdf_array_push_real(ctx, dest, zoom / 100.0);
        else
            pdf_array_push(ctx, dest, PDF_NULL);
        break;
    case DestinationType::Fit:
        pdf_array_push_name(ctx, dest, "Fit");
        break;
    case DestinationType::FitH:
        pdf_array_push_name(ctx, dest, "FitH");
        pdf_array_push_real(ctx, dest, c[1]);
        break;
    case DestinationType::FitV:
        pdf_array_push_name(ctx, dest, "FitV");
        pdf_array_push_real(ctx, dest, c[0]);
        break;
    case DestinationType::FitR:
        // c1 left, c2 top, c3 right, c4 bottom; the array wants left,
        // bottom, right, top.
        pdf_array_push_name(ctx, dest, "FitR");
        pdf_array_push_real(ctx, dest, std::min(c[0], c[2]));
        pdf_array_push_real(ctx, dest, std::min(c[1], c[3]));
        pdf_array_push_real(ctx, dest, std::max(c[0], c[2]));
        pdf_array_push_real(ctx, dest, std::max(c[1], c[3]));
        break;
    case DestinationType::FitB:
        pdf_array_push_name(ctx, dest, "FitB");
        break;
    }
}

} // namespace

pdf_obj* NewDestination(const PdfDocument& document, int page, int type, int zoom, const double c[4])
{
    pdf_obj* pageObject = document.PageObject(page);
    if (!pageObject || type < static_cast<int>(DestinationType::XYZ) || type > static_cast<int>(DestinationType::FitB))
        return nullptr;
    fz_context* ctx = document.Context();
    pdf_obj* dest = nullptr;
    EngineCall(ctx, [&] {
        dest = pdf_new_array(ctx, document.Doc(), 6);
        fz_try(ctx)
        {
            pdf_array_push(ctx, dest, pageObject);
            PushCoordinates(ctx, dest, type, zoom, c);
        }
        fz_catch(ctx)
        {
            pdf_drop_obj(ctx, dest);
            fz_rethrow(ctx);
        }
    });
    return dest;
}

namespace {

// The item's explicit destination array: its /Dest, or its GoTo action's,
// with a named destination looked up; null when it has none.
pdf_obj* DestinationArray(const PdfDocument& document, pdf_obj* item)
{
    fz_context* ctx = document.Context();
    pdf_obj* dest = nullptr;
    EngineCall(ctx, [&] {
        dest = pdf_dict_get(ctx, item, PDF_NAME(Dest));
        if (!dest)
        {
            pdf_obj* action = pdf_dict_get(ctx, item, PDF_NAME(A));
            if (pdf_name_eq(ctx, pdf_dict_get(ctx, action, PDF_NAME(S)), PDF_NAME(GoTo)))
                dest = pdf_dict_get(ctx, action, PDF_NAME(D));
        }
        if (pdf_is_name(ctx, dest) || pdf_is_string(ctx, dest))
            dest = pdf_lookup_dest(ctx, document.Doc(), dest);
        if (pdf_is_dict(ctx, dest))
            dest = pdf_dict_get(ctx, dest, PDF_NAME(D));
        if (!pdf_is_array(ctx, dest))
            dest = nullptr;
    });
    return dest;
}

} // namespace

int DestinationPage(const PdfDocument& document, pdf_obj* item)
{
    fz_context* ctx = document.Context();
    pdf_obj* dest = DestinationArray(document, item);
    pdf_obj* target = nullptr;
    int index = -1;
    EngineCall(ctx, [&] {
        pdf_obj* first = pdf_array_get(ctx, dest, 0);
        if (pdf_is_int(ctx, first))
            index = pdf_to_int(ctx, first);
        else if (pdf_is_indirect(ctx, first))
            target = first;
    });
    if (target)
        return document.PageNumberOf(target);
    // Some producers write a page index where a page reference belongs; any
    // int may stand there, so no arithmetic before the range check.
    return index >= 0 && index < document.PageCount() ? index + 1 : 0;
}

DestinationView ReadDestination(const PdfDocument& document, pdf_obj* item)
{
    DestinationView view;
    pdf_obj* dest = DestinationArray(document, item);
    if (!dest)
        return view;
    fz_context* ctx = document.Context();
    EngineCall(ctx, [&] {
        static const std::pair<pdf_obj*, DestinationType> kinds[] = {
            {PDF_NAME(XYZ), DestinationType::XYZ},   {PDF_NAME(Fit), DestinationType::Fit},
            {PDF_NAME(FitH), DestinationType::FitH}, {PDF_NAME(FitV), DestinationType::FitV},
            {PDF_NAME(FitR), DestinationType::FitR}, {PDF_NAME(FitB), DestinationType::FitB}};
        pdf_obj* kind = pdf_array_get(ctx, dest, 1);
        for (const auto& [name, type] : kinds)
        {
            if (pdf_name_eq(ctx, kind, name))
                view.type = static_cast<int>(type);
        }
        for (int i = 2; i < pdf_array_len(ctx, dest); ++i)
            view.values.push_back(pdf_to_real(ctx, pdf_array_get(ctx, dest, i)));
    });
    return view;
}
