#include "levelsummary.h"

namespace {

// Six significant digits without trailing zeros: 12, 10.5, 28.3465.
QString Number(double value)
{
    return QString::number(value, 'g', 6);
}

} // namespace

QString CLevelSummary::Text() const
{
    QString text;
    if (fontName)
        text += fontNameText;
    if (fontSize)
        text += QStringLiteral(", size: ") + Number(size) + QStringLiteral(", tolerance: ")
                + Number(sizeTolerance);
    if (fontColor)
        text += QStringLiteral(", color: ") + colorText;
    if (leftIndent)
        text += QStringLiteral(", indentation: ") + Number(indent) + indentUnitText
                + QStringLiteral(", tolerance: ") + Number(indentTolerance);
    if (textMask)
        text += QStringLiteral(", text mask: ") + mask;
    if (keywordList)
        text += QStringLiteral(", keyword list: ") + keywordFile;
    // Without a font name the first part opens with its separator.
    if (text.startsWith(QLatin1Char(',')))
        text.remove(0, 2);
    return text;
}
