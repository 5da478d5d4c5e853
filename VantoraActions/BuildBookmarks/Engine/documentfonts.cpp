#include "documentfonts.h"

#include "pdflibrarybinding.h"

namespace {

QString FromWide(const std::wstring& text)
{
    return QString::fromUcs4(reinterpret_cast<const uint*>(text.data()), static_cast<int>(text.size()));
}

} // namespace

CDocumentFonts CDocumentFonts::Load(OmbrelPDFLibraryCPDylibCPP1311& library)
{
    CDocumentFonts fonts;
    const int count = library.FindFonts();
    for (int index = 1; index <= count; ++index) {
        library.SelectFont(library.GetFontID(index));
        fonts.families.append(FromWide(library.FontFamily()));
        fonts.names.append(FromWide(library.FontName()));
        fonts.encodings.append(EncodingName(library.GetFontEncoding()));
    }
    return fonts;
}

QString CDocumentFonts::EncodingName(int code)
{
    switch (code) {
    case 1: return QStringLiteral("MacRomanEncoding");
    case 2: return QStringLiteral("WinAnsiEncoding");
    case 3: return QStringLiteral("MacExpertEncoding");
    case 4: return QStringLiteral("StandardEncoding");
    case 5: return QStringLiteral("No encoding");
    default: return QStringLiteral("Unknown");
    }
}
