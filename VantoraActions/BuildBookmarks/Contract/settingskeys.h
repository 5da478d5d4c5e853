#pragma once

#include <QString>
#include <QVariant>

// The settings map's keys, once. Everything that reads or writes the map (the
// work procedure, the engine, the wizard, settings files) takes its key names
// and value types from these two tables.
//
// X(name, type) for the top-level keys.
#define BOOKMARK_TOP_LEVEL_KEYS(X) \
    X(NthChecked, Bool)            \
    X(MultiChecked, Bool)          \
    X(NthPage, Int)                \
    X(LevelCount, Int)             \
    X(InsertionMode, Int)          \
    X(ZoomSettings, Int)           \
    X(ZoomValue, Int)              \
    X(CollapseBookmarks, Bool)     \
    X(ExactText, Bool)             \
    X(ActionName, String)

// X(base name, type, role) for the per-level keys; the level number in decimal
// is appended to the base name. Role: Entered (set in the level editor),
// Derived (computed when a level is saved), Wizard (the wizard's own
// book-keeping), Foreign (written only by the foreign importer).
#define BOOKMARK_LEVEL_KEYS(X)                        \
    X(FontNameCheck, Bool, Entered)                   \
    X(FontNameCombo, String, Entered)                 \
    X(FontSizeCheck, Bool, Entered)                   \
    X(FontSizeValue, Double, Entered)                 \
    X(FontSizeTolerance, Double, Entered)             \
    X(FontColorCheck, Bool, Entered)                  \
    X(FontColor, Int, Entered)                        \
    X(LeftIndentCheck, Bool, Entered)                 \
    X(LeftIndentValue, Double, Entered)               \
    X(LeftIndentUnits, Int, Entered)                  \
    X(LeftIndentTolerance, Double, Entered)           \
    X(TextMaskCheck, Bool, Entered)                   \
    X(TextMaskEdit, String, Entered)                  \
    X(KeywordListCheck, Bool, Entered)                \
    X(IncludeRadio, Bool, Entered)                    \
    X(KeyListEdit, String, Entered)                   \
    X(RepeatedHeadings, Bool, Entered)                \
    X(MultiLineHeadings, Bool, Entered)               \
    X(LeadingNumbers, Int, Entered)                   \
    X(ColorInHex, String, Derived)                    \
    X(LeftIndentToPoints, Double, Derived)            \
    X(LeftIndentToleranceToPoints, Double, Derived)   \
    X(CurUnit, Int, Wizard)                           \
    X(Properties, String, Wizard)                     \
    X(fontColorSpace, Int, Foreign)                   \
    X(fontColorValue0, Double, Foreign)               \
    X(fontColorValue1, Double, Foreign)               \
    X(fontColorValue2, Double, Foreign)               \
    X(fontColorValue3, Double, Foreign)

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
};

struct LevelKeyInfo
{
    QString base;
    ValueType type;
    LevelKeyRole role;
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
#define BOOKMARK_TOP_KEY_INFO(name, type) {name, ValueType::type},
        BOOKMARK_TOP_LEVEL_KEYS(BOOKMARK_TOP_KEY_INFO)
#undef BOOKMARK_TOP_KEY_INFO
    };
    return keys;
}

inline const QList<LevelKeyInfo>& LevelKeys()
{
    static const QList<LevelKeyInfo> keys = {
#define BOOKMARK_LEVEL_KEY_INFO(name, type, role) {name, ValueType::type, LevelKeyRole::role},
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
