#include "textlines.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <utility>

namespace {

// A gap wider than this share of the font size reads as a word break; tight
// kerning and font changes stay well below it.
const double kWordGap = 0.15;
// Baselines this close (share of the size, within fixed bounds) are one line.
const double kBaselineShare = 0.2;
const double kMinBaselineTolerance = 0.5;
const double kMaxBaselineTolerance = 2.0;
// Directions are compared to the degree.
const double kDegree = 3.14159265358979323846 / 180.0;

bool IsSpace(char32_t c)
{
    return c <= 0x20 || c == 0x7F || c == 0xA0 || (c >= 0x2000 && c <= 0x200B) || c == 0x3000
        || c == 0x202F || c == 0x205F || c == 0xFEFF;
}

bool IsBlank(const std::u32string& text)
{
    return std::all_of(text.begin(), text.end(), IsSpace);
}

struct LineDraft
{
    double dirX, dirY;
    double baseline;  // perpendicular offset of the baseline
    double size;
    std::vector<std::size_t> glyphs;
};

double Along(const LineDraft& line, const TextGlyph& g)
{
    return line.dirX * g.originX + line.dirY * g.originY;
}

double Across(const LineDraft& line, const TextGlyph& g)
{
    return -line.dirY * g.originX + line.dirX * g.originY;
}

double Tolerance(double size)
{
    return std::min(kMaxBaselineTolerance, std::max(kMinBaselineTolerance, kBaselineShare * size));
}

// The most frequent value, the first seen winning a tie.
template <typename Value>
class Majority
{
public:
    void Add(const Value& value)
    {
        for (auto& entry : mCounts)
            if (entry.first == value)
            {
                ++entry.second;
                return;
            }
        mCounts.emplace_back(value, 1);
    }
    Value Winner() const
    {
        const std::pair<Value, int>* best = nullptr;
        for (const auto& entry : mCounts)
            if (!best || entry.second > best->second)
                best = &entry;
        return best ? best->first : Value();
    }

private:
    std::vector<std::pair<Value, int>> mCounts;
};

bool Finish(const LineDraft& draft, const std::vector<TextGlyph>& glyphs, TextLine& line)
{
    // By position along the line, content order among equals: the glyph
    // indices rise, so sorting on (position, index) is that stable order.
    std::vector<std::pair<double, std::size_t>> order;
    order.reserve(draft.glyphs.size());
    for (std::size_t index : draft.glyphs)
        order.emplace_back(Along(draft, glyphs[index]), index);
    std::sort(order.begin(), order.end());

    Majority<int> fonts;
    Majority<unsigned> colours;
    Majority<long long> sizes;
    double alongMin = std::numeric_limits<double>::max();
    double alongMax = std::numeric_limits<double>::lowest();
    double acrossMin = std::numeric_limits<double>::max();
    double acrossMax = std::numeric_limits<double>::lowest();
    double previousEnd = std::numeric_limits<double>::lowest();
    const TextGlyph* previous = nullptr;
    bool pendingSpace = false;

    for (const auto& [start, index] : order)
    {
        const TextGlyph& g = glyphs[index];
        const double end = start + g.advance;
        if (IsBlank(g.text))
        {
            pendingSpace = !line.text.empty();
            previousEnd = std::max(previousEnd, end);
            continue;
        }
        // Simulated bold draws each glyph twice, a hair apart.
        if (previous && previous->text == g.text && std::fabs(start - Along(draft, *previous)) < 0.15 * g.size)
            continue;
        if (!line.text.empty() && (pendingSpace || start - previousEnd > kWordGap * std::max(g.size, previous->size)))
            line.text += U' ';
        pendingSpace = false;
        for (char32_t c : g.text)
            line.text += IsSpace(c) ? U' ' : c;
        previousEnd = end;
        previous = &g;

        fonts.Add(g.font);
        colours.Add(g.colour);
        sizes.Add(std::llround(g.size * 1000.0));
        const double across = Across(draft, g);
        alongMin = std::min(alongMin, start);
        alongMax = std::max(alongMax, end);
        acrossMin = std::min(acrossMin, across + g.descent);
        acrossMax = std::max(acrossMax, across + g.ascent);
    }
    if (line.text.empty())
        return false;

    line.font = fonts.Winner();
    line.colour = colours.Winner();
    line.size = static_cast<double>(sizes.Winner()) / 1000.0;
    const auto point = [&](double along, double across, double* out) {
        out[0] = along * draft.dirX - across * draft.dirY;
        out[1] = along * draft.dirY + across * draft.dirX;
    };
    point(alongMin, acrossMin, line.corners + 0);
    point(alongMax, acrossMin, line.corners + 2);
    point(alongMax, acrossMax, line.corners + 4);
    point(alongMin, acrossMax, line.corners + 6);
    return true;
}

} // namespace

std::vector<TextLine> BuildTextLines(const std::vector<TextGlyph>& glyphs)
{
    std::vector<LineDraft> drafts;
    // Lines by direction (whole degrees) and baseline bucket, so that a page
    // of many lines is not searched glyph by glyph.
    std::map<std::pair<long, long>, std::vector<std::size_t>> index;
    std::size_t last = std::numeric_limits<std::size_t>::max();

    for (std::size_t i = 0; i < glyphs.size(); ++i)
    {
        const TextGlyph& g = glyphs[i];
        const auto fits = [&](std::size_t lineIndex) {
            const LineDraft& line = drafts[lineIndex];
            return line.dirX * g.dirX + line.dirY * g.dirY > 0.9998
                && std::fabs(Across(line, g) - line.baseline) <= Tolerance(std::min(line.size, g.size));
        };
        // Most glyphs continue the line of the one before.
        if (last < drafts.size() && fits(last))
        {
            drafts[last].glyphs.push_back(i);
            continue;
        }

        std::size_t found = std::numeric_limits<std::size_t>::max();
        const long angle = std::lround(std::atan2(g.dirY, g.dirX) / kDegree);
        const double across = -g.dirY * g.originX + g.dirX * g.originY;
        const long bucket = static_cast<long>(std::floor(across / kMaxBaselineTolerance));
        for (long b = bucket - 1; b <= bucket + 1 && found == std::numeric_limits<std::size_t>::max(); ++b)
        {
            const auto candidates = index.find({angle, b});
            if (candidates == index.end())
                continue;
            for (std::size_t lineIndex : candidates->second)
                if (fits(lineIndex))
                {
                    found = lineIndex;
                    break;
                }
        }
        if (found == std::numeric_limits<std::size_t>::max())
        {
            found = drafts.size();
            drafts.push_back({g.dirX, g.dirY, across, g.size, {}});
            index[{angle, bucket}].push_back(found);
        }
        drafts[found].glyphs.push_back(i);
        last = found;
    }

    std::vector<TextLine> lines;
    lines.reserve(drafts.size());
    for (const LineDraft& draft : drafts)
    {
        TextLine line;
        if (Finish(draft, glyphs, line))
            lines.push_back(std::move(line));
    }
    return lines;
}
