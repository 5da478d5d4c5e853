// libFuzzer target: arbitrary bytes imported as a foreign bookmark-settings
// file. Besides memory errors it checks that the importer only writes keys
// of the settings map's own names, with one level character appended.
#include "ascabapi.h"
#include "settingskeys.h"

#include <QFile>
#include <QSet>
#include <QTemporaryFile>

#include <cstdint>
#include <cstdlib>

namespace {

QSet<QString> TopLevelNames()
{
    QSet<QString> names;
    for (const SettingsKeys::KeyInfo& key : SettingsKeys::TopLevelKeys())
        names << key.name;
    return names;
}

bool IsLevelKey(const QString& key)
{
    for (const SettingsKeys::LevelKeyInfo& level : SettingsKeys::LevelKeys()) {
        // The level character is one UTF-16 unit, or two for a character
        // outside the basic plane.
        const int extra = key.size() - level.base.size();
        if (key.startsWith(level.base) && (extra == 1 || extra == 2))
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryFile file;
    static const QSet<QString> topLevel = TopLevelNames();
    if (!file.isOpen() && !file.open())
        std::abort();
    file.resize(0);
    file.seek(0);
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    file.flush();

    QMap<QString, QVariant> prefs;
    CASCabAPI importer(file.fileName(), &prefs);
    importer.LoadASCab();

    const int levelCount = prefs.value(SettingsKeys::LevelCount).toInt();
    if (levelCount < 0 || levelCount > 9)
        std::abort();
    for (auto it = prefs.cbegin(); it != prefs.cend(); ++it)
        if (!topLevel.contains(it.key()) && !IsLevelKey(it.key()))
            std::abort();
    return 0;
}
