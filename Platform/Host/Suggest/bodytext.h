#pragma once

#include "textstyle.h"

struct DocumentLines;

// The style running text is set in: the one with the most characters in
// lines of several words. Counting characters of prose, not glyphs, keeps
// music, formulas and tables from passing for the body.
struct BodyText
{
    TextStyle style;
    int characters = 0; // 0: the document has no prose

    static BodyText of(const DocumentLines& document);
    // A line of prose: three words of two letters or more.
    static bool isProse(const QString& text);
};
