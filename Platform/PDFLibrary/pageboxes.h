#pragma once

#include <mupdf/pdf.h>

// The page boxes of GetPageBox, in PDF user space (points, y upwards).
enum class PageBoxKind { Media = 1, Crop = 2, Bleed = 3, Trim = 4, Art = 5 };

// The dimensions GetPageBox answers for a box.
enum class BoxDimension { Left = 0, Top = 1, Width = 2, Height = 3, Right = 4, Bottom = 5 };

// The box as a reader sees it: inherited from the page tree, normalised,
// clipped to the media box, with the defaults of missing boxes (crop box
// from the media box, the others from the crop box). Throws EngineError.
fz_rect PageBox(fz_context* ctx, pdf_obj* page, PageBoxKind kind);

// One measurement of a box; 0 for an unknown dimension.
double BoxMeasure(const fz_rect& box, int dimension);
