#pragma once

#include "glyphadvances.h"
#include "pageglyphs.h"

#include <mupdf/pdf.h>

#include <map>
#include <string>
#include <vector>

// A MuPDF device that records every glyph the page shows, filled, stroked or
// invisible, in the coordinates it is run with. Font names come from the
// caller's table (the page's full resource names); fonts it does not know are
// named as MuPDF names them.
class GlyphCollector
{
public:
    // storage: emptied and filled, for its capacity. The advances are the
    // running thread's.
    GlyphCollector(std::map<fz_font*, std::string> fontNames, GlyphAdvances& advances,
                   std::vector<TextGlyph> storage = {});

    // Runs a page's contents (its dictionary) into the collector; throws
    // EngineError.
    void Run(fz_context* ctx, pdf_document* doc, pdf_obj* page, fz_matrix ctm);

    // Hands over what the run collected; the collector is empty afterwards.
    PageGlyphs Take();

    // Called from the device callbacks.
    void AddText(fz_context* ctx, const fz_text* text, fz_matrix ctm, unsigned colour);
    bool RepeatsLastText(const fz_text* text, fz_matrix ctm) const;

private:
    int FontIndex(fz_context* ctx, fz_font* font);

    std::map<fz_font*, std::string> mResourceNames;
    std::map<std::string, int> mNameIndex;
    std::map<fz_font*, int> mFontIndex;
    GlyphAdvances& mAdvances;
    std::vector<std::string> mNames;
    std::vector<TextGlyph> mGlyphs;
    // The last text recorded, kept (MuPDF changes no text once shown) and
    // compared by content: fill-and-stroke modes show the same text twice.
    // Never by address, which a freed text gives to the next one as the
    // allocator pleases.
    void RememberText(fz_context* ctx, const fz_text* text, fz_matrix ctm);
    void ForgetText(fz_context* ctx);
    const fz_text* mLastText = nullptr;
    fz_matrix mLastCtm = fz_identity;
    bool mFailed = false;
};
