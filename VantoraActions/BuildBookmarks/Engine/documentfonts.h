#pragma once

#include <QStringList>

class OmbrelPDFLibraryCPDylibCPP1311;

// The fonts of the document, in the library's order: three parallel lists.
struct CDocumentFonts
{
    QStringList families;
    QStringList names;
    QStringList encodings;

    static CDocumentFonts Load(OmbrelPDFLibraryCPDylibCPP1311& library);
    static QString EncodingName(int code);
};
