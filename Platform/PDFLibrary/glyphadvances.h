#pragma once

#include <mupdf/fitz.h>

#include <unordered_map>
#include <unordered_set>

// The advances of the glyphs one thread shows, kept from page to page.
// MuPDF asks FreeType for each under its FreeType lock, which every thread
// shares: threads that each asked again on every page spent their time
// waiting for one another. A font is held while its advances are kept, so
// that no other font can take its address; past a few dozen fonts (a
// manual of thousands of embedded fonts) all are let go and counted anew.
class GlyphAdvances
{
public:
    explicit GlyphAdvances(fz_context* ctx) : mContext(ctx) {}
    ~GlyphAdvances() { Forget(); }
    GlyphAdvances(const GlyphAdvances&) = delete;
    GlyphAdvances& operator=(const GlyphAdvances&) = delete;

    // The advance of a glyph, in ems. A MuPDF call: throws MuPDF errors,
    // and std::bad_alloc.
    float Of(fz_font* font, int gid);

private:
    void Forget();

    struct Key
    {
        fz_font* font;
        int gid;
        bool operator==(const Key& other) const { return font == other.font && gid == other.gid; }
    };
    struct KeyHash
    {
        std::size_t operator()(const Key& key) const
        {
            return std::hash<const void*>()(key.font) ^ std::size_t(key.gid) * 0x9e3779b97f4a7c15ull;
        }
    };

    fz_context* mContext;
    std::unordered_map<Key, float, KeyHash> mAdvances;
    std::unordered_set<fz_font*> mFonts;  // held
};
