#include "leveldefinition.h"

#include "settingskeys.h"

namespace {

// Six significant digits without trailing zeros: 12, 10.5, 28.3465.
QString Number(double value)
{
    return QString::number(value, 'g', 6);
}

} // namespace

CLevelDefinition CLevelDefinition::Read(const QMap<QString, QVariant>& settings, int level)
{
    using namespace SettingsKeys;
    auto value = [&](const QString& base) { return settings.value(Level(base, level)); };

    CLevelDefinition d;
    d.fontNameCheck = value(FontNameCheck).toBool();
    d.fontName = value(FontNameCombo).toString();
    d.fontSizeCheck = value(FontSizeCheck).toBool();
    d.fontSize = value(FontSizeValue).toDouble();
    d.fontSizeTolerance = value(FontSizeTolerance).toDouble();
    d.colourCheck = value(FontColorCheck).toBool();
    d.colourRow = value(FontColor).toInt();
    d.colour = value(ColorInHex).toString();
    d.leftIndentCheck = value(LeftIndentCheck).toBool();
    d.leftIndentValue = value(LeftIndentValue).toDouble();
    d.leftIndentTolerance = value(LeftIndentTolerance).toDouble();
    d.leftIndentUnit = value(LeftIndentUnits).toInt();
    d.leftIndent = value(LeftIndentToPoints).toDouble();
    d.leftIndentTolerancePoints = value(LeftIndentToleranceToPoints).toDouble();
    d.textMaskCheck = value(TextMaskCheck).toBool();
    d.textMask = value(TextMaskEdit).toString();
    d.keywordListCheck = value(KeywordListCheck).toBool();
    d.includeKeywords = value(IncludeRadio).toBool();
    d.keywordFile = value(KeyListEdit).toString();
    d.ignoreRepeated = value(RepeatedHeadings).toBool();
    d.multiLine = value(MultiLineHeadings).toBool();
    d.leadingNumbers = value(LeadingNumbers).toInt();
    return d;
}

void CLevelDefinition::Write(QMap<QString, QVariant>& settings, int level) const
{
    using namespace SettingsKeys;
    auto set = [&](const QString& base, const QVariant& v) { settings.insert(Level(base, level), v); };

    set(FontNameCheck, fontNameCheck);
    set(FontNameCombo, fontName);
    set(FontSizeCheck, fontSizeCheck);
    set(FontSizeValue, fontSize);
    set(FontSizeTolerance, fontSizeTolerance);
    set(FontColorCheck, colourCheck);
    set(FontColor, colourRow);
    set(ColorInHex, colour);
    set(LeftIndentCheck, leftIndentCheck);
    set(LeftIndentValue, leftIndentValue);
    set(LeftIndentUnits, leftIndentUnit);
    set(LeftIndentTolerance, leftIndentTolerance);
    set(LeftIndentToPoints, leftIndent);
    set(LeftIndentToleranceToPoints, leftIndentTolerancePoints);
    set(TextMaskCheck, textMaskCheck);
    set(TextMaskEdit, textMask);
    set(KeywordListCheck, keywordListCheck);
    set(IncludeRadio, includeKeywords);
    set(KeyListEdit, keywordFile);
    set(RepeatedHeadings, ignoreRepeated);
    set(MultiLineHeadings, multiLine);
    set(LeadingNumbers, leadingNumbers);
}

QString CLevelDefinition::Summary(const QString& colourText, const QString& unitText) const
{
    QString text;
    if (fontNameCheck)
        text += fontName;
    if (fontSizeCheck)
        text += QStringLiteral(", size: ") + Number(fontSize) + QStringLiteral(", tolerance: ")
                + Number(fontSizeTolerance);
    if (colourCheck)
        text += QStringLiteral(", color: ") + colourText;
    if (leftIndentCheck)
        text += QStringLiteral(", indentation: ") + Number(leftIndentValue) + unitText
                + QStringLiteral(", tolerance: ") + Number(leftIndentTolerance);
    if (textMaskCheck)
        text += QStringLiteral(", text mask: ") + textMask;
    if (keywordListCheck)
        text += QStringLiteral(", keyword list: ") + keywordFile;
    // Without a font name the first part opens with its separator.
    if (text.startsWith(QLatin1Char(',')))
        text.remove(0, 2);
    return text;
}
