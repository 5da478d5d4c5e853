#pragma once

#include "outlineitem.h"

class QTextStream;

// The outline as text a person edits: one item a line, two blanks of indent
// per level, the title in double quotes (\" and \\ escaped), the page, and
// "closed" after a parent that does not show its children:
//
//   "1 Getting Started" 3
//     "1.1 Installing \"Lanternfish\"" 3
//
// Blank lines and lines starting with # are skipped. The text carries no
// destinations: items read from it open their page at its top.
namespace OutlineText {
void write(const QList<OutlineItem>& items, QTextStream& out);
// A mistake throws a HostError naming source and the line.
QList<OutlineItem> parse(const QString& text, const QString& source);
}
