#include "handwrittensettings.h"

#include "actionidentity.h"
#include "actionutils.h"
#include "indentationunits.h"
#include "leveldefinition.h"
#include "settingsfileerror.h"
#include "settingskeys.h"
#include "settingsvalidation.h"

#include <QColor>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QStandardPaths>
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
                if (!isLevelKey(key))
                    throw SettingsFileError(QStringLiteral("%1 has an unknown key %2 in [%3].").arg(QuotedPath(mPath), key, group));
                putLevel(key, level, file.value(key), QStringLiteral("[%1]").arg(group));
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
        writeKeywordFiles();
        const int levels = mPrefs.value(SettingsKeys::LevelCount).toInt();
        for (int level = 1; level <= qMin(levels, SettingsValidation::MaxLevels); ++level)
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
        static const QRegularExpression numbered(QStringLiteral("^([A-Za-z]+)([1-9][0-9]{0,2})$"));
        const QRegularExpressionMatch match = numbered.match(key);
        if (match.hasMatch() && isLevelKey(match.captured(1))) {
            const int level = match.captured(2).toInt();
            mHighestNumberedLevel = qMax(mHighestNumberedLevel, level);
            putLevel(match.captured(1), level, value, where);
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

    static bool isLevelKey(const QString& base)
    {
        return base == HandWrittenSettings::Keywords || levelKey(base);
    }

    // Level keys that take words where the map holds codes, or that stand
    // for a file of their own.
    void putLevel(const QString& base, int level, const QVariant& value, const QString& where)
    {
        const QString key = SettingsKeys::Level(base, level);
        if (base == HandWrittenSettings::Keywords) {
            QStringList words = value.toStringList();
            for (QString& word : words)
                word = word.trimmed();
            words.removeAll(QString());
            mKeywords.insert(level, words);
            return;
        }
        const QString text = value.type() == QVariant::StringList ? QString() : value.toString().trimmed();
        if (base == SettingsKeys::KeyListEdit && !text.isEmpty() && QFileInfo(text).isRelative()) {
            // As a user reads it: beside the settings file.
            mPrefs.insert(key, QFileInfo(mPath).dir().filePath(text));
            return;
        }
        if (base == SettingsKeys::LeftIndentUnits) {
            static const QMap<QString, int> units = {
                {QStringLiteral("mm"), IndentationUnits::Millimetre}, {QStringLiteral("inch"), IndentationUnits::Inch},
                {QStringLiteral("in"), IndentationUnits::Inch},       {QStringLiteral("pt"), IndentationUnits::Point},
                {QStringLiteral("point"), IndentationUnits::Point},   {QStringLiteral("points"), IndentationUnits::Point}};
            if (units.contains(text.toLower())) {
                mPrefs.insert(key, units.value(text.toLower()));
                return;
            }
        }
        if (base == SettingsKeys::FontColor) {
            bool isRow = false;
            text.toInt(&isRow);
            const QColor colour(text);
            if (!isRow && colour.isValid()) {
                mPrefs.insert(SettingsKeys::Level(SettingsKeys::ColorInHex, level), colour.name());
                mPrefs.insert(key, CustomColourRow);
                return;
            }
        }
        put(key, levelKey(base)->type, value, where);
    }

    // The plug-in reads keywords from a file: each list gets one, named by
    // its content, so a list written twice is the same file.
    void writeKeywordFiles()
    {
        const QString folder =
            QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/vantora-keywords");
        for (auto it = mKeywords.cbegin(); it != mKeywords.cend(); ++it) {
            const QByteArray content = it.value().join(QLatin1Char('\n')).toUtf8() + '\n';
            const QString path = QStringLiteral("%1/%2.txt").arg(
                folder, QString::fromLatin1(QCryptographicHash::hash(content, QCryptographicHash::Sha1).toHex()));
            QSaveFile file(path);
            if (!QDir().mkpath(folder) || !file.open(QIODevice::WriteOnly) || file.write(content) != content.size()
                || !file.commit())
                throw SettingsFileError(QStringLiteral("The keywords of level %1 in %2 cannot be written to %3.")
                                            .arg(it.key())
                                            .arg(QuotedPath(mPath), QuotedPath(path)));
            mPrefs.insert(SettingsKeys::Level(SettingsKeys::KeyListEdit, it.key()), path);
        }
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
    QMap<int, QStringList> mKeywords;
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

namespace {

// A value as the reader takes it back: text quoted, with QSettings' escapes.
QString IniValue(const QVariant& value, ValueType type)
{
    switch (type) {
    case ValueType::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case ValueType::Int:
        return QString::number(value.toInt());
    case ValueType::Double:
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    case ValueType::String:
        break;
    }
    QString text = value.toString();
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

void WriteLevel(QString& out, const SettingsMap& prefs, int level)
{
    using namespace SettingsKeys;
    const CLevelDefinition definition = CLevelDefinition::Read(prefs, level);
    const int unit = prefs.value(Level(LeftIndentUnits, level), IndentationUnits::Point).toInt();
    out += QStringLiteral("\n; Level %1: %2\n[Level%1]\n")
               .arg(level)
               .arg(definition.Summary(definition.colour, IndentationUnits::LabelText(unit)));
    for (const LevelKeyInfo& key : LevelDefinitionKeys()) {
        const QString name = Level(key.base, level);
        // The colour is written as the colour whenever there is one.
        const bool colour = key.base == FontColor && QColor(definition.colour).isValid();
        if (key.role != LevelKeyRole::Entered || (!prefs.contains(name) && !colour))
            continue;
        QString value = IniValue(prefs.value(name), key.type);
        if (colour)
            value = QColor(definition.colour).name();
        else if (key.base == LeftIndentUnits && IndentationUnits::IsUnit(unit))
            value = QStringLiteral("mm,inch,pt").split(QLatin1Char(',')).at(unit);
        out += key.base + QLatin1Char('=') + value + QLatin1Char('\n');
    }
    // Points the reader would not derive from the value and unit, as a
    // foreign import may leave them, are kept as they are.
    const double value = prefs.value(Level(LeftIndentValue, level)).toDouble();
    const double tolerance = prefs.value(Level(LeftIndentTolerance, level)).toDouble();
    if (prefs.contains(Level(LeftIndentToPoints, level)) && definition.leftIndent != IndentationUnits::ToPoints(value, unit))
        out += QStringLiteral("LeftIndentToPoints=%1\n").arg(IniValue(definition.leftIndent, ValueType::Double));
    if (prefs.contains(Level(LeftIndentToleranceToPoints, level))
        && definition.leftIndentTolerancePoints != IndentationUnits::ToPoints(tolerance, unit))
        out += QStringLiteral("LeftIndentToleranceToPoints=%1\n")
                   .arg(IniValue(definition.leftIndentTolerancePoints, ValueType::Double));
}

} // namespace

QString HandWrittenSettings::write(const QMap<QString, QVariant>& prefs)
{
    QString out = QStringLiteral("[%1]\n").arg(Section);
    for (const SettingsKeys::KeyInfo& key : SettingsKeys::TopLevelKeys())
        if (*key.example && prefs.contains(key.name))
            out += key.name + QLatin1Char('=') + IniValue(prefs.value(key.name), key.type) + QLatin1Char('\n');
    if (prefs.value(SettingsKeys::NthChecked).toBool())
        return out;
    const int levels = qBound(0, prefs.value(SettingsKeys::LevelCount).toInt(), SettingsValidation::MaxLevels);
    for (int level = 1; level <= levels; ++level)
        WriteLevel(out, prefs, level);
    return out;
}
