#pragma once

#include <QString>

class OmbrelPDFLibraryCPDylibCPP1311;

// A page whose text the library left out because reading it takes more work
// than a page may: it answers empty text and this error code. The plug-in
// never asks for the code, so the host tells the user.
namespace SkippedPage {

constexpr int ErrorCode = 10;

// Whether the text just read was left out so.
bool wasSkipped(OmbrelPDFLibraryCPDylibCPP1311& library);

// The warning on standard error, one line.
void warn(int page);

} // namespace SkippedPage
