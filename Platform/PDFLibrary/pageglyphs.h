#pragma once

#include "glyphadvances.h"
#include "textglyph.h"

#include <mupdf/pdf.h>

#include <string>
#include <vector>

// What a page shows as text: every glyph in PDF user space, and the names of
// the fonts the glyphs index. The only step of text extraction that reads
// the document; what follows works on this alone.
struct PageGlyphs
{
    std::vector<TextGlyph> glyphs;
    std::vector<std::string> fontNames;  // UTF-8
};

// Runs the contents of a page (its dictionary, which the caller keeps) into
// a GlyphCollector. The caller holds the document's access lock. `reuse`'s glyph storage is taken over,
// so that one who extracts page after page need not grow fresh memory for
// each (a page's glyphs take hundreds of kilobytes, which the system hands
// out page by page). Throws EngineError.
// `advances` are the calling thread's, made with ctx.
PageGlyphs CollectPageGlyphs(fz_context* ctx, pdf_document* doc, pdf_obj* page, GlyphAdvances& advances,
                             PageGlyphs reuse = {});
