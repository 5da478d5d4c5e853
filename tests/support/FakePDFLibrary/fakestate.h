#pragma once

#include "fakepdflibrary.h"
#include "outlinetree.h"

#include <map>
#include <string>
#include <vector>

// What the control functions script and the entry points serve: one document
// per process, shared by every library instance.
struct FakeFailure
{
    int skip = 0;
    int times = 0;
};

struct FakeState
{
    FakePDFLibrary::Document document;
    FakeOutlineTree outlines;
    std::vector<std::string> calls;
    std::map<std::string, FakeFailure> failures;
    int selectedPage = 1;
    int selectedFont = 0;

    int PageCount() const { return static_cast<int>(document.pageTexts.size()); }

    // Logs the call, then throws std::runtime_error when a failure of `name`
    // is scripted for it: a failing call is logged and changes nothing.
    void Record(const std::string& name, const std::string& line);
};

FakeState& TheFakeState();
