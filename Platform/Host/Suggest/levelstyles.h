#pragma once

#include "textstyle.h"

#include <QVector>

struct BodyText;
struct HeadingStyle;

// The styles that set one level: styles that differ in size by less than
// the eye sees or only in font, and program text of their size.
struct LevelStyles
{
    QVector<TextStyle> styles; // the one most titles have first
    bool bodySize = false;     // at the body's size: the font tells the titles
    int titles = 0;            // of the style with most

    // The heading styles as levels, largest first, four at most.
    static QVector<LevelStyles> group(const QVector<HeadingStyle>& styles, const BodyText& body);
};
