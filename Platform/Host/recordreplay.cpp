#include "recordreplay.h"

#include "bindingslots.h"
#include "documentrecords.h"
#include "hosterror.h"
#include "pdflibrarybinding.h"

#include <QtGlobal>


namespace {

using PageTextFn = wchar_t* (*)(int, int);
using ResultLengthFn = int (*)(int);
using NewOutlineFn = int (*)(int, int, wchar_t*, int, double);

// The records the engine reads with; the only extraction that was read.
constexpr int RecordOptions = 3;

// The library's cap on its text threads, read when an instance extracts
// its first page: 0 extracts on the caller's thread, page by page, with
// nothing read ahead that the replay would not use.
const char* const TextThreads = "VANTORA_TEXT_THREADS";

struct Replay
{
    OmbrelPDFLibraryCPDylibCPP1311* library = nullptr;
    const std::vector<std::wstring>* pages = nullptr;
    PageTextFn pageText = nullptr;
    ResultLengthFn resultLength = nullptr;
    NewOutlineFn newOutline = nullptr;
    int pendingLength = -1; // the length of the text last served, until asked
    int givenPage = 0;      // the page whose text the library last handed out
};

Replay Active;

wchar_t* ReplayedPageText(int instance, int options)
{
    Active.pendingLength = -1;
    if (options == RecordOptions) {
        const int page = Active.library->SelectedPage();
        if (page >= 1 && page <= static_cast<int>(Active.pages->size())) {
            const std::wstring& text = Active.pages->at(static_cast<std::size_t>(page - 1));
            Active.pendingLength = static_cast<int>(text.size());
            return const_cast<wchar_t*>(text.data());
        }
    }
    return Active.pageText(instance, options);
}

int ReplayedResultLength(int instance)
{
    const int length = Active.pendingLength;
    Active.pendingLength = -1;
    return length >= 0 ? length : Active.resultLength(instance);
}

// The library points a new bookmark at the line it was made from among the
// lines of the page text it handed out last: for a page that gets one, the
// library hands its text out itself.
int ReplayedNewOutline(int instance, int parent, wchar_t* title, int page, double position)
{
    if (position == 0.0 && page != Active.givenPage && page == Active.library->SelectedPage()) {
        Active.pageText(instance, RecordOptions);
        Active.resultLength(instance);
        Active.givenPage = page;
    }
    return Active.newOutline(instance, parent, title, page, position);
}

} // namespace

RecordReplay::RecordReplay(OmbrelPDFLibraryCPDylibCPP1311& library, const DocumentRecords& records)
    : mSlots(BindingSlots::of(library)), mPageTextSlot(BindingSlots::named("ULRGetPageText")),
      mNewOutlineSlot(BindingSlots::named("ULRNewOutline")),
      mPageText(mSlots[mPageTextSlot]), mNewOutline(mSlots[mNewOutlineSlot]),
      mResultLength(mSlots[OmbrelPDFLibraryCPDylibCPP1311::StringResultLengthSlot])
{
    if (Active.library)
        throw HostError(QStringLiteral("Text records are already being replayed."));
    Active = Replay{&library, &records.pageTexts(), reinterpret_cast<PageTextFn>(mPageText),
                    reinterpret_cast<ResultLengthFn>(mResultLength), reinterpret_cast<NewOutlineFn>(mNewOutline)};
    if (!qEnvironmentVariableIsSet(TextThreads)) {
        qputenv(TextThreads, "0");
        mSetThreads = true;
    }
    mSlots[mPageTextSlot] = reinterpret_cast<void*>(&ReplayedPageText);
    mSlots[mNewOutlineSlot] = reinterpret_cast<void*>(&ReplayedNewOutline);
    mSlots[OmbrelPDFLibraryCPDylibCPP1311::StringResultLengthSlot] = reinterpret_cast<void*>(&ReplayedResultLength);
}

RecordReplay::~RecordReplay()
{
    mSlots[mPageTextSlot] = mPageText;
    mSlots[mNewOutlineSlot] = mNewOutline;
    mSlots[OmbrelPDFLibraryCPDylibCPP1311::StringResultLengthSlot] = mResultLength;
    Active = Replay{};
    if (mSetThreads)
        qunsetenv(TextThreads);
}
