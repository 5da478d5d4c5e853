#include "settingsreference.h"

#include "handwrittensettings.h"
#include "settingskeys.h"

namespace SettingsReference {

namespace {

using SettingsKeys::ValueType;

QString TypeText(ValueType type)
{
    switch (type) {
    case ValueType::Bool:
        return QStringLiteral("true or false");
    case ValueType::Int:
        return QStringLiteral("whole number");
    case ValueType::Double:
        return QStringLiteral("number");
    case ValueType::String:
        return QStringLiteral("text");
    }
    return QString();
}

QString Row(const QString& key, const QString& type, const char* example, const char* meaning)
{
    QString cell = QString::fromUtf8(meaning);
    cell.replace(QLatin1Char('|'), QLatin1String("\\|"));
    return QStringLiteral("| `%1` | %2 | `%3` | %4 |\n").arg(key, type, QString::fromUtf8(example), cell);
}

const char* const Header = "| Key | Value | Example | What it does |\n|---|---|---|---|\n";

} // namespace

QString Markdown()
{
    QString text = QStringLiteral(
        "# Settings files\n\n"
        "<!-- Made from the settings key table; `tst_settingsreference` fails when they differ. -->\n\n"
        "`vantora run --settings FILE` takes the files the wizard writes (settings exports, tool settings\n"
        "files, favourites, action lists) and hand-written INI files like this one:\n\n"
        "```ini\n"
        "[BookmarksByContent]\n"
        "InsertionMode=0\n"
        "[Level1]\n"
        "FontSizeCheck=true\n"
        "FontSizeValue=20\n"
        "FontSizeTolerance=0.5\n"
        "FontColorCheck=true\n"
        "FontColor=#1f3a93\n"
        "TextMaskCheck=true\n"
        "TextMaskEdit=\"^\\\\d+ \"\n"
        "MultiLineHeadings=true\n"
        "[Level2]\n"
        "...\n"
        "```\n\n"
        "The options go into `[BookmarksByContent]`, each heading level into a `[LevelN]` section. A level\n"
        "key may also stand in `[BookmarksByContent]` with the level number appended (`FontSizeValue1`).\n"
        "A line of text becomes a heading of the first level whose checks all pass; a check counts only\n"
        "when its switch (`...Check`) is true. Keys that are absent read as false, 0 or empty. Put a value\n"
        "that holds a comma in double quotes, and double the backslashes in quoted values. Unknown keys,\n"
        "wrong types and values out of range are refused with a sentence naming the section and key.\n\n"
        "## [BookmarksByContent]\n\n");
    text += QLatin1String(Header);
    for (const SettingsKeys::KeyInfo& key : SettingsKeys::TopLevelKeys())
        if (*key.example)
            text += Row(key.name, TypeText(key.type), key.example, key.meaning);

    text += QStringLiteral("\n## [LevelN]\n\n");
    text += QLatin1String(Header);
    for (const SettingsKeys::LevelKeyInfo& key : SettingsKeys::LevelDefinitionKeys()) {
        if (!*key.example)
            continue;
        const bool words = key.base == SettingsKeys::FontColor || key.base == SettingsKeys::LeftIndentUnits;
        text += Row(key.base, words ? QStringLiteral("word or whole number") : TypeText(key.type), key.example,
                    key.meaning);
        if (key.base == SettingsKeys::KeyListEdit)
            text += Row(HandWrittenSettings::Keywords, QStringLiteral("list of text"),
                        HandWrittenSettings::KeywordsExample, HandWrittenSettings::KeywordsMeaning);
    }
    return text;
}

} // namespace SettingsReference
