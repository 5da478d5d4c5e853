#pragma once

#include <QString>

#include <cstddef>
#include <vector>

// The texts met so far for the repeated-headings rule: every record tested
// by such a level, tens of thousands in a long manual. A set of strings
// would keep each page's strings alive to the end of the run and then free
// them one by one; here they are copied end to end into one buffer and found
// through a table of their hashes, compared in full.
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
        std::size_t offset = 0;
        uint length = kEmpty;
        uint hash = 0;
    };
    static const uint kEmpty = ~0u;

    void Grow();
    // The free slot, or the one holding the text, for a hash.
    Slot& Find(uint hash, const QChar* text, uint length);

    std::vector<QChar> mChars;
    std::vector<Slot> mSlots;
    std::size_t mCount = 0;
};
