#include "suggestedlevelsini.h"

#include "settingskeys.h"
#include "suggestedlevels.h"

#include <QStringList>

#include <algorithm>

namespace {

// A quoted value as the settings reader takes it back.
QString Quoted(QString text)
{
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString Number(double value)
{
    return QString::number(value, 'g', 6);
}

QString Comment(const QString& text)
{
    return QLatin1String("; ") + QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')) + QLatin1Char('\n');
}

void WriteLevel(QString& out, const SuggestedLevel& level, int number)
{
    using namespace SettingsKeys;
    const SuggestedChecks& checks = level.checks;
    out += QLatin1Char('\n');
    for (const QString& reason : level.reasons)
        out += Comment(reason);
    out += QStringLiteral("[Level%1]\n").arg(number);
    out += FontSizeCheck + QLatin1String("=true\n");
    out += FontSizeValue + QLatin1Char('=') + Number(checks.size) + QLatin1Char('\n');
    out += FontSizeTolerance + QLatin1Char('=') + Number(checks.tolerance) + QLatin1Char('\n');
    if (!checks.font.isEmpty())
        out += FontNameCheck + QLatin1String("=true\n") + FontNameCombo + QLatin1Char('=') + Quoted(checks.font) + QLatin1Char('\n');
    if (!checks.colour.isEmpty())
        out += FontColorCheck + QLatin1String("=true\n") + FontColor + QLatin1Char('=') + checks.colour + QLatin1Char('\n');
    if (!checks.maskParts.isEmpty())
        out += TextMaskCheck + QLatin1String("=true\n") + TextMaskEdit + QLatin1Char('=') + Quoted(checks.mask()) + QLatin1Char('\n');
    if (!checks.keywords.isEmpty()) {
        QStringList words(checks.keywords.cbegin(), checks.keywords.cend());
        std::sort(words.begin(), words.end());
        for (QString& word : words)
            word = Quoted(word);
        out += KeywordListCheck + QLatin1String("=true\n") + IncludeRadio + QLatin1String("=false\nKeywords=")
               + words.join(QLatin1String(", ")) + QLatin1Char('\n');
    }
    if (checks.multiLine)
        out += MultiLineHeadings + QLatin1String("=true\n");
}

} // namespace

namespace SuggestedLevelsIni {

QString write(const SuggestedLevels& levels, const QString& source)
{
    QString out = Comment(QStringLiteral("Levels suggested from the text of %1.").arg(source));
    for (const QString& note : levels.notes)
        out += Comment(note);
    out += QStringLiteral("[BookmarksByContent]\n%1=0\n%2=%3\n")
               .arg(SettingsKeys::InsertionMode, SettingsKeys::LevelCount)
               .arg(levels.levels.size());
    for (int i = 0; i < levels.levels.size(); ++i)
        WriteLevel(out, levels.levels.at(i), i + 1);
    return out;
}

} // namespace SuggestedLevelsIni
