#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// A point on a page in PDF user space.
struct PagePoint
{
    double x = 0;
    double y = 0;
};

// Where a new bookmark points when its caller leaves the place to the
// library (NewOutline's position 0): at the line of the page its title was
// made from. A caller that makes bookmarks from a page's text has just read
// that text, so the lines searched are those of the page text last handed
// out.
class OutlineAnchors
{
public:
    // The text records just handed out for a page.
    void PageTextGiven(int page, const std::wstring& records);
    void Forget();
    // The left and top of the line the title came from: the whole line, the
    // line with its section number added or removed, a part of the line, or
    // the first line of a title joined from several. Empty when the page is
    // not the one whose text was handed out last, or no line fits.
    std::optional<PagePoint> Find(int page, const std::wstring& title);

private:
    struct Line
    {
        std::wstring text; // trimmed, white space runs as one blank
        std::wstring key;  // text without a leading section number
        PagePoint topLeft;
    };
    enum class Fit { Whole, Numbers, Part, FirstLine, None };

    void ReadLines();
    static Fit FitOf(const Line& line, const std::wstring& title, const std::wstring& titleKey);
    // The best fitting line from `from` up to `to`.
    std::optional<std::size_t> Best(std::size_t from, std::size_t to, const std::wstring& title,
                                    const std::wstring& titleKey) const;

    int mPage = 0;
    std::wstring mRecords; // read into mLines on the first search
    bool mRead = false;
    std::vector<Line> mLines;
    // After the line found last: headings are met in reading order, so a
    // title that stands twice on a page goes to its next place first.
    std::size_t mNext = 0;
};
