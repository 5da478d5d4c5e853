#pragma once

#include "pageglyphs.h"

#include <mupdf/pdf.h>

#include <map>
#include <unordered_map>
#include <string>
#include <vector>

// A MuPDF device that records every glyph the page shows, filled, stroked or
// invisible, in the coordinates it is run with. Font names come from the
// caller's table (the page's full resource names); fonts it does not know are
// named as MuPDF names them.
class GlyphCollector
{
public:
    // storage: emptied and filled, for its capacity.
    GlyphCollector(std::map<fz_font*, std::string> fontNames, std::vector<TextGlyph> storage = {});

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
    // fz_advance_glyph takes MuPDF's FreeType lock, which all threads
    // share: asked once per glyph of the page instead of once per glyph
    // shown, it leaves the threads extracting pages nothing to wait for.
    float Advance(fz_context* ctx, fz_font* font, int gid);

    std::map<fz_font*, std::string> mResourceNames;
    std::map<std::string, int> mNameIndex;
    std::map<fz_font*, int> mFontIndex;
    // By font and glyph id: fonts of one name may differ (subsets).
    struct GlyphKey
    {
        fz_font* font;
        int gid;
        bool operator==(const GlyphKey& other) const { return font == other.font && gid == other.gid; }
    };
    struct GlyphKeyHash
    {
        std::size_t operator()(const GlyphKey& key) const
        {
            return std::hash<const void*>()(key.font) ^ std::size_t(key.gid) * 0x9e3779b97f4a7c15ull;
        }
    };
    std::unordered_map<GlyphKey, float, GlyphKeyHash> mAdvances;
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
