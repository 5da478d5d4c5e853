#pragma once

#include "actionrecords.h"

#include <QString>

// Why a run with these settings built no bookmark, in words that point at
// what to change.
namespace EmptyRunReason {
QString describe(const ActionPrefs& prefs, int pageCount);
}
