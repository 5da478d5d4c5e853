#pragma once

#include <cstddef>
#include <string>

// Outline titles are PDF text strings: PDFDocEncoding, or UTF-16 or UTF-8
// behind a byte order mark. Both directions go by length, not by a
// terminator, so a NUL inside a title is kept like any other character.
std::wstring Ucs4FromTextString(const char* bytes, std::size_t length);
// PDFDocEncoding when every character has its own code there, else UTF-16BE.
std::string TextStringFromUcs4(const std::wstring& text);
