#include "fontcatalogue.h"

FontCatalogue FontCatalogue::Collect(fz_context*, pdf_document*)
{
    return FontCatalogue();
}

int FontCatalogue::IdAt(int index) const
{
    return index >= 1 && index <= Count() ? mFonts[static_cast<std::size_t>(index - 1)].id : 0;
}

const FontEntry* FontCatalogue::Find(int id) const
{
    for (const FontEntry& font : mFonts)
        if (font.id == id)
            return &font;
    return nullptr;
}
