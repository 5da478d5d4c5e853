#pragma once

#include <string>

// One shown glyph in PDF user space, as the line builder needs it.
struct TextGlyph
{
    std::u32string text;  // usually one character; more for ligatures
    int font = 0;         // index into the page's font names
    unsigned colour = 0;  // 0xrrggbb, each component rounded
    double size = 0;      // the glyph's height in points
    double originX = 0, originY = 0;   // where the baseline starts
    double dirX = 1, dirY = 0;         // unit vector along the baseline
    double advance = 0;                // length along the baseline
    double ascent = 0, descent = 0;    // above / below the baseline (descent <= 0)
};
