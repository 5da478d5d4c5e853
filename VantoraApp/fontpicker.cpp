#include "fontpicker.h"

#include "actionutils.h"
#include "pdflibrarybinding.h"

#include <QComboBox>

namespace {

// Bare file name: the loader finds the library beside the host.
const wchar_t* const PDFLibraryFile = L"OmbrelPDFLibraryCPDylib1311.dylib";

// The library's own codes for the font list the picker shows.
constexpr int FontListCharset = 2;
constexpr int FontListOptions = 1;

} // namespace

QStringList InstalledFontNames(const QString& fontList)
{
    if (fontList.isEmpty())
        return {};
    QStringList names = fontList.split(QStringLiteral("\r\n"), Qt::KeepEmptyParts, Qt::CaseSensitive);
    while (!names.isEmpty() && names.last().isEmpty())
        names.removeLast();
    return names;
}

void CActionUtils::SetupSystemFontsComboBox(QComboBox* combo)
{
    combo->clear();
    // A binding of our own: the host's belongs to its document and may be
    // in use; this one lives only for the query.
    OmbrelPDFLibraryCPDylibCPP1311 library(PDFLibraryFile);
    if (!library.LibraryLoaded())
        return;
    const std::wstring fonts = library.GetInstalledFontsByCharset(FontListCharset, FontListOptions);
    static_assert(sizeof(wchar_t) == sizeof(uint), "the library's wide strings are UCS-4");
    combo->addItems(InstalledFontNames(
        QString::fromUcs4(reinterpret_cast<const uint*>(fonts.data()), static_cast<int>(fonts.size()))));
}
