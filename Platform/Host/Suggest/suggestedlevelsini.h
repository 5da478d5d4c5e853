#pragma once

#include <QString>

struct SuggestedLevels;

// Suggested levels as a hand-written settings file: the levels replace the
// document's bookmarks, each level's section under a comment saying why.
namespace SuggestedLevelsIni {

QString write(const SuggestedLevels& levels, const QString& source);

} // namespace SuggestedLevelsIni
