#include "handwrittensettings.h"

#include "actionidentity.h"
#include "actionutils.h"
#include "indentationunits.h"
#include "settingsfileerror.h"
#include "settingskeys.h"

#include <QColor>
#include <QRegularExpression>
#include <QSettings>

#include <algorithm>
#include <iterator>

namespace {

using SettingsKeys::ValueType;

using SettingsMap = QMap<QString, QVariant>;

// The wizard's colour combo box has no "(none)" row: its row r is picker index r + 1.
constexpr int LastPickerRow = 9;
constexpr int CustomColourRow = 10;

class Reader
{
public:
    explicit Reader(const QString& path) : mPath(path) {}

    void readSection(QSettings& file)
    {
        file.beginGroup(HandWrittenSettings::Section);
        for (const QString& key : file.childKeys())
            putKey(key, file.value(key), QStringLiteral("[%1]").arg(HandWrittenSettings::Section));
        file.endGroup();
    }

    void readLevelSections(QSettings& file)
    {
        static const QRegularExpression levelSection(QStringLiteral("^Level([1-9][0-9]{0,2})$"));
        for (const QString& group : file.childGroups()) {
            if (group == HandWrittenSettings::Section)
                continue;
            const QRegularExpressionMatch match = levelSection.match(group);
            if (!match.hasMatch())
                throw SettingsFileError(QStringLiteral("%1 has an unknown section [%2]; use [%3] and [Level1], [Level2], ....")
                                    .arg(QuotedPath(mPath), group, HandWrittenSettings::Section));
            const int level = match.captured(1).toInt();
            mHighestSectionLevel = qMax(mHighestSectionLevel, level);
            file.beginGroup(group);
            for (const QString& key : file.childKeys()) {
                const SettingsKeys::LevelKeyInfo* info = levelKey(key);
                if (!info)
                    throw SettingsFileError(QStringLiteral("%1 has an unknown key %2 in [%3].").arg(QuotedPath(mPath), key, group));
                put(SettingsKeys::Level(key, level), info->type, file.value(key), QStringLiteral("[%1]").arg(group));
            }
            file.endGroup();
        }
    }

    SettingsMap finish()
    {
        if (!mPrefs.contains(SettingsKeys::LevelCount))
            mPrefs.insert(SettingsKeys::LevelCount, qMax(mHighestSectionLevel, mHighestNumberedLevel));
        const bool nth = mPrefs.value(SettingsKeys::NthChecked).toBool();
        mPrefs.insert(SettingsKeys::MultiChecked, !nth);
        mPrefs.insert(SettingsKeys::ActionName, ActionIdentity::Name);
        // As in the wizard, where the box starts unticked: new parents open.
        if (!mPrefs.contains(SettingsKeys::CollapseBookmarks))
            mPrefs.insert(SettingsKeys::CollapseBookmarks, false);
        const int levels = mPrefs.value(SettingsKeys::LevelCount).toInt();
        for (int level = 1; level <= levels; ++level)
            deriveLevel(level);
        return mPrefs;
    }

private:
    void putKey(const QString& key, const QVariant& value, const QString& where)
    {
        for (const SettingsKeys::KeyInfo& info : SettingsKeys::TopLevelKeys()) {
            if (info.name == key && key != SettingsKeys::ActionName) {
                put(key, info.type, value, where);
                return;
            }
        }
        for (const SettingsKeys::LevelKeyInfo& info : SettingsKeys::LevelDefinitionKeys()) {
            const QString number = key.mid(info.base.size());
            if (!key.startsWith(info.base) || number.isEmpty() || number.startsWith(QLatin1Char('0')))
                continue;
            bool isNumber = false;
            const int level = number.toInt(&isNumber);
            if (!isNumber || level < 1)
                continue;
            mHighestNumberedLevel = qMax(mHighestNumberedLevel, level);
            put(key, info.type, value, where);
            return;
        }
        throw SettingsFileError(QStringLiteral("%1 has an unknown key %2 in %3.").arg(QuotedPath(mPath), key, where));
    }

    static const SettingsKeys::LevelKeyInfo* levelKey(const QString& base)
    {
        static const QList<SettingsKeys::LevelKeyInfo> keys = SettingsKeys::LevelDefinitionKeys();
        for (const SettingsKeys::LevelKeyInfo& info : keys)
            if (info.base == base)
                return &info;
        return nullptr;
    }

    void put(const QString& key, ValueType type, const QVariant& value, const QString& where)
    {
        // An unquoted comma makes QSettings split the value into a list.
        if (value.type() == QVariant::StringList)
            throw SettingsFileError(QStringLiteral("The value of %1 in %2 of %3 holds a comma; put it in double quotes.")
                                .arg(key, where, QuotedPath(mPath)));
        const QString text = value.toString().trimmed();
        bool ok = true;
        QVariant converted;
        switch (type) {
        case ValueType::Bool: {
            const QString word = text.toLower();
            if (word == QLatin1String("true") || word == QLatin1String("yes") || word == QLatin1String("on") || word == QLatin1String("1"))
                converted = true;
            else if (word == QLatin1String("false") || word == QLatin1String("no") || word == QLatin1String("off") || word == QLatin1String("0"))
                converted = false;
            else
                ok = false;
            break;
        }
        case ValueType::Int:
            converted = text.toInt(&ok);
            break;
        case ValueType::Double:
            converted = text.toDouble(&ok);
            break;
        case ValueType::String:
            converted = value.toString();
            break;
        }
        if (!ok) {
            const char* expected = type == ValueType::Bool ? "true or false" : type == ValueType::Int ? "a whole number" : "a number";
            throw SettingsFileError(QStringLiteral("%1 in %2 of %3 must be %4, not \"%5\".")
                                .arg(key, where, QuotedPath(mPath), QLatin1String(expected), text));
        }
        mPrefs.insert(key, converted);
    }

    void deriveLevel(int level)
    {
        auto key = [level](const QString& base) { return SettingsKeys::Level(base, level); };
        const int unit = mPrefs.value(key(SettingsKeys::LeftIndentUnits), IndentationUnits::Point).toInt();
        if (!mPrefs.contains(key(SettingsKeys::LeftIndentUnits)))
            mPrefs.insert(key(SettingsKeys::LeftIndentUnits), unit);
        if (!mPrefs.contains(key(SettingsKeys::LeftIndentToPoints)))
            mPrefs.insert(key(SettingsKeys::LeftIndentToPoints),
                          IndentationUnits::ToPoints(mPrefs.value(key(SettingsKeys::LeftIndentValue)).toDouble(), unit));
        if (!mPrefs.contains(key(SettingsKeys::LeftIndentToleranceToPoints)))
            mPrefs.insert(key(SettingsKeys::LeftIndentToleranceToPoints),
                          IndentationUnits::ToPoints(mPrefs.value(key(SettingsKeys::LeftIndentTolerance)).toDouble(), unit));

        const QString colourKey = key(SettingsKeys::ColorInHex);
        if (mPrefs.contains(colourKey)) {
            const QColor colour(mPrefs.value(colourKey).toString().trimmed());
            if (!colour.isValid())
                throw SettingsFileError(QStringLiteral("%1 in %2 is not a colour; write it as #rrggbb.").arg(colourKey, QuotedPath(mPath)));
            mPrefs.insert(colourKey, colour.name());
            if (!mPrefs.contains(key(SettingsKeys::FontColor)))
                mPrefs.insert(key(SettingsKeys::FontColor), CustomColourRow);
        } else if (mPrefs.value(key(SettingsKeys::FontColorCheck)).toBool()) {
            const int row = mPrefs.value(key(SettingsKeys::FontColor)).toInt();
            if (row < 0 || row > LastPickerRow)
                throw SettingsFileError(QStringLiteral("Level %1 of %2 checks the colour but gives no ColorInHex.").arg(level).arg(QuotedPath(mPath)));
            mPrefs.insert(colourKey, CActionUtils::GetColorPickerColor(row + 1).name());
        }

    }

    QString mPath;
    SettingsMap mPrefs;
    int mHighestSectionLevel = 0;
    int mHighestNumberedLevel = 0;
};

} // namespace

bool HandWrittenSettings::recognises(QSettings& file)
{
    static const QRegularExpression section(QStringLiteral("^(%1|Level[0-9]+)$").arg(Section));
    for (const QString& group : file.childGroups())
        if (section.match(group).hasMatch())
            return true;
    return false;
}

SettingsMap HandWrittenSettings::read(QSettings& file, const QString& path)
{
    Reader reader(path);
    reader.readSection(file);
    reader.readLevelSections(file);
    return reader.finish();
}
