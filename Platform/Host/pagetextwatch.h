#pragma once

#include <QList>

class OmbrelPDFLibraryCPDylibCPP1311;

// While it lives, notes the pages the library leaves out as the plug-in reads
// their text (see SkippedPage), so that a run can name them. It stands in the
// binding's page-text slot and puts it back when it goes. One at a time.
class PageTextWatch
{
public:
    explicit PageTextWatch(OmbrelPDFLibraryCPDylibCPP1311& library);
    ~PageTextWatch();
    PageTextWatch(const PageTextWatch&) = delete;
    PageTextWatch& operator=(const PageTextWatch&) = delete;

    QList<int> skippedPages() const;

private:
    void** mSlots;
    int mSlot;
    void* mPageText;
};
