#pragma once

#include "textrecord.h"

#include <QString>

// "Multi-line headings": a heading that runs over several lines arrives as
// several records. This remembers the last heading's last line so that the
// record right after it, in the same style and directly below, can be joined
// to it instead of becoming a heading of its own.
class CHeadingContinuation
{
public:
    // A heading of `level` got bookmark `outline` titled `title` from record
    // `index` of `page`. A dropped heading passes outline -1.
    void Remember(int level, int page, int index, const CTextRecord& record, int outline,
                  const QString& title);

    // Whether record `index` of `page`, accepted at `level`, continues that heading.
    bool Continues(int level, int page, int index, const CTextRecord& record) const;

    // Appends a line to the heading; returns its title after that.
    const QString& Append(int index, const CTextRecord& record, const QString& text);

    int Outline() const { return mOutline; }

private:
    int mLevel = -1;
    int mPage = 0;
    int mIndex = -1;
    int mOutline = -1;
    CTextRecord mLine;
    QString mTitle;
};
