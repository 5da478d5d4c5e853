#include "seentexts.h"

#include <QHash>

#include <algorithm>

namespace {

const std::size_t kFirstSlots = 1024;
// Half a megabyte: a few dozen blocks for a long manual.
const std::size_t kBlockLength = 256 * 1024;
// Any seed but 0 hashes with the processor's CRC-32 where it has one, which
// spreads similar texts better than the plain polynomial.
const uint kHashSeed = 0x9e3779b9u;

} // namespace

bool CSeenTexts::Meet(const QString& text)
{
    // Half full at most: a free slot ends every search soon.
    if ((mCount + 1) * 2 > mSlots.size())
        Grow();
    const uint length = static_cast<uint>(text.size());
    const uint hash = Hash(text);
    const char16_t* chars = reinterpret_cast<const char16_t*>(text.constData());
    Slot& slot = Find(hash, chars, length);
    if (slot.length != kEmpty)
        return true;
    slot.text = Keep(chars, length);
    slot.length = length;
    slot.hash = hash;
    ++mCount;
    return false;
}

const char16_t* CSeenTexts::Keep(const char16_t* text, uint length)
{
    if (length > mFreeLength) {
        // Not zeroed: what is not yet written is never read.
        const std::size_t blockLength = std::max<std::size_t>(kBlockLength, length);
        mBlocks.push_back(std::unique_ptr<char16_t[]>(new char16_t[blockLength]));
        mFree = mBlocks.back().get();
        mFreeLength = blockLength;
    }
    char16_t* kept = mFree;
    std::copy(text, text + length, kept);
    mFree += length;
    mFreeLength -= length;
    return kept;
}

uint CSeenTexts::Hash(const QString& text)
{
    return qHash(QStringView(text), kHashSeed);
}

CSeenTexts::Slot& CSeenTexts::Find(uint hash, const char16_t* text, uint length)
{
    const std::size_t mask = mSlots.size() - 1;
    for (std::size_t index = hash & mask;; index = (index + 1) & mask) {
        Slot& slot = mSlots[index];
        if (slot.length == kEmpty)
            return slot;
        if (slot.hash == hash && slot.length == length
            && std::equal(text, text + length, slot.text))
            return slot;
    }
}

void CSeenTexts::Grow()
{
    std::vector<Slot> old(std::max(kFirstSlots, mSlots.size() * 2));
    old.swap(mSlots);
    const std::size_t mask = mSlots.size() - 1;
    for (const Slot& slot : old) {
        if (slot.length == kEmpty)
            continue;
        std::size_t index = slot.hash & mask;
        while (mSlots[index].length != kEmpty)
            index = (index + 1) & mask;
        mSlots[index] = slot;
    }
}
