#pragma once

#include "textstyle.h"

#include <QRegExp>
#include <QSet>
#include <QStringList>

#include <cmath>

struct RecordLine;

// The checks of one level as the engine applies them: a line passes when
// every check that is on passes.
struct SuggestedChecks
{
    double size = 0.0;
    double tolerance = 0.0;
    QString font;   // empty: no font check
    QString colour; // empty: no colour check
    QStringList maskParts; // lookaheads the whole mask is made of
    QSet<QString> keywords; // texts that are no headings
    bool multiLine = false;

    QString mask() const { return maskParts.isEmpty() ? QString() : QLatin1Char('^') + maskParts.join(QString()); }
    bool passes(const RecordLine& line) const;
    // Whether the mask is on and takes the text: the engine then starts a
    // heading there rather than join the line to the title above.
    bool maskTakes(const QString& text) const { return !maskParts.isEmpty() && mCompiled.indexIn(text) >= 0; }
    // Must be called after the mask parts change.
    void compileMask();

private:
    QRegExp mCompiled;
};
