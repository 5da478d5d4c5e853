#include "ascabapi.h"

#include "actionutils.h"
#include "ascabentries.h"
#include "ascabline.h"
#include "settingskeys.h"

#include <QColor>

#include <algorithm>
#include <cmath>

namespace {

// Indentations of imported levels are in points.
constexpr int PointsUnit = 2;

enum ColorSpace { Gray = 0, Rgb = 1, Cmyk = 2 };

// Components are fractions of full intensity; a value outside 0 to 1 (or
// not a number) is taken as the nearest bound so the colour stays valid.
int ColorComponent(const QVariant& value)
{
    const double fraction = value.toDouble();
    if (!(fraction > 0.0))
        return 0;
    return CActionUtils::Round(std::min(fraction, 1.0) * 255);
}

int CmykChannel(int ink, int black)
{
    return ink + black > 255 ? 0 : 255 - (ink + black);
}

} // namespace

CASCabAPI::CASCabAPI(QString fileName, QMap<QString, QVariant>* map) : map(map), fileName(fileName)
{
}

QString CASCabAPI::ReadLine()
{
    if (!file.isOpen())
        return QString();
    QByteArray bytes = file.readLine();
    const int nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    return QString::fromUtf8(bytes);
}

void CASCabAPI::LoadASCab()
{
    if (!map)
        return;
    // A file that cannot be opened reads as an empty one.
    file.setFileName(fileName);
    file.open(QIODevice::ReadOnly | QIODevice::Text);

    int levelCount = 0;
    // The file starts with two characters that are not part of any entry.
    for (QString line = ReadLine().mid(2); !line.isEmpty() && !line.contains(QLatin1Char('>')); line = ReadLine()) {
        const std::optional<CASCabLine> entry = CASCabLine::Parse(line);
        if (!entry)
            continue;
        CASCabEntries::Apply(*entry, map);
        // Every entry carries a level, also the top-level ones.
        map->insert(SettingsKeys::CurUnit + entry->level, PointsUnit);
        levelCount = std::max(levelCount, QString(entry->level).toInt());
    }
    map->insert(SettingsKeys::LevelCount, levelCount);
    StoreLevelColors(levelCount);
    file.close();
}

void CASCabAPI::StoreLevelColors(int levelCount)
{
    using namespace SettingsKeys;
    for (int level = 1; level <= levelCount; ++level) {
        const int c0 = ColorComponent(map->value(Level(fontColorValue0, level)));
        const int c1 = ColorComponent(map->value(Level(fontColorValue1, level)));
        const int c2 = ColorComponent(map->value(Level(fontColorValue2, level)));
        const int c3 = ColorComponent(map->value(Level(fontColorValue3, level)));
        QColor color;
        switch (map->value(Level(fontColorSpace, level)).toInt()) {
        case Gray:
            color.setRgb(c0, c0, c0);
            break;
        case Rgb:
            color.setRgb(c0, c1, c2);
            break;
        case Cmyk:
            color.setRgb(CmykChannel(c0, c3), CmykChannel(c1, c3), CmykChannel(c2, c3));
            break;
        default:
            break;
        }
        map->insert(Level(ColorInHex, level), color);
    }
}
