#include "headingdetector.h"

#include "fontnamematcher.h"
#include "keywordlist.h"
#include "textrecord.h"

namespace {

bool HasVisibleText(const QString& text)
{
    for (const QChar c : text)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\r'))
            return true;
    return false;
}

} // namespace

CHeadingDetector::CHeadingDetector(QVector<CLevelRules> levels, CFontNameMatcher& fonts)
    : mLevels(std::move(levels)), mFonts(fonts)
{
}

CHeadingDetector::Verdict CHeadingDetector::Classify(const CTextRecord& record)
{
    Verdict verdict;
    for (int index = 0; index < mLevels.size(); ++index) {
        if (Passes(mLevels[index], record, verdict.maskMatch)) {
            verdict.level = index;
            return verdict;
        }
    }
    verdict.maskMatch.clear();
    return verdict;
}

bool CHeadingDetector::Passes(CLevelRules& rules, const CTextRecord& record, QString& maskMatch)
{
    // Rules 1 to 6 have no side effects, so they may stop at the first failure;
    // the repeated-headings rule must still see every text.
    bool pass = true;

    if (rules.fontNameCheck) {
        const QString& family = mFonts.Family(record.fontName);
        pass = rules.fontName.contains(family) || family.contains(rules.fontName)
               || record.fontName.contains(rules.fontName);
    }
    if (pass && rules.fontSizeCheck) {
        pass = record.size - rules.fontSizeTolerance <= rules.fontSize
               && rules.fontSize <= record.size + rules.fontSizeTolerance;
    }
    if (pass && rules.colourCheck)
        pass = record.colour.compare(rules.colour, Qt::CaseInsensitive) == 0;
    if (pass && rules.leftIndentCheck)
        pass = record.left > rules.leftIndent && record.destLeft > rules.leftIndent;
    if (pass && rules.textMaskCheck) {
        pass = rules.mask.isValid() && rules.mask.indexIn(record.text) >= 0;
        maskMatch = pass ? rules.mask.cap(0) : QString();
    }
    if (pass && rules.keywordListCheck) {
        const bool listed = rules.keywords.contains(KeywordList::Comparable(record.text));
        pass = listed == rules.includeKeywords;
    }
    if (rules.ignoreRepeated && mSeenTexts.Meet(record.text))
        pass = false;
    return pass && HasVisibleText(record.text);
}
