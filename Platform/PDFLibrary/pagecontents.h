#pragma once

#include <mupdf/pdf.h>

// Runs a page's content stream into a text-collecting device (images and
// shadings are neither loaded nor shown), as MuPDF runs a loaded page's
// contents (the page's transform, its default colour spaces and the
// document's output intent), but straight from the page dictionary: loading
// the page would also parse its links and annotations, and resolving the
// links' named destinations costs more than a text run needs in all.
// A MuPDF call: throws MuPDF errors, to be called inside fz_try.
void RunPageContents(fz_context* ctx, pdf_document* doc, pdf_obj* page, fz_device* dev, fz_matrix ctm);

// The page's transform to MuPDF's y-down, rotated view; its inverse leads
// back to PDF user space. Likewise a MuPDF call.
fz_matrix PageViewTransform(fz_context* ctx, pdf_obj* page);
