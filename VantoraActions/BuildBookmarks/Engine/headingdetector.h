#pragma once

#include "levelrules.h"
#include "seentexts.h"

#include <QString>
#include <QVector>

class CFontNameMatcher;
struct CTextRecord;

// Decides which level, if any, a text record is a heading of: the first level
// whose rules all pass. Keeps the texts already met for the repeated-headings
// rule, shared by all levels for the whole run.
class CHeadingDetector
{
public:
    struct Verdict
    {
        int level = -1;     // index of the accepting level, -1: not a heading
        QString maskMatch;  // what that level's mask matched, when its mask rule is on
    };

    CHeadingDetector(QVector<CLevelRules> levels, CFontNameMatcher& fonts);

    Verdict Classify(const CTextRecord& record);

    const CLevelRules& Level(int index) const { return mLevels.at(index); }
    int LevelCount() const { return mLevels.size(); }

private:
    bool Passes(CLevelRules& rules, const CTextRecord& record, QString& maskMatch);

    QVector<CLevelRules> mLevels;
    CFontNameMatcher& mFonts;
    CSeenTexts mSeenTexts;
};
