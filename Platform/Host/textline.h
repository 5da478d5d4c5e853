#pragma once

#include <QList>
#include <QStringList>

class OmbrelPDFLibraryCPDylibCPP1311;

// One text line of a page as the library's record gives it: font, colour,
// size, the four corners of the line's box (lower-left, lower-right,
// upper-right, upper-left, each x then y, in points) and the text. Numbers
// are kept as the library wrote them.
struct TextLine
{
    QString font;
    QString colour;
    QString size;
    QStringList corners; // eight numbers
    QString text;

    // False for a record too short to be a line.
    static bool parse(const QString& record, TextLine* line);
    // The lines of one page (1-based).
    static QList<TextLine> ofPage(OmbrelPDFLibraryCPDylibCPP1311& library, int page);
    // "lower_left" ...: the corners' names, in the records' order.
    static const QStringList& cornerNames();
};
