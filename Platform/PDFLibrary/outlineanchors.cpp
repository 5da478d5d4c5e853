#include "outlineanchors.h"

#include <algorithm>
#include <charconv>
#include <cwctype>

namespace {

// The fields of a record after the font name: colour, size, then the four
// corners of the line's box, x then y; the text follows.
const int kNumberFields = 10;
const int kFirstCorner = 2;

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\r' || c == 0xA0;
}

bool IsWordCharacter(wchar_t c)
{
    return std::iswalnum(static_cast<wint_t>(c)) != 0;
}

bool HasWord(const std::wstring& text)
{
    return std::any_of(text.begin(), text.end(), IsWordCharacter);
}

// Trimmed, every run of white space one blank: how the text compares.
std::wstring Collapsed(const std::wstring& text)
{
    std::wstring out;
    for (wchar_t c : text)
    {
        if (!IsBlank(c))
            out += c;
        else if (!out.empty() && out.back() != L' ')
            out += L' ';
    }
    if (!out.empty() && out.back() == L' ')
        out.pop_back();
    return out;
}

// Without the section number a caller may have added or removed ("1.2 ",
// "3."); the whole text when that leaves nothing.
std::wstring KeyOf(const std::wstring& text)
{
    const auto numbering = [](wchar_t c) { return std::iswdigit(static_cast<wint_t>(c)) || c == L'.' || c == L' '; };
    std::size_t start = 0;
    while (start < text.size() && numbering(text[start]))
        ++start;
    return start < text.size() ? text.substr(start) : text;
}

bool AtWordEdges(const std::wstring& text, std::size_t at, std::size_t length)
{
    const bool before = at == 0 || !IsWordCharacter(text[at - 1]) || !IsWordCharacter(text[at]);
    const std::size_t end = at + length;
    const bool after = end == text.size() || !IsWordCharacter(text[end]) || !IsWordCharacter(text[end - 1]);
    return before && after;
}

bool ContainsAsWords(const std::wstring& text, const std::wstring& part)
{
    for (std::size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + 1))
        if (AtWordEdges(text, at, part.size()))
            return true;
    return false;
}

// Records are ASCII numbers with a full stop, whatever the locale.
bool ReadNumber(const std::wstring& field, double& value)
{
    std::string ascii;
    for (wchar_t c : field)
    {
        if (c > 0x7F)
            return false;
        ascii += static_cast<char>(c);
    }
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    return result.ec == std::errc() && result.ptr == ascii.data() + ascii.size();
}

} // namespace

void OutlineAnchors::PageTextGiven(int page, const std::wstring& records)
{
    mPage = page;
    mRecords = records;
    mRead = false;
    mLines.clear();
    mNext = 0;
}

void OutlineAnchors::Forget()
{
    PageTextGiven(0, std::wstring());
}

void OutlineAnchors::ReadLines()
{
    mRead = true;
    std::size_t start = 0;
    while (start < mRecords.size())
    {
        std::size_t end = mRecords.find(L'\n', start);
        if (end == std::wstring::npos)
            end = mRecords.size();
        const std::wstring record = mRecords.substr(start, end - start);
        start = end + 1;

        // A font name holding a comma comes in double quotes.
        std::size_t at = record.compare(0, 1, L"\"") == 0 ? record.find(L'"', 1) : 0;
        at = at == std::wstring::npos ? at : record.find(L',', at);
        double numbers[kNumberFields] = {};
        bool complete = at != std::wstring::npos;
        for (int field = 0; complete && field < kNumberFields; ++field)
        {
            const std::size_t next = record.find(L',', at + 1);
            complete = next != std::wstring::npos
                && (field < kFirstCorner || ReadNumber(record.substr(at + 1, next - at - 1), numbers[field]));
            at = next;
        }
        if (!complete)
            continue;
        Line line;
        line.text = Collapsed(record.substr(at + 1));
        line.key = KeyOf(line.text);
        line.topLeft.x = std::min({numbers[2], numbers[4], numbers[6], numbers[8]});
        line.topLeft.y = std::max({numbers[3], numbers[5], numbers[7], numbers[9]});
        mLines.push_back(std::move(line));
    }
    mRecords.clear();
}

OutlineAnchors::Fit OutlineAnchors::FitOf(const Line& line, const std::wstring& title, const std::wstring& titleKey)
{
    if (line.text == title)
        return Fit::Whole;
    if (line.key == titleKey)
        return Fit::Numbers;
    if (HasWord(titleKey) && ContainsAsWords(line.text, titleKey))
        return Fit::Part;
    // A word broken at the line's end was joined without its hyphen.
    const bool broken = line.key.size() > 1 && line.key.back() == L'-';
    const std::wstring head = broken ? line.key.substr(0, line.key.size() - 1) : line.key;
    if (HasWord(head) && titleKey.size() > head.size() && titleKey.compare(0, head.size(), head) == 0
        && (broken || titleKey[head.size()] == L' '))
        return Fit::FirstLine;
    return Fit::None;
}

std::optional<std::size_t> OutlineAnchors::Best(std::size_t from, std::size_t to, const std::wstring& title,
                                                const std::wstring& titleKey) const
{
    std::optional<std::size_t> best;
    Fit bestFit = Fit::None;
    for (std::size_t i = from; i < to && bestFit != Fit::Whole; ++i)
    {
        const Fit fit = FitOf(mLines[i], title, titleKey);
        if (fit < bestFit)
        {
            best = i;
            bestFit = fit;
        }
    }
    return best;
}

std::optional<PagePoint> OutlineAnchors::Find(int page, const std::wstring& title)
{
    if (page <= 0 || page != mPage)
        return std::nullopt;
    const std::wstring text = Collapsed(title);
    if (!HasWord(text))
        return std::nullopt;
    if (!mRead)
        ReadLines();
    const std::wstring key = KeyOf(text);
    const std::size_t start = std::min(mNext, mLines.size());
    std::optional<std::size_t> found = Best(start, mLines.size(), text, key);
    if (!found)
        found = Best(0, start, text, key);
    if (!found)
        return std::nullopt;
    mNext = *found + 1;
    return mLines[*found].topLeft;
}
