#pragma once

#include <string>

// The font families installed on this machine, from fontconfig: sorted
// without regard to case, each once, separated by CR LF. Empty when
// fontconfig cannot be set up.
std::wstring InstalledFontFamilies();
