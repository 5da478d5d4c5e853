#pragma once

#include <string>

// The library speaks UCS-4 (wide strings of 4-byte code units); MuPDF and the
// file system speak UTF-8. Invalid input becomes U+FFFD, never an error.
std::string Utf8FromUcs4(const std::wstring& text);
std::wstring Ucs4FromUtf8(const std::string& text);
