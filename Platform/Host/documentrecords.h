#pragma once

#include <QList>
#include <QStringList>

class OmbrelPDFLibraryCPDylibCPP1311;

// The text records of every page, in one pass over the document, as the
// engine reads them: one string per record, empty ones keeping their place.
namespace DocumentRecords {

QList<QStringList> read(OmbrelPDFLibraryCPDylibCPP1311& library);

} // namespace DocumentRecords
