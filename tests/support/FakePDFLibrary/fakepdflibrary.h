#pragma once

// A scripted stand-in for the PDF library, for tests that check exact call
// sequences. The test executable links FakePDFLibrary and hands the binding
// the same file (FakePDFLibrary::Path()), so the binding's dlopen returns the
// already-loaded library and the test scripts the very state the binding sees.

#include <string>
#include <vector>

namespace FakePDFLibrary {

struct Font
{
    std::wstring family;
    std::wstring name;
    int encoding = 0;
};

struct Outline
{
    int id = 0;
    int parent = 0;             // 0: top level
    std::wstring title;
    int page = 0;
    bool open = false;
    std::vector<int> children;  // in order
};

struct PageBox
{
    // GetPageBox(box, dimension) answers values[dimension] for any box;
    // dimensions 0 left, 1 top, 2 width, 3 height, 4 right, 5 bottom.
    double values[6] = {0.0, 792.0, 612.0, 792.0, 612.0, 0.0};
};

struct Document
{
    std::vector<std::wstring> pageTexts;  // GetPageText(3) of page i + 1
    std::vector<PageBox> pageBoxes;       // per page; missing pages use the default
    std::vector<Font> fonts;              // FindFonts / GetFontID(i) = i / SelectFont
    std::wstring installedFonts;          // GetInstalledFontsByCharset result
};

// Forget the document, the outline tree, the call log and any scripted failure.
void Reset();
Document& Doc();

// The outline tree: top-level ids in order, and every item by id.
std::vector<int> TopLevel();
const Outline* Find(int id);
// Adds an existing bookmark without logging (builds the "document had" state).
int AddExisting(int parent, const std::wstring& title, int page);
// The tree as text, one item per line, indented two blanks per level:
// "Title (page)".
std::string Dump();

// Every entry-point call after the binding's own (buffers, string lengths,
// instance), one line each, e.g. NewOutline(0,"Page 2",2,0) or
// SetOutlineDestinationFull(7,3,0,3,0,700.5,612,0). Numbers are printed with
// up to 6 significant digits, titles in UTF-8 between double quotes.
const std::vector<std::string>& Calls();
void ClearCalls();

// The next matching calls of entry point `name` (without "ULR") throw a C++
// exception, as a failing library would; `skip` calls pass first. A failing
// call is logged and changes nothing. A later FailOn of the same name replaces
// the earlier one.
void FailOn(const std::string& name, int skip = 0, int times = 1);

// The file to hand the binding.
std::wstring Path();

} // namespace FakePDFLibrary
