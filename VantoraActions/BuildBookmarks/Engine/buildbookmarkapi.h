#pragma once

#include "documentfonts.h"
#include "headingcontinuation.h"
#include "headinghierarchy.h"
#include "indentationunits.h"

#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

class OmbrelPDFLibraryCPDylibCPP1311;
class CFontNameMatcher;
class CHeadingDetector;
class COutlineWriter;
struct CTextRecord;

// The bookmark engine: finds the headings in a document's text by the level
// definitions of the settings map and writes them as a bookmark tree. One
// engine serves one run: construct, BuildBookmarks() once, destroy.
class CBuildBookmarkAPI
{
public:
    // Borrows both; the library must have the document open. Removes the
    // existing bookmarks in Overwrite mode and notes the anchor in Before mode.
    CBuildBookmarkAPI(OmbrelPDFLibraryCPDylibCPP1311* library, QMap<QString, QVariant>* settings);
    ~CBuildBookmarkAPI();

    CBuildBookmarkAPI(const CBuildBookmarkAPI&) = delete;
    CBuildBookmarkAPI& operator=(const CBuildBookmarkAPI&) = delete;

    void BuildBookmarks();

    QStringList extractWordsFromPage(int page);
    static QStringList CreateKeywordList(const QString& path);
    void LoadDocFonts();
    // Part of the engine's interface for other callers; detection matches
    // through its per-run matcher instead.
    QStringList MatchFont(const QString& name);
    static QString RemoveSectionNumbers(const QString& text);

    const CDocumentFonts& DocumentFonts() const { return mDocumentFonts; }

    // The unit conversions the wizard stores indentations with.
    static double mmToPoint(double x) { return IndentationUnits::ToPoints(x, IndentationUnits::Millimetre); }
    static double mmToInch(double x) { return IndentationUnits::Convert(x, IndentationUnits::Millimetre, IndentationUnits::Inch); }
    static double pointToMM(double x) { return IndentationUnits::FromPoints(x, IndentationUnits::Millimetre); }
    static double pointToInch(double x) { return IndentationUnits::FromPoints(x, IndentationUnits::Inch); }
    static double inchToMM(double x) { return IndentationUnits::Convert(x, IndentationUnits::Inch, IndentationUnits::Millimetre); }
    static double inchToPoint(double x) { return IndentationUnits::ToPoints(x, IndentationUnits::Inch); }

private:
    CFontNameMatcher& Fonts();
    // Files one record of `page` that the detector took for a heading.
    void FileHeading(CHeadingDetector& detector, int level, const QString& maskMatch, int page,
                     int index, const CTextRecord& record);
    // Joins record `index` of `page` to the last heading when it continues
    // it; such a record is not tested as a heading of its own.
    bool JoinContinuation(const CHeadingDetector& detector, int page, int index, const CTextRecord& record);
    // Opens or closes the new bookmarks that got children, when the map says which.
    void SetNewParentsOpen();

    OmbrelPDFLibraryCPDylibCPP1311* mLibrary;
    QMap<QString, QVariant>* mSettings;
    int mLevelCount = 0;
    CHeadingHierarchy mHierarchy;  // last bookmark and heading count per level
    QList<QStringList> mKeywordLists;
    std::unique_ptr<COutlineWriter> mWriter;
    CDocumentFonts mDocumentFonts;
    std::unique_ptr<CFontNameMatcher> mFonts;  // made on first use, once per run
    CHeadingContinuation mContinuation;
    int mContinuationLevel = 0;  // the level of the heading it remembers
    bool mExactText = false;
    QList<int> mNewParents;  // in the order they got their first child
    QSet<int> mKnownParents;
};
