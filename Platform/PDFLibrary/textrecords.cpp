#include "textrecords.h"

#include "enginecall.h"
#include "fontresourcenames.h"
#include "glyphcollector.h"
#include "textlines.h"
#include "ucs4text.h"

#include <cmath>
#include <cstdio>

namespace {

// Plain decimal, full stop, at most three decimals, no trailing zeros.
void AppendNumber(std::wstring& out, double value)
{
    if (!std::isfinite(value))
        value = 0;
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", value);
    std::string number(text);
    while (!number.empty() && number.back() == '0')
        number.pop_back();
    if (!number.empty() && number.back() == '.')
        number.pop_back();
    if (number == "-0" || number.empty())
        number = "0";
    out.append(number.begin(), number.end());
}

void AppendColour(std::wstring& out, unsigned colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", colour & 0xFFFFFFu);
    out.append(text, text + 7);
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

// The page's contents run in PDF user space: the inverse of MuPDF's page
// transform undoes its y-down, rotated view.
fz_matrix UserSpace(fz_context* ctx, pdf_page* page)
{
    fz_matrix toDevice = fz_identity;
    EngineCall(ctx, [&] { pdf_page_transform(ctx, page, nullptr, &toDevice); });
    return fz_invert_matrix(toDevice);
}

class LoadedPage
{
public:
    LoadedPage(fz_context* ctx, pdf_document* doc, int index) : mContext(ctx)
    {
        EngineCall(ctx, [&] { mPage = pdf_load_page(ctx, doc, index); });
    }
    ~LoadedPage() { fz_drop_page(mContext, &mPage->super); }
    LoadedPage(const LoadedPage&) = delete;
    LoadedPage& operator=(const LoadedPage&) = delete;
    pdf_page* Get() const { return mPage; }

private:
    fz_context* mContext;
    pdf_page* mPage = nullptr;
};

} // namespace

std::wstring PageTextRecords(fz_context* ctx, pdf_document* doc, int pageNumber)
{
    LoadedPage page(ctx, doc, pageNumber - 1);
    FontResourceNames names(ctx, doc, page.Get()->obj);
    GlyphCollector collector(names.Names());
    collector.Run(ctx, &page.Get()->super, UserSpace(ctx, page.Get()));

    std::vector<std::wstring> fontNames;
    for (const std::string& name : collector.FontNames())
        fontNames.push_back(Ucs4FromUtf8(name));

    std::wstring out;
    for (const TextLine& line : BuildTextLines(collector.Glyphs()))
    {
        if (!out.empty())
            out += L'\n';
        AppendFontName(out, fontNames[static_cast<std::size_t>(line.font)]);
        out += L',';
        AppendColour(out, line.colour);
        out += L',';
        AppendNumber(out, line.size);
        for (double corner : line.corners)
        {
            out += L',';
            AppendNumber(out, corner);
        }
        out += L',';
        for (char32_t c : line.text)
            out += static_cast<wchar_t>(c);
    }
    return out;
}
