#pragma once

#include <string>

// The library speaks UCS-4 (wide strings of 4-byte code units); MuPDF and the
// file system speak UTF-8. Invalid input becomes U+FFFD, never an error.
std::string Utf8FromUcs4(const std::wstring& text);
std::wstring Ucs4FromUtf8(const std::string& text);

// A file name for the file system: UTF-8, but U+DC80 to U+DCFF stand for the
// bytes 0x80 to 0xFF of a name that is not UTF-8 (caf\xe9.pdf, written in
// Latin-1), as callers that read names as bytes hand them over.
std::string FileNameBytes(const std::wstring& name);
