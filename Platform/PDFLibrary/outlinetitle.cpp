#include "outlinetitle.h"

#include "ucs4text.h"

#include <mupdf/fitz.h>

namespace {

const wchar_t kReplacement = 0xFFFD;

bool StartsWith(const char* bytes, std::size_t length, const char* mark, std::size_t markLength)
{
    return length >= markLength && std::char_traits<char>::compare(bytes, mark, markLength) == 0;
}

unsigned char Byte(const char* bytes, std::size_t at)
{
    return static_cast<unsigned char>(bytes[at]);
}

std::wstring FromUtf16(const char* bytes, std::size_t length, bool bigEndian)
{
    std::wstring text;
    auto unit = [&](std::size_t at) {
        return bigEndian ? (Byte(bytes, at) << 8 | Byte(bytes, at + 1)) : (Byte(bytes, at + 1) << 8 | Byte(bytes, at));
    };
    for (std::size_t at = 2; at + 1 < length; at += 2)
    {
        const unsigned high = static_cast<unsigned>(unit(at));
        if (high >= 0xD800 && high < 0xDC00 && at + 3 < length)
        {
            const unsigned low = static_cast<unsigned>(unit(at + 2));
            if (low >= 0xDC00 && low < 0xE000)
            {
                text += static_cast<wchar_t>(0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00));
                at += 2;
                continue;
            }
        }
        text += high >= 0xD800 && high < 0xE000 ? kReplacement : static_cast<wchar_t>(high);
    }
    return text;
}

bool HasOwnDocCode(wchar_t c)
{
    return c >= 0 && c < 256 && fz_unicode_from_pdf_doc_encoding[c] == static_cast<unsigned short>(c);
}

void AppendUtf16Unit(std::string& out, unsigned unit)
{
    out += static_cast<char>(unit >> 8);
    out += static_cast<char>(unit & 0xFF);
}

} // namespace

std::wstring Ucs4FromTextString(const char* bytes, std::size_t length)
{
    if (StartsWith(bytes, length, "\xFE\xFF", 2))
        return FromUtf16(bytes, length, true);
    if (StartsWith(bytes, length, "\xFF\xFE", 2))
        return FromUtf16(bytes, length, false);
    if (StartsWith(bytes, length, "\xEF\xBB\xBF", 3))
        return Ucs4FromUtf8(std::string(bytes + 3, length - 3));
    std::wstring text;
    text.reserve(length);
    for (std::size_t at = 0; at < length; ++at)
    {
        const unsigned short c = fz_unicode_from_pdf_doc_encoding[Byte(bytes, at)];
        // Codes PDFDocEncoding leaves undefined read as 0 in MuPDF's table.
        text += c == 0 && Byte(bytes, at) != 0 ? kReplacement : static_cast<wchar_t>(c);
    }
    return text;
}

std::string TextStringFromUcs4(const std::wstring& text)
{
    bool docEncoded = true;
    for (wchar_t c : text)
        docEncoded = docEncoded && HasOwnDocCode(c);
    std::string out;
    if (docEncoded)
    {
        for (wchar_t c : text)
            out += static_cast<char>(c);
        return out;
    }
    out = "\xFE\xFF";
    for (wchar_t c : text)
    {
        unsigned code = static_cast<unsigned>(c);
        if (code > 0x10FFFF || (code >= 0xD800 && code < 0xE000))
            code = static_cast<unsigned>(kReplacement);
        if (code < 0x10000)
            AppendUtf16Unit(out, code);
        else
        {
            AppendUtf16Unit(out, 0xD800 + ((code - 0x10000) >> 10));
            AppendUtf16Unit(out, 0xDC00 + ((code - 0x10000) & 0x3FF));
        }
    }
    return out;
}
