#pragma once

#include "outlineitem.h"

class CommandRequest;
class QTextStream;

// Prints an outline the way `vantora outline` does: an indented tree for
// people (two blanks per level, the page at the right), the editable text of
// OutlineText, or JSON.
namespace OutlinePrinter {
enum class Format { Tree, Text, Json };

// The format a command's --format and --json ask for.
Format requested(const CommandRequest& request);
void print(const QList<OutlineItem>& items, Format format, QTextStream& out);
}
