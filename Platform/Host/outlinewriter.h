#pragma once

#include "outlineitem.h"

class OmbrelPDFLibraryCPDylibCPP1311;

// Replaces a document's bookmarks with a given outline through the library:
// the same titles, pages, nesting, open states and, where an item names one,
// destinations.
namespace OutlineWriter {
// Every page is checked before anything changes: an item pointing beyond the
// document throws a HostError naming source and the item's origin.
void replace(OmbrelPDFLibraryCPDylibCPP1311& library, const QList<OutlineItem>& items, const QString& source);
}
