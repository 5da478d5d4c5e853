#pragma once

#include "actionrecords.h"

// A level's checks in a few words, for messages: "size 20 ± 0.5, colour
// #1f3a93, mask "^\d+ "".
namespace LevelChecks {
QString describe(const ActionPrefs& prefs, int level);
}
