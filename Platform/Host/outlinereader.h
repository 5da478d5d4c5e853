#pragma once

#include "outlineitem.h"

class OmbrelPDFLibraryCPDylibCPP1311;

// The document's bookmarks as the library holds them: titles, pages, open
// states and destinations, nested.
namespace OutlineReader {
QList<OutlineItem> read(OmbrelPDFLibraryCPDylibCPP1311& library);
}
