#pragma once

#include <QString>

class CommandRequest;

// The file a command that saves writes: the input itself with --in-place,
// or what -o names, which must not be the input under another name.
namespace OutputTarget {
// Throws a usage HostError when -o names the input: through a link, another
// path or a hard link, it would be overwritten without --in-place.
QString of(const CommandRequest& request, const QString& input);
// Whether both paths name one existing file.
bool sameFile(const QString& a, const QString& b);
}
