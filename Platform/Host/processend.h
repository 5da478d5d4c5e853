#pragma once

class QTextStream;

// How a command-line run ends. Once its output is written and its file
// saved, freeing what it built object by object (a large manual's parsed
// document, the plug-in, Qt) only delays the end of the process, by tens of
// milliseconds: the process ends at once instead. Only main() allows it, so
// that a run inside a test returns; sanitizer builds end as usual, so that
// the leak check sees everything freed.
namespace ProcessEnd {

// This process is the command line's.
void allowEarlyEnd();

// Flushes out and ends the process with code when allowed; returns code
// otherwise.
int afterOutput(QTextStream& out, int code);

} // namespace ProcessEnd
