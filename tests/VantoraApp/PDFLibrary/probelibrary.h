#pragma once

#include <string>
#include <vector>

// What the probe library saw of the binding. The probe answers fixed values
// (PageCount 42, GetPageBox 1.5, GetPageText "probe", NewOutline 7) so a test
// can tell a real call from a neutral answer.
struct ProbeRecord
{
    int createLibraryCalls = 0;
    int releaseLibraryCalls = 0;
    int releasedInstance = 0;
    std::vector<const char*> buffersMade;
    std::vector<const char*> buffersReleased;
    const wchar_t* lastTitlePointer = nullptr;
    std::wstring lastTitle;
    std::string lastBytes;
};

constexpr int ProbeInstanceID = 17;

// Exported by the probe library; a test finds it with dlsym.
using ProbeStateFn = ProbeRecord* (*)();
constexpr const char* ProbeStateSymbol = "ProbeState";
