#pragma once

#include "commandrequest.h"

class QTextStream;

// The commands that only look: the plug-in's identity, a document's outline,
// its text records and its fonts. Each returns the exit code or throws a
// HostError.
namespace HostCommands {
int info(const CommandRequest& request, QTextStream& out);
int outline(const CommandRequest& request, QTextStream& out);
int text(const CommandRequest& request, QTextStream& out);
int fonts(const CommandRequest& request, QTextStream& out);
}
