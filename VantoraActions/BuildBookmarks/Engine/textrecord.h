#pragma once

#include <QString>
#include <QStringList>

// One line of a page's extracted text: comma-separated fields with the font
// name, colour, size, coordinates and, from the twelfth field on, the text.
struct CTextRecord
{
    QString fontName;   // field 0 as read, double quotes kept
    QString colour;     // field 1
    double size = 0.0;  // field 2, points
    double left = 0.0;  // field 3, points
    double destLeft = 0.0; // field 9, points
    double destTop = 0.0;  // field 10, points
    QString text;       // field 11 to the end, commas kept, double quotes removed

    // Parses a record, repairing a quoted font field first. Short records
    // leave the missing fields empty or 0.
    static CTextRecord Parse(const QString& line);

    // A record that begins with a double quote has its font name run up to the
    // first quote-comma pair; commas inside that name become hyphens, wherever
    // the name recurs in the record.
    static QString RepairFontField(const QString& line);

    // The page's records: the lines up to and including the first empty one,
    // so the list always ends with one empty record.
    static QStringList SplitPage(const QString& pageText);
};
