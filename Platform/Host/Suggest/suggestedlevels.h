#pragma once

#include "suggestedchecks.h"

#include <QList>
#include <QStringList>

// One suggested level: its checks, and why, in words, for the comment above
// the level in the settings file.
struct SuggestedLevel
{
    SuggestedChecks checks;
    QStringList reasons;
};

// Levels read from a document's text alone (never from its outline): one per
// heading level found, largest first.
struct SuggestedLevels
{
    QList<SuggestedLevel> levels;
    QStringList notes;  // about the whole document: the body text
    QString refusal;    // set, with no levels, when the text allows none

    // pages: each page's text records, one string per record, as the PDF
    // library's text extraction gives them.
    static SuggestedLevels suggest(const QList<QStringList>& pages);
};
