#include "glyphadvances.h"

namespace {

// Enough for the fonts a manual uses page after page; few enough that the
// fonts held beside MuPDF's store take little memory.
const std::size_t kMostFonts = 32;

} // namespace

float GlyphAdvances::Of(fz_font* font, int gid)
{
    const Key key{font, gid};
    const auto known = mAdvances.find(key);
    if (known != mAdvances.end())
        return known->second;
    const float advance = fz_advance_glyph(mContext, font, gid, 0);
    if (!mFonts.count(font))
    {
        if (mFonts.size() >= kMostFonts)
            Forget();
        mFonts.insert(font);
        fz_keep_font(mContext, font);
    }
    mAdvances.emplace(key, advance);
    return advance;
}

void GlyphAdvances::Forget()
{
    mAdvances.clear();
    for (fz_font* font : mFonts)
        fz_drop_font(mContext, font);
    mFonts.clear();
}
