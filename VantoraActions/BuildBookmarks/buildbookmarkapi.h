#pragma once

#include "documentfonts.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

class OmbrelPDFLibraryCPDylibCPP1311;
class CFontNameMatcher;
class COutlineWriter;

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
    QStringList MatchFont(const QString& name);
    static QString RemoveSectionNumbers(const QString& text);

    const CDocumentFonts& DocumentFonts() const { return mDocumentFonts; }
    const QList<QStringList>& KeywordLists() const { return mKeywordLists; }

    static double mmToPoint(double x) { return x / 25.4 * 72; }
    static double mmToInch(double x) { return x / 25.4; }
    static double pointToMM(double x) { return x / 72 * 25.4; }
    static double pointToInch(double x) { return x / 72; }
    static double inchToMM(double x) { return x * 25.4; }
    static double inchToPoint(double x) { return x * 72; }

private:
    CFontNameMatcher& Fonts();

    OmbrelPDFLibraryCPDylibCPP1311* mLibrary;
    QMap<QString, QVariant>* mSettings;
    int mLevelCount = 0;
    QList<QStringList> mKeywordLists;
    std::unique_ptr<COutlineWriter> mWriter;
    CDocumentFonts mDocumentFonts;
    std::unique_ptr<CFontNameMatcher> mFonts;  // made on first use, once per run
};
