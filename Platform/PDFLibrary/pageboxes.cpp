#include "pageboxes.h"

#include "enginecall.h"

#include <algorithm>

namespace {

// US Letter: what readers show for a page without a usable media box.
const fz_rect kDefaultMediaBox = {0, 0, 612, 792};

bool IsUsable(const fz_rect& box)
{
    return box.x1 > box.x0 && box.y1 > box.y0;
}

fz_rect Normalised(fz_rect box)
{
    if (box.x0 > box.x1)
        std::swap(box.x0, box.x1);
    if (box.y0 > box.y1)
        std::swap(box.y0, box.y1);
    return box;
}

pdf_obj* BoxKey(PageBoxKind kind)
{
    switch (kind)
    {
    case PageBoxKind::Media: return PDF_NAME(MediaBox);
    case PageBoxKind::Crop: return PDF_NAME(CropBox);
    case PageBoxKind::Bleed: return PDF_NAME(BleedBox);
    case PageBoxKind::Trim: return PDF_NAME(TrimBox);
    case PageBoxKind::Art: return PDF_NAME(ArtBox);
    }
    return PDF_NAME(MediaBox);
}

// The box's own entry, or an empty rectangle when the page has none. Media
// and crop boxes are inheritable, the others are not.
fz_rect ReadBox(fz_context* ctx, pdf_obj* page, PageBoxKind kind)
{
    fz_rect box = fz_empty_rect;
    EngineCall(ctx, [&] {
        pdf_obj* entry = (kind == PageBoxKind::Media || kind == PageBoxKind::Crop)
            ? pdf_dict_get_inheritable(ctx, page, BoxKey(kind))
            : pdf_dict_get(ctx, page, BoxKey(kind));
        if (pdf_is_array(ctx, entry) && pdf_array_len(ctx, entry) == 4)
            box = Normalised(pdf_to_rect(ctx, entry));
    });
    return box;
}

} // namespace

fz_rect PageBox(fz_context* ctx, pdf_obj* page, PageBoxKind kind)
{
    fz_rect media = ReadBox(ctx, page, PageBoxKind::Media);
    if (!IsUsable(media))
        media = kDefaultMediaBox;
    if (kind == PageBoxKind::Media)
        return media;

    fz_rect crop = fz_intersect_rect(ReadBox(ctx, page, PageBoxKind::Crop), media);
    if (!IsUsable(crop))
        crop = media;
    if (kind == PageBoxKind::Crop)
        return crop;

    fz_rect box = fz_intersect_rect(ReadBox(ctx, page, kind), crop);
    return IsUsable(box) ? box : crop;
}

double BoxMeasure(const fz_rect& box, int dimension)
{
    switch (static_cast<BoxDimension>(dimension))
    {
    case BoxDimension::Left: return box.x0;
    case BoxDimension::Top: return box.y1;
    case BoxDimension::Width: return box.x1 - box.x0;
    case BoxDimension::Height: return box.y1 - box.y0;
    case BoxDimension::Right: return box.x1;
    case BoxDimension::Bottom: return box.y0;
    }
    return 0.0;
}
