#include "recordnumber.h"

#include <cmath>
#include <cstdio>

namespace {

// Products below this are exact to well under the tie margin below.
const double kFastLimit = 1e12;
// How far from a rounding tie a product must be for the integer arithmetic to
// round as printf does; the product's own error is below 2e-4 here.
const double kTieMargin = 1e-3;

void AppendPrinted(std::wstring& out, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", value);
    std::string number(text);
    while (!number.empty() && number.back() == '0')
        number.pop_back();
    if (!number.empty() && number.back() == '.')
        number.pop_back();
    if (number == "-0" || number.empty())
        number = "0";
    out.append(number.begin(), number.end());
}

void AppendDigits(std::wstring& out, unsigned long long value)
{
    wchar_t digits[24];
    int count = 0;
    do
    {
        digits[count++] = static_cast<wchar_t>(L'0' + value % 10);
        value /= 10;
    } while (value);
    while (count)
        out += digits[--count];
}

} // namespace

void AppendRecordNumber(std::wstring& out, double value)
{
    if (!std::isfinite(value))
        value = 0;
    // Every page has thousands of these: printf is most of the formatting
    // time, so thousandths are counted in integers when that is exact.
    const double scaled = std::fabs(value * 1000.0);
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (!(scaled < kFastLimit) || std::fabs(fraction - 0.5) <= kTieMargin)
    {
        AppendPrinted(out, value);
        return;
    }
    const unsigned long long thousandths = static_cast<unsigned long long>(whole) + (fraction > 0.5 ? 1 : 0);
    if (thousandths == 0)
    {
        out += L'0';
        return;
    }
    if (value < 0)
        out += L'-';
    AppendDigits(out, thousandths / 1000);
    unsigned decimals = static_cast<unsigned>(thousandths % 1000);
    if (decimals == 0)
        return;
    out += L'.';
    for (unsigned unit = 100; decimals; unit /= 10)
    {
        out += static_cast<wchar_t>(L'0' + decimals / unit);
        decimals %= unit;
    }
}
