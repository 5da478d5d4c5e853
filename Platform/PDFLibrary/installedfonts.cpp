#include "installedfonts.h"

#include "ucs4text.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <set>

namespace {

struct CaseInsensitive
{
    bool operator()(const std::string& a, const std::string& b) const
    {
        const auto lower = [](unsigned char c) { return std::tolower(c); };
        const bool less = std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
            [&](char x, char y) { return lower(static_cast<unsigned char>(x)) < lower(static_cast<unsigned char>(y)); });
        const bool more = std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(),
            [&](char x, char y) { return lower(static_cast<unsigned char>(x)) < lower(static_cast<unsigned char>(y)); });
        return less || (!more && a < b);
    }
};

} // namespace

std::wstring InstalledFontFamilies()
{
    // FcInit is idempotent and cheap after the first call; FcFini is never
    // called because the host may use fontconfig itself.
    if (!FcInit())
        return std::wstring();
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* fonts = pattern && objects ? FcFontList(nullptr, pattern, objects) : nullptr;
    std::set<std::string, CaseInsensitive> families;
    for (int i = 0; fonts && i < fonts->nfont; ++i)
    {
        FcChar8* family = nullptr;
        if (FcPatternGetString(fonts->fonts[i], FC_FAMILY, 0, &family) == FcResultMatch && family && *family)
            families.insert(reinterpret_cast<const char*>(family));
    }
    if (fonts)
        FcFontSetDestroy(fonts);
    if (objects)
        FcObjectSetDestroy(objects);
    if (pattern)
        FcPatternDestroy(pattern);

    std::string joined;
    for (const std::string& family : families)
    {
        if (!joined.empty())
            joined += "\r\n";
        joined += family;
    }
    return Ucs4FromUtf8(joined);
}
