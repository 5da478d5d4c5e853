#pragma once

#include "pageglyphs.h"

#include <string>

// The text records of a page's glyphs, one visual line each, separated by
// line feeds: font name (in double quotes when it holds a comma), colour as
// #rrggbb, size, the four corners of the line's box in PDF user space
// (lower-left, lower-right, upper-right, upper-left), then the text. Reads
// no document.
std::wstring FormatTextRecords(const PageGlyphs& page);
