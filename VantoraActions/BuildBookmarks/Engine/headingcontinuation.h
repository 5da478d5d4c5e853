#pragma once

#include "textrecord.h"

#include <QString>

// "Multi-line headings": a heading that runs over several lines arrives as
// several records. This remembers the last heading of a level that joins
// lines, so that the records right after it, in the heading's font, size and
// colour, directly below it and not left of it, join its title instead of
// being tested as records of their own.
class CHeadingContinuation
{
public:
    // A heading of a joining level got bookmark `outline` titled `title` from
    // record `index` of `page`.
    void Remember(int page, int index, const CTextRecord& record, int outline, const QString& title);
    // The next record is no continuation of anything.
    void Forget() { mOutline = -1; }

    // Whether record `index` of `page` continues the remembered heading.
    bool Continues(int page, int index, const CTextRecord& record) const;

    // Appends a line to the heading; returns its title after that.
    const QString& Append(int index, const CTextRecord& record, const QString& text);

    int Outline() const { return mOutline; }

    // `title` followed by the next line's `text`: a word broken at the line
    // end ("argu-", "ments") joins without its hyphen, a real hyphen
    // ("Emacs-", "Lisp") stays, anything else joins with a space.
    static QString Joined(const QString& title, const QString& text);

private:
    int mPage = 0;
    int mIndex = -1;
    int mOutline = -1;
    double mLeft = 0.0;  // the heading's left edge: its first line's
    CTextRecord mLine;   // the heading's last line so far
    QString mTitle;
};
