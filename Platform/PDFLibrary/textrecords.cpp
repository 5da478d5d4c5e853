#include "textrecords.h"

#include "recordnumber.h"
#include "textlines.h"
#include "ucs4text.h"

#include <cmath>

namespace {

// #rrggbb in lower case.
void AppendColour(std::wstring& out, unsigned colour)
{
    static const wchar_t kHex[] = L"0123456789abcdef";
    out += L'#';
    for (int shift = 20; shift >= 0; shift -= 4)
        out += kHex[(colour >> shift) & 0xFu];
}

void AppendFontName(std::wstring& out, const std::wstring& name)
{
    const bool quoted = name.find(L',') != std::wstring::npos;
    if (quoted)
        out += L'"';
    out += name;
    if (quoted)
        out += L'"';
}

} // namespace

std::wstring FormatTextRecords(const PageGlyphs& page)
{
    std::vector<std::wstring> fontNames;
    for (const std::string& name : page.fontNames)
        fontNames.push_back(Ucs4FromUtf8(name));

    std::wstring out;
    for (const TextLine& line : BuildTextLines(page.glyphs))
    {
        if (!out.empty())
            out += L'\n';
        AppendFontName(out, fontNames[static_cast<std::size_t>(line.font)]);
        out += L',';
        AppendColour(out, line.colour);
        out += L',';
        // Sizes to the hundredth of a point the level editor holds, so a level
        // made from a picked heading matches it with no tolerance.
        AppendRecordNumber(out, std::round(line.size * 100.0) / 100.0);
        for (double corner : line.corners)
        {
            out += L',';
            AppendRecordNumber(out, corner);
        }
        out += L',';
        for (char32_t c : line.text)
            out += static_cast<wchar_t>(c);
    }
    return out;
}
