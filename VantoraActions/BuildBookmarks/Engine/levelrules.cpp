#include "levelrules.h"

#include "keywordlist.h"
#include "settingskeys.h"

CLevelRules CLevelRules::Read(const QMap<QString, QVariant>& settings, int level,
                              const QStringList& keywordList)
{
    using namespace SettingsKeys;
    auto value = [&](const QString& base) { return settings.value(Level(base, level)); };

    CLevelRules rules;
    rules.fontNameCheck = value(FontNameCheck).toBool();
    if (rules.fontNameCheck)
        rules.fontName = value(FontNameCombo).toString();

    rules.fontSizeCheck = value(FontSizeCheck).toBool();
    if (rules.fontSizeCheck) {
        rules.fontSize = value(FontSizeValue).toDouble();
        rules.fontSizeTolerance = value(FontSizeTolerance).toDouble();
    }

    rules.colourCheck = value(FontColorCheck).toBool();
    if (rules.colourCheck)
        rules.colour = value(ColorInHex).toString();

    rules.leftIndentCheck = value(LeftIndentCheck).toBool();
    if (rules.leftIndentCheck)
        rules.leftIndent = value(LeftIndentToPoints).toDouble();

    rules.textMaskCheck = value(TextMaskCheck).toBool();
    if (rules.textMaskCheck)
        rules.textMask = QRegExp(value(TextMaskEdit).toString(), Qt::CaseSensitive, QRegExp::RegExp);

    rules.keywordListCheck = value(KeywordListCheck).toBool();
    if (rules.keywordListCheck) {
        rules.includeKeywords = value(IncludeRadio).toBool();
        rules.keywords = KeywordList::Keywords(keywordList);
    }

    rules.ignoreRepeated = value(RepeatedHeadings).toBool();
    rules.multiLine = value(MultiLineHeadings).toBool();
    rules.leadingNumbers = value(LeadingNumbers).toInt();
    return rules;
}
