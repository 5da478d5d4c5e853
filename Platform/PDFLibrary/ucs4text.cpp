#include "ucs4text.h"

namespace {

const char32_t kReplacement = 0xFFFD;
// A file name's byte 0x80 to 0xFF that is no part of UTF-8 comes as
// U+DC80 to U+DCFF, a lone surrogate no text holds.
const char32_t kEscapedByteFirst = 0xDC80;
const char32_t kEscapedByteLast = 0xDCFF;

bool IsScalarValue(char32_t c)
{
    return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (!IsScalarValue(c))
        c = kReplacement;
    if (c < 0x80)
        out += static_cast<char>(c);
    else if (c < 0x800)
    {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    else if (c < 0x10000)
    {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    else
    {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::string Utf8FromUcs4(const std::wstring& text)
{
    std::string out;
    out.reserve(text.size());
    for (wchar_t unit : text)
        AppendUtf8(out, static_cast<char32_t>(static_cast<unsigned int>(unit)));
    return out;
}

std::string FileNameBytes(const std::wstring& name)
{
    std::string out;
    out.reserve(name.size());
    for (wchar_t unit : name)
    {
        const auto c = static_cast<char32_t>(static_cast<unsigned int>(unit));
        if (c >= kEscapedByteFirst && c <= kEscapedByteLast)
            out += static_cast<char>(c - 0xDC00);
        else
            AppendUtf8(out, c);
    }
    return out;
}

std::wstring Ucs4FromUtf8(const std::string& text)
{
    std::wstring out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size())
    {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        int extra = 0;
        char32_t c = 0;
        if (lead < 0x80)
            c = lead;
        else if ((lead & 0xE0) == 0xC0)
            extra = 1, c = lead & 0x1F;
        else if ((lead & 0xF0) == 0xE0)
            extra = 2, c = lead & 0x0F;
        else if ((lead & 0xF8) == 0xF0)
            extra = 3, c = lead & 0x07;
        else
        {
            out += static_cast<wchar_t>(kReplacement);
            ++i;
            continue;
        }
        std::size_t next = i + 1;
        bool valid = true;
        for (int k = 0; k < extra; ++k, ++next)
        {
            if (next >= text.size() || (static_cast<unsigned char>(text[next]) & 0xC0) != 0x80)
            {
                valid = false;
                break;
            }
            c = (c << 6) | (static_cast<unsigned char>(text[next]) & 0x3F);
        }
        static const char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
        if (!valid || c < kMinimum[extra] || !IsScalarValue(c))
            c = kReplacement;
        out += static_cast<wchar_t>(c);
        i = next;
    }
    return out;
}
