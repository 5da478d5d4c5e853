#include "textmasks.h"

#include <QRegExp>
#include <QRegularExpression>

namespace TextMasks {

namespace {

struct Construct
{
    const char* pattern;  // finds the construct in a mask's text
    const char* name;
};

// Constructs of other dialects the engine's dialect rejects or reads as
// something else, most specific first.
const Construct UnsupportedConstructs[] = {
    {R"(\(\?<[=!])", "lookbehind such as (?<=...)"},
    {R"(\(\?P?<[A-Za-z_])", "named groups such as (?<name>...)"},
    {R"(\(\?>)", "atomic groups such as (?>...)"},
    {R"(\(\?#)", "comments such as (?#...)"},
    {R"(\(\?[A-Za-z^-]+[:)])", "inline options such as (?i)"},
    {R"(\[:[a-z]+:\])", "POSIX classes such as [[:digit:]]"},
    {R"(\\[pP])", "Unicode properties such as \\p{N}"},
    {R"([*+?}]\+)", "possessive quantifiers such as a++"},
    {R"([*+}]\?|\?\?)", "lazy quantifiers such as .*?"},
    {R"(\\[QE])", "quoting with \\Q...\\E"},
};

} // namespace

QString Problem(const QString& pattern)
{
    // Escaped characters are literals, but for the escapes looked for.
    static const QRegularExpression literal(QStringLiteral(R"(\\[^pPQE])"));
    const QString plain = QString(pattern).replace(literal, QStringLiteral("_"));
    for (const Construct& construct : UnsupportedConstructs) {
        const QRegularExpression finder(QString::fromLatin1(construct.pattern));
        if (finder.match(plain).hasMatch())
            return QStringLiteral("uses %1, which the engine's regular expressions (QRegExp) do not support")
                .arg(QLatin1String(construct.name));
    }
    const QRegExp mask(pattern, Qt::CaseSensitive, QRegExp::RegExp);
    if (!mask.isValid())
        return QStringLiteral("is not a valid regular expression: %1").arg(mask.errorString());
    return QString();
}

} // namespace TextMasks
