#include "buildbookmarkapi.h"

#include "fontnamematcher.h"
#include "headingdetector.h"
#include "headingtitle.h"
#include "keywordlist.h"
#include "levelrules.h"
#include "outlinewriter.h"
#include "pdflibrarybinding.h"
#include "settingskeys.h"
#include "textrecord.h"

CBuildBookmarkAPI::CBuildBookmarkAPI(OmbrelPDFLibraryCPDylibCPP1311* library,
                                     QMap<QString, QVariant>* settings)
    : mLibrary(library), mSettings(settings),
      mLevelCount(settings->value(SettingsKeys::LevelCount).toInt()), mHierarchy(mLevelCount)
{
    using namespace SettingsKeys;
    for (int level = 1; level <= mLevelCount; ++level)
        mKeywordLists.append(CreateKeywordList(mSettings->value(Level(KeyListEdit, level)).toString()));

    const int insertionMode = mSettings->value(InsertionMode).toInt();
    mWriter = std::make_unique<COutlineWriter>(*mLibrary, insertionMode,
                                               mSettings->value(ZoomSettings).toInt(),
                                               mSettings->value(ZoomValue).toInt());
    if (insertionMode == COutlineWriter::Overwrite)
        mWriter->RemoveAll();
    if (insertionMode == COutlineWriter::Before)
        mWriter->RememberAnchor();

    LoadDocFonts();
}

CBuildBookmarkAPI::~CBuildBookmarkAPI() = default;

void CBuildBookmarkAPI::BuildBookmarks()
{
    QVector<CLevelRules> levels;
    for (int level = 1; level <= mLevelCount; ++level)
        levels.append(CLevelRules::Read(*mSettings, level, mKeywordLists.at(level - 1)));
    CHeadingDetector detector(std::move(levels), Fonts());
    mExactText = mSettings->value(SettingsKeys::ExactText).toBool();

    const int pages = mLibrary->PageCount();
    for (int page = 1; page <= pages; ++page) {
        const QStringList lines = extractWordsFromPage(page);
        for (int index = 0; index < lines.size(); ++index) {
            const CTextRecord record = CTextRecord::Parse(lines.at(index));
            if (JoinContinuation(detector, page, index, record))
                continue;
            const CHeadingDetector::Verdict verdict = detector.Classify(record);
            if (verdict.level >= 0)
                FileHeading(detector, verdict.level, verdict.maskMatch, page, index, record);
        }
    }
    SetNewParentsOpen();
}

bool CBuildBookmarkAPI::JoinContinuation(const CHeadingDetector& detector, int page, int index,
                                         const CTextRecord& record)
{
    if (!mContinuation.Continues(page, index, record))
        return false;
    // A line its level's mask accepts on its own starts the next heading:
    // numbered titles listed one under the other are not one title.
    const CLevelRules& rules = detector.Level(mContinuationLevel);
    if (rules.textMaskCheck && rules.mask.isValid() && rules.mask.indexIn(record.text) >= 0) {
        mContinuation.Forget();
        return false;
    }
    const QString text = mExactText ? record.text.trimmed() : record.text;
    mWriter->Retitle(mContinuation.Outline(), mContinuation.Append(index, record, text));
    return true;
}

void CBuildBookmarkAPI::FileHeading(CHeadingDetector& detector, int level, const QString& maskMatch,
                                    int page, int index, const CTextRecord& record)
{
    mContinuation.Forget();
    const CLevelRules& rules = detector.Level(level);
    const QString text = mExactText ? HeadingTitle::ExactText(record.text, rules.textMaskCheck, maskMatch)
                                    : record.text;

    const int parent = mHierarchy.Parent(level);
    if (parent == CHeadingHierarchy::NoBookmark) {
        mHierarchy.ResetBelow(level);
        return;
    }

    mHierarchy.Count(level);
    const QString title = HeadingTitle::Compose(text, rules.leadingNumbers, mHierarchy.SectionNumber(level));
    int outline = 0;
    if (level == 0) {
        outline = mWriter->AddTopLevel(title, page, record.destLeft, record.destTop);
    } else {
        outline = mWriter->AddChild(parent, title, page);
        if (!mKnownParents.contains(parent)) {
            mKnownParents.insert(parent);
            mNewParents.append(parent);
        }
    }
    mHierarchy.Place(level, outline);
    mHierarchy.ResetBelow(level);
    if (rules.multiLine) {
        mContinuationLevel = level;
        mContinuation.Remember(page, index, record, outline, title);
    }
}

void CBuildBookmarkAPI::SetNewParentsOpen()
{
    // A map without the option leaves the tree as the library made it.
    if (!mSettings->contains(SettingsKeys::CollapseBookmarks))
        return;
    const bool open = !mSettings->value(SettingsKeys::CollapseBookmarks).toBool();
    for (const int outline : qAsConst(mNewParents))
        mWriter->SetOpen(outline, open);
}

QStringList CBuildBookmarkAPI::extractWordsFromPage(int page)
{
    mLibrary->SelectPage(page);
    mLibrary->SetTextExtractionOptions(1, 0);
    const std::wstring text = mLibrary->GetPageText(3);
    return CTextRecord::SplitPage(
        QString::fromUcs4(reinterpret_cast<const uint*>(text.data()), static_cast<int>(text.size())));
}

QStringList CBuildBookmarkAPI::CreateKeywordList(const QString& path)
{
    return KeywordList::Read(path);
}

void CBuildBookmarkAPI::LoadDocFonts()
{
    mDocumentFonts = CDocumentFonts::Load(*mLibrary);
}

QStringList CBuildBookmarkAPI::MatchFont(const QString& name)
{
    return Fonts().Match(name);
}

QString CBuildBookmarkAPI::RemoveSectionNumbers(const QString& text)
{
    return HeadingTitle::RemoveSectionNumbers(text);
}

CFontNameMatcher& CBuildBookmarkAPI::Fonts()
{
    if (!mFonts)
        mFonts = std::make_unique<CFontNameMatcher>(&CFontNameMatcher::InstalledFamilies);
    return *mFonts;
}
