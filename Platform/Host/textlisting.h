#pragma once

class OmbrelPDFLibraryCPDylibCPP1311;
class QTextStream;

// `vantora text`: the text lines the plug-in tests, as CSV (RFC 4180, a
// header naming every column, the page in the first) or as JSON.
namespace TextListing {
// page 0: every page. A page beyond the document throws a HostError.
void printCsv(OmbrelPDFLibraryCPDylibCPP1311& library, int page, QTextStream& out);
void printJson(OmbrelPDFLibraryCPDylibCPP1311& library, int page, QTextStream& out);
}
