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
};

// Reads a document's bookmarks through the library and prints them, as an
// indented tree (two blanks per level, the page at the right) or as JSON.
class OutlinePrinter
{
public:
    static QList<OutlineItem> read(OmbrelPDFLibraryCPDylibCPP1311& library);
    static void printTree(const QList<OutlineItem>& items, QTextStream& out);
    static void printJson(const QList<OutlineItem>& items, QTextStream& out);
};
