#include "seentexts.h"

#include <QHash>

#include <algorithm>

namespace {

const std::size_t kFirstSlots = 1024;
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
    Slot& slot = Find(hash, text.constData(), length);
    if (slot.length != kEmpty)
        return true;
    slot.offset = mChars.size();
    slot.length = length;
    slot.hash = hash;
    mChars.insert(mChars.end(), text.constData(), text.constData() + length);
    ++mCount;
    return false;
}

uint CSeenTexts::Hash(const QString& text)
{
    return qHash(QStringView(text), kHashSeed);
}

CSeenTexts::Slot& CSeenTexts::Find(uint hash, const QChar* text, uint length)
{
    const std::size_t mask = mSlots.size() - 1;
    for (std::size_t index = hash & mask;; index = (index + 1) & mask) {
        Slot& slot = mSlots[index];
        if (slot.length == kEmpty)
            return slot;
        if (slot.hash == hash && slot.length == length
            && std::equal(text, text + length, mChars.begin() + static_cast<std::ptrdiff_t>(slot.offset)))
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
