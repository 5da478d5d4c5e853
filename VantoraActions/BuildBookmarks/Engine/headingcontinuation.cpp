#include "headingcontinuation.h"

#include <cmath>

namespace {

// How far below the previous line a continuation's top may be, in its line
// heights; the font size stands in for the line height.
constexpr double LineGapLimit = 1.5;

} // namespace

void CHeadingContinuation::Remember(int level, int page, int index, const CTextRecord& record,
                                    int outline, const QString& title)
{
    mLevel = level;
    mPage = page;
    mIndex = index;
    mOutline = outline;
    mLine = record;
    mTitle = title;
}

bool CHeadingContinuation::Continues(int level, int page, int index, const CTextRecord& record) const
{
    if (mOutline < 0 || level != mLevel || page != mPage || index != mIndex + 1)
        return false;
    if (record.fontName != mLine.fontName || record.size != mLine.size
        || record.colour.compare(mLine.colour, Qt::CaseInsensitive) != 0)
        return false;
    // Page coordinates grow upwards: the next line down has a smaller top.
    const double drop = mLine.destTop - record.destTop;
    return drop > 0.0 && drop <= LineGapLimit * std::abs(record.size);
}

const QString& CHeadingContinuation::Append(int index, const CTextRecord& record, const QString& text)
{
    mIndex = index;
    mLine = record;
    mTitle += QLatin1Char(' ') + text;
    return mTitle;
}
