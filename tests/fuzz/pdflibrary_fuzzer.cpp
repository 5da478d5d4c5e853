// libFuzzer target: arbitrary bytes through loading, text extraction, fonts
// and an outline walk, as the plug-in would call them.
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

void WalkOutline(int id, int item, int& budget)
{
    for (; item > 0 && budget > 0; item = ULRGetNextOutline(id, item), --budget)
    {
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
        const int added = ULRNewOutline(id, 0, WideArgument(id, "Fuzz"), 1, 0.0);
        ULRMoveOutlineBefore(id, added, ULRGetFirstOutline(id));
    }
    ULRReleaseLibrary(id);
    std::remove(path);
    return 0;
}
