// The control functions and the entry points the action calls, served from
// one scripted document shared by every library instance. Tests drive the
// fake from one thread, so nothing is locked.
#include "fakepdflibrary.h"
#include "outlinetree.h"
#include "ulrentrypoints.h"

#include <dlfcn.h>
#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <stdexcept>

namespace {

struct Failure
{
    int skip = 0;
    int times = 0;
};

struct State
{
    std::vector<std::wstring> pages;
    FakeOutlineTree outlines;
    std::vector<std::string> calls;
    std::map<std::string, Failure> failures;
    int selectedPage = 1;
    std::wstring result;  // the last wide-string result
};

State& The()
{
    static State state;
    return state;
}

std::string Argument(int value) { return std::to_string(value); }
std::string Argument(const std::wstring& value) { return '"' + FakeAscii(value) + '"'; }

std::string Argument(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

// Logs the call, then throws when a failure of `name` is due: a failing call
// is logged and changes nothing.
template <typename... Arguments>
void Log(const char* name, const Arguments&... arguments)
{
    std::string list;
    ((list += (list.empty() ? "" : ",") + Argument(arguments)), ...);
    The().calls.push_back(std::string(name) + '(' + list + ')');
    const auto found = The().failures.find(name);
    if (found == The().failures.end())
        return;
    Failure& failure = found->second;
    if (failure.skip > 0) {
        --failure.skip;
    } else if (failure.times > 0) {
        --failure.times;
        throw std::runtime_error(std::string("scripted failure of ULR") + name);
    }
}

// The library takes a wide-string argument's buffer over; null is "".
std::wstring TakeWide(const wchar_t* buffer)
{
    const std::wstring text = buffer ? buffer : L"";
    delete[] reinterpret_cast<const char*>(buffer);
    return text;
}

wchar_t* Result(std::wstring text)
{
    The().result = std::move(text);
    return &The().result[0];
}

int PageCount() { return static_cast<int>(The().pages.size()); }

} // namespace

namespace FakePDFLibrary {

void Reset() { The() = State(); }
std::vector<std::wstring>& Pages() { return The().pages; }
int AddExisting(int parent, const std::wstring& title, int page) { return The().outlines.Append(parent, title, page); }
std::string Dump() { return The().outlines.Dump(); }
const std::vector<std::string>& Calls() { return The().calls; }
void FailOn(const std::string& name, int skip, int times) { The().failures[name] = Failure{skip, times}; }

std::wstring Path()
{
    Dl_info info = {};
    if (!dladdr(reinterpret_cast<void*>(&Reset), &info) || !info.dli_fname)
        return std::wstring();
    char resolved[PATH_MAX];
    const char* path = realpath(info.dli_fname, resolved) ? resolved : info.dli_fname;
    // The binding keeps the low byte of every code unit: one unit per byte
    // gives it back the file system's own bytes.
    std::wstring wide;
    for (const char* at = path; *at; ++at)
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*at)));
    return wide;
}

} // namespace FakePDFLibrary

extern "C" {

// The binding's own entry points: not logged, never failing.

int ULRCreateLibrary(void) { return 1; }
int ULRStringResultLength(int) { return static_cast<int>(The().result.size()); }

// Zeroed beyond its size, so a wide string in it ends there.
char* ULRCreateBuffer(int, int size) { return new char[static_cast<std::size_t>(std::max(size, 0)) + sizeof(wchar_t)](); }

int ULRAddToBuffer(int, char* buffer, const char* data, int size)
{
    std::memcpy(buffer, data, static_cast<std::size_t>(std::max(size, 0)));
    return 1;
}

// Pages: every one US Letter (left, top, width, height, right, bottom).

int ULRPageCount(int) { Log("PageCount"); return PageCount(); }
int ULRSetTextExtractionOptions(int, int option, int value) { Log("SetTextExtractionOptions", option, value); return 1; }

int ULRSelectPage(int, int page)
{
    Log("SelectPage", page);
    The().selectedPage = page;
    return page >= 1 && page <= PageCount() ? 1 : 0;
}

wchar_t* ULRGetPageText(int, int extractOptions)
{
    Log("GetPageText", extractOptions);
    const int page = The().selectedPage;
    return Result(page >= 1 && page <= PageCount() ? The().pages[static_cast<std::size_t>(page - 1)] : L"");
}

double ULRGetPageBox(int, int boxType, int dimension)
{
    Log("GetPageBox", boxType, dimension);
    static const double letter[] = {0, 792, 612, 792, 612, 0};
    return dimension >= 0 && dimension < 6 ? letter[dimension] : 0.0;
}

// The outline tree.

int ULROutlineCount(int) { Log("OutlineCount"); return The().outlines.Count(); }
int ULRGetFirstOutline(int) { Log("GetFirstOutline"); return The().outlines.FirstChild(0); }
int ULRGetFirstChildOutline(int, int id) { Log("GetFirstChildOutline", id); return id ? The().outlines.FirstChild(id) : 0; }
int ULRGetNextOutline(int, int id) { Log("GetNextOutline", id); return The().outlines.Next(id); }
int ULRRemoveOutline(int, int id) { Log("RemoveOutline", id); return The().outlines.Remove(id) ? 1 : 0; }
int ULRMoveOutlineBefore(int, int id, int sibling)
{
    Log("MoveOutlineBefore", id, sibling);
    return The().outlines.MoveBefore(id, sibling) ? 1 : 0;
}
int ULROpenOutline(int, int id) { Log("OpenOutline", id); return 1; }
int ULRCloseOutline(int, int id) { Log("CloseOutline", id); return 1; }

int ULRNewOutline(int, int parent, wchar_t* title, int page, double position)
{
    const std::wstring text = TakeWide(title);
    Log("NewOutline", parent, text, page, position);
    return page >= 1 && page <= PageCount() ? The().outlines.Append(parent, text, page) : 0;
}

int ULRSetOutlineTitle(int, int id, wchar_t* title)
{
    const std::wstring text = TakeWide(title);
    Log("SetOutlineTitle", id, text);
    return The().outlines.SetTitle(id, text) ? 1 : 0;
}

int ULRSetOutlineDestinationFull(int, int id, int page, int zoom, int destType, double c1, double c2, double c3,
                                 double c4)
{
    Log("SetOutlineDestinationFull", id, page, zoom, destType, c1, c2, c3, c4);
    return 1;
}

} // extern "C"
