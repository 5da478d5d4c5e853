#include "pagetextwatch.h"

#include "bindingslots.h"
#include "hosterror.h"
#include "pdflibrarybinding.h"
#include "skippedpage.h"

namespace {

using PageTextFn = wchar_t* (*)(int, int);

struct Watch
{
    OmbrelPDFLibraryCPDylibCPP1311* library = nullptr;
    PageTextFn pageText = nullptr;
    QList<int> skipped;
};

Watch Active;

wchar_t* WatchedPageText(int instance, int options)
{
    wchar_t* text = Active.pageText(instance, options);
    if (SkippedPage::wasSkipped(*Active.library)) {
        const int page = Active.library->SelectedPage();
        if (!Active.skipped.contains(page))
            Active.skipped << page;
    }
    return text;
}

} // namespace

PageTextWatch::PageTextWatch(OmbrelPDFLibraryCPDylibCPP1311& library)
    : mSlots(BindingSlots::of(library)), mSlot(BindingSlots::named("ULRGetPageText")), mPageText(mSlots[mSlot])
{
    if (Active.library)
        throw HostError(QStringLiteral("The page text is already being watched."));
    Active = Watch{&library, reinterpret_cast<PageTextFn>(mPageText), {}};
    mSlots[mSlot] = reinterpret_cast<void*>(&WatchedPageText);
}

PageTextWatch::~PageTextWatch()
{
    mSlots[mSlot] = mPageText;
    Active = Watch{};
}

QList<int> PageTextWatch::skippedPages() const
{
    return Active.skipped;
}
