#pragma once

#include <QString>

// One text record of a page as the engine reads it: the font as the record
// names it, the colour, the size, the line's box and the text with its
// double quotes removed. Only what telling headings apart needs.
struct RecordLine
{
    int page = 0;  // 1-based
    int index = 0; // the record's place on its page, as the engine counts
    QString font;  // as in the record, subset prefix and all
    QString colour;
    double size = 0.0;
    double left = 0.0;
    double right = 0.0;
    double top = 0.0; // page coordinates grow upwards
    QString text;

    // False for a record too short to carry text.
    static bool parse(const QString& record, int page, int index, RecordLine* line);
};
