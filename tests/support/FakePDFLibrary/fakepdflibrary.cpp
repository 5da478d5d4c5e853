#include "fakepdflibrary.h"
#include "fakestate.h"

#include <dlfcn.h>
#include <climits>
#include <cstdlib>
#include <stdexcept>

FakeState& TheFakeState()
{
    static FakeState state;
    return state;
}

void FakeState::Record(const std::string& name, const std::string& line)
{
    calls.push_back(line);
    const auto found = failures.find(name);
    if (found == failures.end())
        return;
    FakeFailure& failure = found->second;
    if (failure.skip > 0) {
        --failure.skip;
        return;
    }
    if (failure.times <= 0)
        return;
    --failure.times;
    throw std::runtime_error("scripted failure of ULR" + name);
}

namespace FakePDFLibrary {

void Reset()
{
    TheFakeState() = FakeState();
}

Document& Doc()
{
    return TheFakeState().document;
}

std::vector<int> TopLevel()
{
    return TheFakeState().outlines.TopLevel();
}

const Outline* Find(int id)
{
    return TheFakeState().outlines.Find(id);
}

int AddExisting(int parent, const std::wstring& title, int page)
{
    return TheFakeState().outlines.Append(parent, title, page);
}

std::string Dump()
{
    return TheFakeState().outlines.Dump();
}

const std::vector<std::string>& Calls()
{
    return TheFakeState().calls;
}

void ClearCalls()
{
    TheFakeState().calls.clear();
}

void FailOn(const std::string& name, int skip, int times)
{
    TheFakeState().failures[name] = FakeFailure{skip, times};
}

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
