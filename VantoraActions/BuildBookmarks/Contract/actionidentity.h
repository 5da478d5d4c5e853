#pragma once

#include <QString>

// Who this action is to a host: the name the host lists it under, which is
// also the step name an action list file records for it.
namespace ActionIdentity {

inline const QString Name = QStringLiteral("Bookmarks by Content");
inline const QString Group = QStringLiteral("Bookmarks");

} // namespace ActionIdentity
