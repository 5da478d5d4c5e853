// libFuzzer target: arbitrary bytes through loading, text extraction, fonts,
// an outline walk and outline edits, as the plug-in would call them.
#include "ulrentrypoints.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

// Pages and outline items looked at per input: enough to reach the code,
// few enough to keep each run short.
const int kMaxPages = 8;
const int kMaxItems = 200;

wchar_t* WideArgument(int id, const std::string& text)
{
    std::wstring wide(text.begin(), text.end());
    char* buffer = ULRCreateBuffer(id, static_cast<int>(wide.size() * sizeof(wchar_t)));
    ULRAddToBuffer(id, buffer, reinterpret_cast<const char*>(wide.data()),
                   static_cast<int>(wide.size() * sizeof(wchar_t)));
    return reinterpret_cast<wchar_t*>(buffer);
}

// The budget counts every item visited, so it bounds the nesting too: the
// library reads outlines at any depth.
void WalkOutline(int id, int item, int& budget)
{
    for (; item > 0 && budget > 0; item = ULRGetNextOutline(id, item))
    {
        --budget;
        ULROutlineTitle(id, item);
        ULRGetOutlinePage(id, item);
        WalkOutline(id, ULRGetFirstChildOutline(id, item), budget);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    char path[] = "/tmp/pdflibrary-fuzz-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        return 0;
    const bool written = write(fd, data, size) == static_cast<ssize_t>(size);
    close(fd);
    const int id = ULRCreateLibrary();
    if (written && ULRLoadFromFile(id, WideArgument(id, path), nullptr) == 1)
    {
        const int pages = ULRPageCount(id);
        for (int page = 1; page <= pages && page <= kMaxPages; ++page)
        {
            ULRSelectPage(id, page);
            ULRSetTextExtractionOptions(id, 1, 0);
            ULRGetPageText(id, 3);
            ULRGetPageBox(id, 2, 1);
        }
        const int fonts = ULRFindFonts(id);
        for (int i = 1; i <= fonts && i <= kMaxItems; ++i)
        {
            ULRSelectFont(id, ULRGetFontID(id, i));
            ULRFontName(id);
            ULRFontFamily(id);
        }
        int budget = kMaxItems;
        ULROutlineCount(id);
        WalkOutline(id, ULRGetFirstOutline(id), budget);
        // On the page whose text was read last, where a new bookmark looks
        // for its heading line; then the edits the engine makes.
        const int first = ULRGetFirstOutline(id);
        const int added = ULRNewOutline(id, 0, WideArgument(id, "Chapter 1"), pages < kMaxPages ? pages : kMaxPages, 0.0);
        ULRMoveOutlineBefore(id, added, first);
        ULRNewOutline(id, first, WideArgument(id, "Section"), 1, 0.0);
        ULRCloseOutline(id, first);
        ULRRemoveOutline(id, ULRGetNextOutline(id, first));
    }
    ULRReleaseLibrary(id);
    std::remove(path);
    return 0;
}
