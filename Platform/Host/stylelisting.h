#pragma once

class OmbrelPDFLibraryCPDylibCPP1311;
class QTextStream;

// `vantora fonts`: the text styles a level can pick, largest first: each
// size, font (subset prefix removed, so a font's many subsets are one row)
// and colour, with its number of lines, its pages and an example. With
// fonts, the document's font list follows.
namespace StyleListing {
void print(OmbrelPDFLibraryCPDylibCPP1311& library, bool fonts, QTextStream& out);
void printJson(OmbrelPDFLibraryCPDylibCPP1311& library, bool fonts, QTextStream& out);
}
