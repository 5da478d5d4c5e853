#pragma once

#include <QVector>

struct DocumentLines;
struct TextStyle;

// Why a line is no heading whatever its look: the lines a level's checks
// must keep out.
enum class LineFault {
    None,
    FewLetters,   // page numbers, index letters, symbols
    Long,         // running text
    Label,        // "Chapter 3", "PART": the title follows
    ListingEntry, // an entry of a contents page or index: ends in a page number
    FrontMatter,  // on the title page or the contents pages before the text
    Running,      // a running header or footer
    OffMargin,    // apart from where its style's titles start: a figure's or example's
};

namespace LineFaults {

// One fault per line of the document, None for a line that may be a
// heading; lines in the body's look or smaller are never headings and are
// left None.
QVector<LineFault> of(const DocumentLines& document, const TextStyle& body);

// Words a reader would take for a fault's name: "contents entries".
const char* describe(LineFault fault);

} // namespace LineFaults
