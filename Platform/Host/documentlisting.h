#pragma once

class OmbrelPDFLibraryCPDylibCPP1311;
class QTextStream;

// What a user looks at before writing a level: the text records the plug-in
// will test, and the fonts and text styles the document uses.
class DocumentListing
{
public:
    explicit DocumentListing(OmbrelPDFLibraryCPDylibCPP1311& library) : mLibrary(library) {}

    // The records of one page, or of every page when page is 0, each page
    // introduced by a "# page N" line.
    void printText(int page, QTextStream& out);
    // The font catalogue, then every style (font, size, colour) with its
    // number of records and a first example, largest size first.
    void printFonts(QTextStream& out);

private:
    OmbrelPDFLibraryCPDylibCPP1311& mLibrary;
};
