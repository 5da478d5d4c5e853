#pragma once

#include "textstyle.h"

#include <QVector>

struct BodyText;
struct DocumentLines;
enum class LineFault;

// A style that sets headings: larger than the body or a bold face of its
// size, its faultless lines short, few to a page and followed by text.
struct HeadingStyle
{
    TextStyle style;
    QVector<int> headings; // the lines that start a title
    bool joinsOnly = false; // program text or slanted: titles only beside a heading style of its size

    // The heading styles of a document, largest first.
    static QVector<HeadingStyle> find(const DocumentLines& document, const BodyText& body,
                                      const QVector<LineFault>& faults);
};
