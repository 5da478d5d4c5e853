#include "levelstyles.h"

#include "bodytext.h"
#include "headingstyle.h"

#include <cmath>
#include <utility>

namespace {

// Sizes closer than this in one font set one level.
constexpr double OneLevel = 0.3;
constexpr int MostLevels = 4;

// Two styles set one level when they differ in one thing only: the size by
// less than the eye sees, or the font.
bool SetsOneLevel(const TextStyle& larger, const TextStyle& smaller)
{
    const double apart = larger.size - smaller.size;
    return apart < 0.05 || (apart < OneLevel && larger.font == smaller.font);
}

} // namespace

QVector<LevelStyles> LevelStyles::group(const QVector<HeadingStyle>& styles, const BodyText& body)
{
    QVector<LevelStyles> levels;
    for (const HeadingStyle& style : styles) {
        if (style.joinsOnly)
            continue;
        const bool bodySize = style.style.size < body.style.size + 0.5;
        if (!levels.isEmpty() && !bodySize && SetsOneLevel(levels.last().styles.constLast(), style.style)) {
            LevelStyles& level = levels.last();
            level.styles << style.style;
            if (style.headings.size() > level.titles)
                std::swap(level.styles.first(), level.styles.last());
            level.titles = qMax(level.titles, int(style.headings.size()));
            continue;
        }
        levels << LevelStyles{{style.style}, bodySize, int(style.headings.size())};
    }
    // Titles set in program text ("8.1 plain") beside those of their size.
    for (const HeadingStyle& style : styles) {
        for (LevelStyles& level : levels) {
            if (style.joinsOnly && !level.bodySize && std::abs(level.styles.constFirst().size - style.style.size) < OneLevel)
                level.styles << style.style;
        }
    }
    if (levels.size() > MostLevels)
        levels.resize(MostLevels);
    return levels;
}

