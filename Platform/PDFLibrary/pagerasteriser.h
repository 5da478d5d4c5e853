#pragma once

#include <mupdf/pdf.h>

#include <string>

// A page (1-based) as PNG bytes at the given resolution, annotations
// included, as a reader shows it. Throws EngineError; resolutions outside
// what a preview needs are refused rather than allocated.
std::string RasterisePagePng(fz_context* ctx, pdf_document* doc, int pageNumber, double dpi);
