#include "documentrecords.h"

#include "pdflibrarybinding.h"

namespace DocumentRecords {

QList<QStringList> read(OmbrelPDFLibraryCPDylibCPP1311& library)
{
    QList<QStringList> pages;
    const int count = library.PageCount();
    pages.reserve(count);
    for (int page = 1; page <= count; ++page) {
        library.SelectPage(page);
        library.SetTextExtractionOptions(1, 0);
        const std::wstring text = library.GetPageText(3);
        pages << QString::fromUcs4(reinterpret_cast<const uint*>(text.data()), static_cast<int>(text.size()))
                     .split(QLatin1Char('\n'));
    }
    return pages;
}

} // namespace DocumentRecords
