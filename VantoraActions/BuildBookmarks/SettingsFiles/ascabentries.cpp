#include "ascabentries.h"

#include "ascabline.h"
#include "settingskeys.h"

using Conversion = CASCabEntries::Conversion;
using Scope = CASCabEntries::Scope;

const QList<CASCabEntries::Rule>& CASCabEntries::Rules()
{
    using namespace SettingsKeys;
    // Imported indentations are in points already, so the entered value and
    // its point value are the same number.
    static const QList<Rule> rules = {
        {"mIgnoreHeadings", {RepeatedHeadings}, Scope::Level, Conversion::TrueText},
        {"mLeadingNumbers", {LeadingNumbers}, Scope::Level, Conversion::Integer},
        {"mMultiline", {MultiLineHeadings}, Scope::Level, Conversion::TrueText},
        {"mbuilderColapse", {CollapseBookmarks}, Scope::TopLevel, Conversion::TrueText},
        {"mbuilderInsertion", {InsertionMode}, Scope::TopLevel, Conversion::Integer},
        {"mbuilderTextOnly", {ExactText}, Scope::TopLevel, Conversion::TrueText},
        {"mfontName", {FontNameCombo}, Scope::Level, Conversion::Quoted},
        {"mfontSize", {FontSizeValue}, Scope::Level, Conversion::Number},
        {"mfontSizeTol", {FontSizeTolerance}, Scope::Level, Conversion::Number},
        {"minclude", {IncludeRadio}, Scope::Level, Conversion::TrueText},
        {"misFontColor", {FontColorCheck}, Scope::Level, Conversion::TrueText},
        {"misFontMask", {TextMaskCheck}, Scope::Level, Conversion::TrueText},
        {"misFontName", {FontNameCheck}, Scope::Level, Conversion::TrueText},
        {"misFontRectLeft", {LeftIndentCheck}, Scope::Level, Conversion::TrueText},
        {"misFontSize", {FontSizeCheck}, Scope::Level, Conversion::TrueText},
        {"misKeywordList", {KeywordListCheck}, Scope::Level, Conversion::TrueText},
        {"mkeywordList", {KeyListEdit}, Scope::Level, Conversion::Quoted},
        {"mmagPercent", {ZoomValue}, Scope::TopLevel, Conversion::Integer},
        {"mmagnification", {ZoomSettings}, Scope::TopLevel, Conversion::Integer},
        {"mmask", {TextMaskEdit}, Scope::Level, Conversion::Quoted},
        {"mrectLeft", {LeftIndentValue, LeftIndentToPoints}, Scope::Level, Conversion::Number},
        {"mrectLeftTol", {LeftIndentTolerance, LeftIndentToleranceToPoints}, Scope::Level, Conversion::Number},
        {"mfontColorSpace", {fontColorSpace}, Scope::Level, Conversion::Integer},
        {"mfontColorValue0", {fontColorValue0}, Scope::Level, Conversion::Number},
        {"mfontColorValue1", {fontColorValue1}, Scope::Level, Conversion::Number},
        {"mfontColorValue2", {fontColorValue2}, Scope::Level, Conversion::Number},
        {"mfontColorValue3", {fontColorValue3}, Scope::Level, Conversion::Number},
    };
    return rules;
}

QVariant CASCabEntries::Converted(const QString& value, Conversion conversion)
{
    switch (conversion) {
    case Conversion::TrueText:
        return value == QLatin1String("true");
    case Conversion::Integer:
        return value.toInt();
    case Conversion::Number:
        return value.toDouble();
    case Conversion::Quoted:
        return value.size() < 2 ? QString() : value.mid(1, value.size() - 2);
    }
    return QVariant();
}

bool CASCabEntries::Apply(const CASCabLine& entry, QMap<QString, QVariant>* map)
{
    for (const Rule& rule : Rules()) {
        if (rule.name != entry.name)
            continue;
        const QVariant value = Converted(entry.value, rule.conversion);
        for (const QString& key : rule.keys)
            map->insert(rule.scope == Scope::Level ? key + entry.level : key, value);
        return true;
    }
    return false;
}
