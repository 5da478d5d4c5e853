#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>

// Bridges PDF font names (subset prefixes, MT suffixes, style suffixes) and the
// installed font families the wizard offers: the first element of a match is
// a family, the rest are the style flags "fsBold" / "fsItalic"; no fitting
// family gives "Arial", "None".
class CFontNameMatcher
{
public:
    explicit CFontNameMatcher(QStringList families);
    // The families asked for at the first match: a run whose levels test no
    // font name never waits for the font database.
    explicit CFontNameMatcher(std::function<QStringList()> families);

    // The families of the platform's font database, or none when there is no
    // GUI application to ask.
    static QStringList InstalledFamilies();

    QStringList Match(const QString& pdfFontName) const;

    // The family of Match(), remembered per font name: a document uses few
    // fonts but has many records.
    const QString& Family(const QString& pdfFontName);

private:
    struct Candidate
    {
        QString family;
        QString noSpaces;           // F1
        QString noSpacesNoHyphens;  // F2
    };

    void SetFamilies(QStringList families) const;
    const Candidate* FindStyled(const QString& name, const QStringList& flags) const;
    const Candidate* FindPlain(const QString& name) const;

    mutable std::function<QStringList()> mPendingFamilies;
    mutable QList<Candidate> mCandidates;
    QHash<QString, QString> mFamilyByName;
};
