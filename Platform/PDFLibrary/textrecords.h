#pragma once

#include "pageglyphs.h"

#include <mupdf/pdf.h>

#include <string>

// The text records of a page (1-based), one visual line each, separated by
// line feeds: font name (in double quotes when it holds a comma), colour as
// #rrggbb, size, the four corners of the line's box in PDF user space
// (lower-left, lower-right, upper-right, upper-left), then the text.
// Throws EngineError.
std::wstring PageTextRecords(fz_context* ctx, pdf_document* doc, int pageNumber);

// The same records made of glyphs already collected; reads no document.
std::wstring FormatTextRecords(const PageGlyphs& page);
