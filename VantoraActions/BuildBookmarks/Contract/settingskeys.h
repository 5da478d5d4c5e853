#pragma once

#include <QString>
#include <QVariant>

// The settings map's keys, once. Everything that reads or writes the map (the
// work procedure, the engine, the wizard, settings files) takes its key names
// and value types from these two tables.
//
// X(name, type, example, meaning) for the top-level keys. The example and
// the meaning are what a person writing a settings file by hand reads
// (docs/settings.md is made from them); an empty example marks a key the
// readers set themselves.
#define BOOKMARK_TOP_LEVEL_KEYS(X)                                                                       \
    X(NthChecked, Bool, "false",                                                                         \
      "true: one bookmark titled \"Page N\" every NthPage-th page, instead of the levels.")             \
    X(MultiChecked, Bool, "", "The opposite of NthChecked; set by the reader.")                         \
    X(NthPage, Int, "10", "With NthChecked: the step between bookmarked pages, 1 or more.")             \
    X(LevelCount, Int, "2",                                                                              \
      "The number of levels, up to 100; by default the highest level the file defines.")                \
    X(InsertionMode, Int, "0",                                                                           \
      "Where the new bookmarks go: 0 instead of the existing ones, 1 after them, 2 before them.")       \
    X(ZoomSettings, Int, "0",                                                                            \
      "How a top-level bookmark opens its page: 0 with the viewer's zoom, 1 at ZoomValue percent, "     \
      "2 fit width, 3 fit height, 4 fit page, 5 fit visible.")                                           \
    X(ZoomValue, Int, "150", "With ZoomSettings 1: the zoom in percent, 0 to 6400.")                    \
    X(CollapseBookmarks, Bool, "false",                                                                  \
      "true closes the new bookmarks that have children; false, the default, opens them.")             \
    X(ExactText, Bool, "false",                                                                          \
      "true titles a bookmark with what its level's mask matched, or else the trimmed line.")           \
    X(ActionName, String, "", "The action's name; set by the reader.")

// X(base name, type, role, example, meaning) for the per-level keys; the
// level number in decimal is appended to the base name (FontSizeValue1), or a
// hand-written file names the level by its [LevelN] section. Role: Entered
// (set in the level editor), Derived (computed when a level is saved),
// Wizard (the wizard's own book-keeping), Foreign (written only by the
// foreign importer).
#define BOOKMARK_LEVEL_KEYS(X)                                                                           \
    X(FontNameCheck, Bool, Entered, "true", "Switches the font name check on.")                         \
    X(FontNameCombo, String, Entered, "Helvetica",                                                       \
      "The font family a heading is set in; subset prefixes and style suffixes of the PDF's font "      \
      "names do not matter.")                                                                            \
    X(FontSizeCheck, Bool, Entered, "true", "Switches the font size check on.")                         \
    X(FontSizeValue, Double, Entered, "17.2",                                                            \
      "The heading's font size in points, as `vantora fonts` shows it.")                                \
    X(FontSizeTolerance, Double, Entered, "0.2",                                                         \
      "How far a line's size may lie from FontSizeValue, in points; 0 or more.")                        \
    X(FontColorCheck, Bool, Entered, "true", "Switches the colour check on.")                           \
    X(FontColor, Int, Entered, "#1f3a93",                                                                \
      "The heading's colour: #rrggbb or a colour name; or a row of the wizard's picker, 0 black, "      \
      "1 white, 2 grey, 3 red, 4 orange, 5 yellow, 6 green, 7 cyan, 8 blue, 9 fuchsia.")               \
    X(LeftIndentCheck, Bool, Entered, "true",                                                            \
      "Switches the indentation check on: a heading starts right of LeftIndentValue.")                  \
    X(LeftIndentValue, Double, Entered, "25", "The left edge a heading starts right of, in LeftIndentUnits.") \
    X(LeftIndentUnits, Int, Entered, "mm",                                                               \
      "The unit of LeftIndentValue and LeftIndentTolerance: mm, inch or pt (or 0, 1, 2); pt when "      \
      "absent.")                                                                                         \
    X(LeftIndentTolerance, Double, Entered, "1", "The indentation's tolerance, in LeftIndentUnits.")     \
    X(TextMaskCheck, Bool, Entered, "true", "Switches the text mask on.")                               \
    X(TextMaskEdit, String, Entered, "\"^\\\\d+ \"",                                                     \
      "A regular expression in the engine's QRegExp dialect that must match somewhere in the line; "    \
      "quote it and double its backslashes.")                                                            \
    X(KeywordListCheck, Bool, Entered, "true", "Switches the keyword list on.")                         \
    X(IncludeRadio, Bool, Entered, "false",                                                              \
      "true: only lines that are keywords are headings; false: lines that are keywords are not.")       \
    X(KeyListEdit, String, Entered, "keywords.txt",                                                      \
      "A file of keywords, one a line, instead of Keywords; a relative path is read beside the "    \
      "settings file.")                                           \
    X(RepeatedHeadings, Bool, Entered, "true",                                                           \
      "true: a text met before is no heading again (running headers); it counts texts tested at any "   \
      "level with this on.")                                                                             \
    X(MultiLineHeadings, Bool, Entered, "true",                                                          \
      "true: the lines right below a heading, in its style and not left of it, join its title.")        \
    X(LeadingNumbers, Int, Entered, "0",                                                                 \
      "Section numbers in the title: 0 as the text has them, 1 added, 2 removed.")                      \
    X(ColorInHex, String, Derived, "#1f3a93", "The colour as #rrggbb; derived from FontColor.")         \
    X(LeftIndentToPoints, Double, Derived, "", "LeftIndentValue in points; derived.")                   \
    X(LeftIndentToleranceToPoints, Double, Derived, "", "LeftIndentTolerance in points; derived.")      \
    X(CurUnit, Int, Wizard, "", "")                                                                      \
    X(Properties, String, Wizard, "", "")                                                                \
    X(fontColorSpace, Int, Foreign, "", "")                                                              \
    X(fontColorValue0, Double, Foreign, "", "")                                                          \
    X(fontColorValue1, Double, Foreign, "", "")                                                          \
    X(fontColorValue2, Double, Foreign, "", "")                                                          \
    X(fontColorValue3, Double, Foreign, "", "")

namespace SettingsKeys {

enum class ValueType { Bool, Int, Double, String };
enum class LevelKeyRole { Entered, Derived, Wizard, Foreign };

#define BOOKMARK_DECLARE_KEY(name, ...) inline const QString name = QStringLiteral(#name);
BOOKMARK_TOP_LEVEL_KEYS(BOOKMARK_DECLARE_KEY)
BOOKMARK_LEVEL_KEYS(BOOKMARK_DECLARE_KEY)
#undef BOOKMARK_DECLARE_KEY

struct KeyInfo
{
    QString name;
    ValueType type;
    const char* example;  // empty: set by the readers, not by hand
    const char* meaning;
};

struct LevelKeyInfo
{
    QString base;
    ValueType type;
    LevelKeyRole role;
    const char* example;  // empty: not written by hand
    const char* meaning;
};

// Per-level key: base name followed by the level number, no separator.
inline QString Level(const QString& base, int level)
{
    return base + QString::number(level);
}

// A value normalised to its key's type with the readers' conversions.
inline QVariant Normalised(const QVariant& value, ValueType type)
{
    switch (type) {
    case ValueType::Bool:
        return value.toBool();
    case ValueType::Int:
        return value.toInt();
    case ValueType::Double:
        return value.toDouble();
    case ValueType::String:
        return value.toString();
    }
    return value;
}

inline const QList<KeyInfo>& TopLevelKeys()
{
    static const QList<KeyInfo> keys = {
#define BOOKMARK_TOP_KEY_INFO(name, type, example, meaning) {name, ValueType::type, example, meaning},
        BOOKMARK_TOP_LEVEL_KEYS(BOOKMARK_TOP_KEY_INFO)
#undef BOOKMARK_TOP_KEY_INFO
    };
    return keys;
}

inline const QList<LevelKeyInfo>& LevelKeys()
{
    static const QList<LevelKeyInfo> keys = {
#define BOOKMARK_LEVEL_KEY_INFO(name, type, role, example, meaning) \
    {name, ValueType::type, LevelKeyRole::role, example, meaning},
        BOOKMARK_LEVEL_KEYS(BOOKMARK_LEVEL_KEY_INFO)
#undef BOOKMARK_LEVEL_KEY_INFO
    };
    return keys;
}

// The twenty-two keys a level carries from the editor: the entered ones and
// the derived ones.
inline QList<LevelKeyInfo> LevelDefinitionKeys()
{
    QList<LevelKeyInfo> keys;
    for (const LevelKeyInfo& key : LevelKeys())
        if (key.role == LevelKeyRole::Entered || key.role == LevelKeyRole::Derived)
            keys.append(key);
    return keys;
}

} // namespace SettingsKeys
