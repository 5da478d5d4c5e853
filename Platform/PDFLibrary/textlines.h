#pragma once

#include "textglyph.h"

#include <string>
#include <vector>

// One visual line: the glyphs that share a baseline, in reading order.
struct TextLine
{
    std::u32string text;   // one space per visible gap, never empty
    int font = 0;          // majority of the non-space glyphs
    unsigned colour = 0;   // likewise
    double size = 0;       // likewise
    // Lower-left, lower-right, upper-right, upper-left, x then y.
    double corners[8] = {};
};

// Groups glyphs (in content order) into lines, ordered by where each line
// first appears in the content. Lines of white space only are left out.
std::vector<TextLine> BuildTextLines(const std::vector<TextGlyph>& glyphs);
