#pragma once

#include <string>

// Appends a number as the text records write it: plain decimal, full stop,
// rounded to three decimals as printf's "%.3f" rounds, no trailing zeros, no
// negative zero; 0 for what is not finite.
void AppendRecordNumber(std::wstring& out, double value);
