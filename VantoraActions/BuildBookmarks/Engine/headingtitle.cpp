#include "headingtitle.h"

namespace HeadingTitle {

QString RemoveSectionNumbers(const QString& text)
{
    int start = 0;
    while (start < text.size()) {
        const QChar c = text.at(start);
        if (c != QLatin1Char('.') && (c < QLatin1Char('1') || c > QLatin1Char('9')))
            break;
        ++start;
    }
    return text.mid(start);
}

QString Compose(const QString& text, int leadingNumbers, const QString& sectionNumber)
{
    switch (leadingNumbers) {
    case Add:
        return sectionNumber + QLatin1Char(' ') + text;
    case Remove:
        return RemoveSectionNumbers(text);
    default:
        return text;
    }
}

QString ExactText(const QString& text, bool maskRule, const QString& maskMatch)
{
    return maskRule ? maskMatch : text.trimmed();
}

} // namespace HeadingTitle
