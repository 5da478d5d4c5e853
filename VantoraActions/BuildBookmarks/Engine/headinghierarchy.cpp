#include "headinghierarchy.h"

CHeadingHierarchy::CHeadingHierarchy(int levels)
    : mLast(qMax(levels, 0), NoBookmark), mCounters(qMax(levels, 0), 0)
{
}

int CHeadingHierarchy::Parent(int index) const
{
    return index == 0 ? 0 : mLast.at(index - 1);
}

void CHeadingHierarchy::Count(int index)
{
    ++mCounters[index];
}

void CHeadingHierarchy::Place(int index, int outline)
{
    mLast[index] = outline;
}

void CHeadingHierarchy::ResetBelow(int index)
{
    for (int deeper = index + 1; deeper < mLast.size(); ++deeper) {
        mLast[deeper] = NoBookmark;
        mCounters[deeper] = 0;
    }
}

QString CHeadingHierarchy::SectionNumber(int index) const
{
    QString number = QString::number(mCounters.at(0));
    for (int level = 1; level <= index; ++level)
        number += QLatin1Char('.') + QString::number(mCounters.at(level));
    return number;
}
