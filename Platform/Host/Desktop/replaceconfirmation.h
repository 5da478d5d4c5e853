#pragma once

#include "actionrecords.h"

class QWidget;

// Asks before the first run that would take away a document's bookmarks;
// the user may say not to be asked again.
class ReplaceConfirmation
{
public:
    // Whether a run with these settings removes the bookmarks there are.
    static bool replaces(const ActionPrefs& prefs);
    // True when the run may start.
    static bool confirm(QWidget* parent, const ActionPrefs& prefs, int existingBookmarks);
};
