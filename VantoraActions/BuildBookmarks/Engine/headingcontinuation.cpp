#include "headingcontinuation.h"

#include <cmath>

namespace {

// How far below the previous line a continuation's top may be, in its line
// heights; the font size stands in for the line height.
constexpr double LineGapLimit = 1.5;

// Extraction rounds positions: a continuation flush with the heading may
// start a hair to its left.
constexpr double LeftEdgeSlack = 0.5;

} // namespace

void CHeadingContinuation::Remember(int page, int index, const CTextRecord& record, int outline,
                                    const QString& title)
{
    mPage = page;
    mIndex = index;
    mOutline = outline;
    mLeft = record.left;
    mLine = record;
    mTitle = title;
}

bool CHeadingContinuation::Continues(int page, int index, const CTextRecord& record) const
{
    if (mOutline < 0 || page != mPage || index != mIndex + 1)
        return false;
    if (record.fontName != mLine.fontName || record.size != mLine.size
        || record.colour.compare(mLine.colour, Qt::CaseInsensitive) != 0)
        return false;
    if (record.text.trimmed().isEmpty() || record.left < mLeft - LeftEdgeSlack)
        return false;
    // Page coordinates grow upwards: the next line down has a smaller top.
    const double drop = mLine.destTop - record.destTop;
    return drop > 0.0 && drop <= LineGapLimit * std::abs(record.size);
}

const QString& CHeadingContinuation::Append(int index, const CTextRecord& record, const QString& text)
{
    mIndex = index;
    mLine = record;
    mTitle = Joined(mTitle, text);
    return mTitle;
}

QString CHeadingContinuation::Joined(const QString& title, const QString& text)
{
    const QString head = title.trimmed();
    const QString tail = text.trimmed();
    if (head.size() >= 2 && head.endsWith(QLatin1Char('-')) && head.at(head.size() - 2).isLetter()
        && !tail.isEmpty()) {
        if (tail.at(0).isLower())
            return head.left(head.size() - 1) + tail;
        return head + tail;
    }
    return head + QLatin1Char(' ') + tail;
}
