#include "buildbookmarkapi.h"

#include "fontnamematcher.h"
#include "headingcontinuation.h"
#include "headingdetector.h"
#include "headinghierarchy.h"
#include "headingtitle.h"
#include "keywordlist.h"
#include "levelrules.h"
#include "outlinewriter.h"
#include "pdflibrarybinding.h"
#include "settingskeys.h"
#include "textrecord.h"

#include <QSet>

CBuildBookmarkAPI::CBuildBookmarkAPI(OmbrelPDFLibraryCPDylibCPP1311* library,
                                     QMap<QString, QVariant>* settings)
    : mLibrary(library), mSettings(settings)
{
    using namespace SettingsKeys;
    mLevelCount = mSettings->value(LevelCount).toInt();
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
    using namespace SettingsKeys;
    QVector<CLevelRules> levels;
    for (int level = 1; level <= mLevelCount; ++level)
        levels.append(CLevelRules::Read(*mSettings, level, mKeywordLists.at(level - 1)));

    const bool exactText = mSettings->value(ExactText).toBool();
    const bool collapseChosen = mSettings->contains(CollapseBookmarks);
    const bool collapse = mSettings->value(CollapseBookmarks).toBool();

    CHeadingDetector detector(std::move(levels), Fonts());
    CHeadingHierarchy hierarchy(mLevelCount);
    CHeadingContinuation continuation;
    QList<int> parents;  // new bookmarks that got children, in order
    QSet<int> parentSet;

    const int pages = mLibrary->PageCount();
    for (int page = 1; page <= pages; ++page) {
        const QStringList lines = extractWordsFromPage(page);
        for (int index = 0; index < lines.size(); ++index) {
            const CTextRecord record = CTextRecord::Parse(lines.at(index));
            const CHeadingDetector::Verdict verdict = detector.Classify(record);
            if (verdict.level < 0)
                continue;
            const int level = verdict.level;
            const CLevelRules& rules = detector.Level(level);

            const QString text = exactText
                ? HeadingTitle::ExactText(record.text, rules.textMaskCheck, verdict.maskMatch)
                : record.text;

            if (rules.multiLine && continuation.Continues(level, page, index, record)) {
                mWriter->Retitle(continuation.Outline(), continuation.Append(index, record, text));
                continue;
            }

            const int parent = hierarchy.Parent(level);
            int outline = CHeadingHierarchy::NoBookmark;
            QString title;
            if (parent >= 0) {
                hierarchy.Count(level);
                title = HeadingTitle::Compose(text, rules.leadingNumbers, hierarchy.SectionNumber(level));
                if (level == 0) {
                    outline = mWriter->AddTopLevel(title, page, record.destLeft, record.destTop);
                } else {
                    outline = mWriter->AddChild(parent, title, page);
                    if (!parentSet.contains(parent)) {
                        parentSet.insert(parent);
                        parents.append(parent);
                    }
                }
                hierarchy.Place(level, outline);
            }
            hierarchy.ResetBelow(level);
            continuation.Remember(level, page, index, record, parent >= 0 ? outline : -1, title);
        }
    }

    // Only maps that carry the option get their new tree opened or closed.
    if (collapseChosen)
        for (const int outline : parents)
            mWriter->SetOpen(outline, !collapse);
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
        mFonts = std::make_unique<CFontNameMatcher>(CFontNameMatcher::InstalledFamilies());
    return *mFonts;
}
