#pragma once

// A scripted stand-in for the PDF library, for tests that check what the
// action writes and how it survives a failing call. The test executable links
// FakePDFLibrary and hands the binding the same file (Path()), so the
// binding's dlopen returns the already-loaded library and the test scripts
// the very state the binding sees. Entry points it does not serve answer 0.

#include <string>
#include <vector>

namespace FakePDFLibrary {

// Forgets the pages, the bookmarks, the call log and any scripted failure.
void Reset();
// What GetPageText(3) gives for each page; their number is the page count.
std::vector<std::wstring>& Pages();
// A bookmark the document already had, added without logging; its id.
int AddExisting(int parent, const std::wstring& title, int page);
// The tree, one "Title (page)" line per item, indented two blanks a level.
std::string Dump();
// Every call after the binding's own, one line each, e.g.
// NewOutline(0,"Page 2",2,0); numbers with up to 6 significant digits.
const std::vector<std::string>& Calls();
// The next `times` calls of `name` (without "ULR") after `skip` passing
// ones are logged and then throw, as a failing library would.
void FailOn(const std::string& name, int skip = 0, int times = 1);
// The file to hand the binding.
std::wstring Path();

} // namespace FakePDFLibrary

#ifdef QT_CORE_LIB
#include <QStringList>

namespace FakePDFLibrary {

inline QStringList CallLog(const QStringList& names = {})
{
    QStringList lines;
    for (const std::string& call : Calls()) {
        const QString line = QString::fromStdString(call);
        if (names.isEmpty() || names.contains(line.section('(', 0, 0)))
            lines << line;
    }
    return lines;
}

inline QString Tree()
{
    return QString::fromStdString(Dump());
}

} // namespace FakePDFLibrary
#endif
