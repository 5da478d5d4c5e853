#include "levelrules.h"

#include "keywordlist.h"

CLevelRules CLevelRules::Read(const QMap<QString, QVariant>& settings, int level,
                              const QStringList& keywordList)
{
    CLevelRules rules;
    static_cast<CLevelDefinition&>(rules) = CLevelDefinition::Read(settings, level);
    if (rules.textMaskCheck)
        rules.mask = QRegExp(rules.textMask, Qt::CaseSensitive, QRegExp::RegExp);
    if (rules.keywordListCheck)
        rules.keywords = KeywordList::Keywords(keywordList);
    return rules;
}
