#pragma once

#include <QString>
#include <QVector>

// Where headings are filed: the most recent bookmark of every level and the
// number of headings of every level since the last heading above it.
class CHeadingHierarchy
{
public:
    static constexpr int NoBookmark = -1;

    explicit CHeadingHierarchy(int levels);

    // The bookmark a heading of level `index` goes under: 0 (top level) for the
    // first level, else the last bookmark of the level above, NoBookmark when
    // there is none and the heading is dropped.
    int Parent(int index) const;

    // A heading of level `index` was accepted and will get a bookmark.
    void Count(int index);
    // Its bookmark was made.
    void Place(int index, int outline);
    // Forgets the levels below `index`: a new heading starts their sections afresh.
    void ResetBelow(int index);

    // "2.1.3": the counters of the levels down to `index`, joined by full stops.
    QString SectionNumber(int index) const;

private:
    QVector<int> mLast;
    QVector<int> mCounters;
};
