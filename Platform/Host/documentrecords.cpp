#include "documentrecords.h"

#include "pdflibrarybinding.h"
#include "skippedpage.h"

DocumentRecords::DocumentRecords(OmbrelPDFLibraryCPDylibCPP1311& library)
{
    const int count = library.PageCount();
    mPages.reserve(static_cast<std::size_t>(qMax(count, 0)));
    for (int page = 1; page <= count; ++page) {
        library.SelectPage(page);
        library.SetTextExtractionOptions(1, 0);
        mPages.push_back(library.GetPageText(3));
        if (mPages.back().empty() && SkippedPage::wasSkipped(library))
            SkippedPage::warn(page);
    }
}

QList<QStringList> DocumentRecords::records() const
{
    QList<QStringList> pages;
    pages.reserve(static_cast<int>(mPages.size()));
    for (const std::wstring& text : mPages)
        pages << QString::fromUcs4(reinterpret_cast<const uint*>(text.data()), static_cast<int>(text.size()))
                     .split(QLatin1Char('\n'));
    return pages;
}
