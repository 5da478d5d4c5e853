#include "fontcatalogue.h"

#include "enginecall.h"
#include "formresources.h"
#include "fontresourcenames.h"

#include <cctype>
#include <cstring>
#include <set>

namespace {

const int kMaxDepth = 32;

enum FontEncodingCode { Unknown = 0, MacRoman = 1, WinAnsi = 2, MacExpert = 3, Standard = 4, NoEncoding = 5 };

int EncodingCode(fz_context* ctx, pdf_obj* font)
{
    int code = Unknown;
    EngineCall(ctx, [&] {
        pdf_obj* encoding = pdf_dict_get(ctx, font, PDF_NAME(Encoding));
        if (pdf_is_dict(ctx, encoding))
        {
            // Differences apply to a base encoding; without one, to the
            // standard encoding.
            encoding = pdf_dict_get(ctx, encoding, PDF_NAME(BaseEncoding));
            if (!encoding)
            {
                code = Standard;
                return;
            }
        }
        if (!encoding)
            code = NoEncoding;
        else if (!std::strcmp(pdf_to_name(ctx, encoding), "MacRomanEncoding"))
            code = MacRoman;
        else if (pdf_name_eq(ctx, encoding, PDF_NAME(WinAnsiEncoding)))
            code = WinAnsi;
        else if (!std::strcmp(pdf_to_name(ctx, encoding), "MacExpertEncoding"))
            code = MacExpert;
        else if (!std::strcmp(pdf_to_name(ctx, encoding), "StandardEncoding"))
            code = Standard;
        else if (pdf_name_eq(ctx, encoding, PDF_NAME(Identity_H)) || pdf_name_eq(ctx, encoding, PDF_NAME(Identity_V)))
            code = NoEncoding;
    });
    return code;
}

// "ABCDEF+Arial-BoldMT" and "Arial,Bold" are both of the family "Arial".
std::string BareFamily(const std::string& name)
{
    std::string bare = name;
    if (bare.size() > 7 && bare[6] == '+')
    {
        bool prefix = true;
        for (int i = 0; i < 6; ++i)
            prefix = prefix && std::isupper(static_cast<unsigned char>(bare[static_cast<std::size_t>(i)]));
        if (prefix)
            bare.erase(0, 7);
    }
    const std::size_t style = bare.find_first_of("-,");
    if (style != std::string::npos && style > 0)
        bare.erase(style);
    return bare;
}

std::string DescriptorFamily(fz_context* ctx, pdf_obj* font)
{
    const char* family = nullptr;
    EngineCall(ctx, [&] {
        pdf_obj* descriptor = pdf_dict_get(ctx, font, PDF_NAME(FontDescriptor));
        if (!descriptor)
            descriptor = pdf_dict_get(ctx, pdf_array_get(ctx, pdf_dict_get(ctx, font, PDF_NAME(DescendantFonts)), 0),
                                      PDF_NAME(FontDescriptor));
        pdf_obj* entry = pdf_dict_gets(ctx, descriptor, "FontFamily");
        if (pdf_is_string(ctx, entry))
            family = pdf_to_text_string(ctx, entry);
    });
    return family ? family : "";
}

// Walks resource dictionaries and the forms inside them once each.
class FontWalk
{
public:
    FontWalk(fz_context* ctx, std::vector<FontEntry>& fonts) : mContext(ctx), mFonts(fonts) {}

    void Resources(pdf_obj* resources, int depth)
    {
        if (!resources || depth > kMaxDepth)
            return;
        int number = 0, fontCount = 0, formCount = 0;
        pdf_obj* fonts = nullptr;
        pdf_obj* forms = nullptr;
        EngineCall(mContext, [&] {
            number = pdf_is_indirect(mContext, resources) ? pdf_to_num(mContext, resources) : 0;
            fonts = pdf_dict_get(mContext, resources, PDF_NAME(Font));
            forms = pdf_dict_get(mContext, resources, PDF_NAME(XObject));
            fontCount = pdf_dict_len(mContext, fonts);
            formCount = pdf_dict_len(mContext, forms);
        });
        if (number > 0 && !mSeenResources.insert(number).second)
            return;
        for (int i = 0; i < fontCount; ++i)
        {
            pdf_obj* key = nullptr;
            pdf_obj* font = nullptr;
            int fontNumber = 0;
            EngineCall(mContext, [&] {
                key = pdf_dict_get_key(mContext, fonts, i);
                font = pdf_dict_get_val(mContext, fonts, i);
                fontNumber = pdf_is_indirect(mContext, font) ? pdf_to_num(mContext, font) : 0;
            });
            // Identifiers are object numbers: a font written inline has none.
            if (fontNumber <= 0 || !mSeenFonts.insert(fontNumber).second)
                continue;
            FontEntry entry;
            entry.id = fontNumber;
            entry.name = FontResourceName(mContext, font, key);
            entry.family = DescriptorFamily(mContext, font);
            if (entry.family.empty())
                entry.family = BareFamily(entry.name);
            entry.encoding = EncodingCode(mContext, font);
            mFonts.push_back(std::move(entry));
        }
        for (int i = 0; i < formCount; ++i)
        {
            int formNumber = 0;
            pdf_obj* inner = FormXObjectResources(mContext, forms, i, formNumber);
            if (formNumber > 0 && !mSeenForms.insert(formNumber).second)
                continue;
            Resources(inner, depth + 1);
        }
    }

private:
    fz_context* mContext;
    std::vector<FontEntry>& mFonts;
    std::set<int> mSeenResources, mSeenForms, mSeenFonts;
};

} // namespace

FontCatalogue FontCatalogue::Collect(fz_context* ctx, pdf_document* doc)
{
    FontCatalogue catalogue;
    FontWalk walk(ctx, catalogue.mFonts);
    int pages = 0;
    EngineCall(ctx, [&] { pages = pdf_count_pages(ctx, doc); });
    for (int index = 0; index < pages; ++index)
    {
        pdf_obj* resources = nullptr;
        EngineCall(ctx, [&] {
            resources = pdf_dict_get_inheritable(ctx, pdf_lookup_page_obj(ctx, doc, index), PDF_NAME(Resources));
        });
        walk.Resources(resources, 0);
    }
    return catalogue;
}

int FontCatalogue::IdAt(int index) const
{
    return index >= 1 && index <= Count() ? mFonts[static_cast<std::size_t>(index - 1)].id : 0;
}

const FontEntry* FontCatalogue::Find(int id) const
{
    for (const FontEntry& font : mFonts)
        if (font.id == id)
            return &font;
    return nullptr;
}
