#pragma once

#include <QString>

// Text masks run in the engine's regular-expression dialect (QRegExp), which
// lacks much of what other dialects offer. Checking a mask there, and naming
// the construct it does not know, spares a user a run that silently matches
// nothing.
namespace TextMasks {

// Empty when the engine can run `pattern`; otherwise why not, as the end of a
// sentence ("uses lazy quantifiers such as .*?, which ...").
QString Problem(const QString& pattern);

} // namespace TextMasks
