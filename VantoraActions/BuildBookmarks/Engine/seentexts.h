#pragma once

#include <QString>

#include <cstddef>
#include <memory>
#include <vector>

// The texts met so far for the repeated-headings rule: every record tested
// by such a level, tens of thousands in a long manual. A set of strings
// would keep each page's strings alive to the end of the run and then free
// them one by one; here they are copied end to end into blocks that never
// move (one growing buffer would copy it all at each doubling, and touch
// twice the memory) and found through a table of their hashes, compared in
// full.
class CSeenTexts
{
public:
    // Whether the text was met before (exact, case-sensitive); if not, it is
    // met now.
    bool Meet(const QString& text);
    // What the table files a text under.
    static uint Hash(const QString& text);

private:
    struct Slot
    {
        const char16_t* text = nullptr;
        uint length = kEmpty;
        uint hash = 0;
    };
    static const uint kEmpty = ~0u;

    void Grow();
    // The free slot, or the one holding the text, for a hash.
    Slot& Find(uint hash, const char16_t* text, uint length);
    // A lasting copy of the text.
    const char16_t* Keep(const char16_t* text, uint length);

    std::vector<std::unique_ptr<char16_t[]>> mBlocks;
    char16_t* mFree = nullptr;
    std::size_t mFreeLength = 0;
    std::vector<Slot> mSlots;
    std::size_t mCount = 0;
};
