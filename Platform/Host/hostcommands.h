#pragma once

#include "commandline.h"

class QTextStream;

// The commands that only look: the plug-in's identity, a document's outline,
// its text records and its fonts. Each returns the exit code or throws a
// HostError.
namespace HostCommands {
int info(const HostOptions& options, QTextStream& out);
int outline(const HostOptions& options, QTextStream& out);
int text(const HostOptions& options, QTextStream& out);
int fonts(const HostOptions& options, QTextStream& out);
}
