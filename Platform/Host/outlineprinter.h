#pragma once

#include <QList>
#include <QString>

class OmbrelPDFLibraryCPDylibCPP1311;
class QTextStream;

struct OutlineItem
{
    QString title;
    int page = 0;
    QList<OutlineItem> children;
    // Bookmarks nested below this one deeper than the reader goes.
    int deeperNotRead = 0;
};

// Reads a document's bookmarks through the library and prints them, as an
// indented tree (two blanks per level, the page at the right) or as JSON.
// Levels below the hundredth are counted, not read: every printed line of
// them would be mostly indentation, and nesting that deep is damage or
// hostility. The printouts say how many were left out, and where.
class OutlinePrinter
{
public:
    static constexpr int MaxDepth = 100;

    static QList<OutlineItem> read(OmbrelPDFLibraryCPDylibCPP1311& library);
    static void printTree(const QList<OutlineItem>& items, QTextStream& out);
    static void printJson(const QList<OutlineItem>& items, QTextStream& out);
};
