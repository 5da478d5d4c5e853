#include "levelchecks.h"

#include "leveldefinition.h"

#include <QStringList>

namespace {

QString Number(double value)
{
    return QString::number(value, 'g', 6);
}

} // namespace

QString LevelChecks::describe(const ActionPrefs& prefs, int level)
{
    const CLevelDefinition definition = CLevelDefinition::Read(prefs, level);
    QStringList checks;
    if (definition.fontNameCheck)
        checks << QStringLiteral("font %1").arg(definition.fontName);
    if (definition.fontSizeCheck)
        checks << QStringLiteral("size %1 ± %2").arg(Number(definition.fontSize), Number(definition.fontSizeTolerance));
    if (definition.colourCheck)
        checks << QStringLiteral("colour %1").arg(definition.colour);
    if (definition.leftIndentCheck)
        checks << QStringLiteral("indent %1 ± %2 pt")
                      .arg(Number(definition.leftIndent), Number(definition.leftIndentTolerancePoints));
    if (definition.textMaskCheck)
        checks << QStringLiteral("mask \"%1\"").arg(definition.textMask);
    if (definition.keywordListCheck)
        checks << (definition.includeKeywords ? QStringLiteral("keywords of %1") : QStringLiteral("no keyword of %1"))
                      .arg(definition.keywordFile);
    return checks.isEmpty() ? QStringLiteral("no checks") : checks.join(QLatin1String(", "));
}
