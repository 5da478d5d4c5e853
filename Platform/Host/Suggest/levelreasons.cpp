#include "levelreasons.h"

#include "documentlines.h"
#include "levelfit.h"
#include "linefaults.h"

namespace {

QString Size(double size)
{
    return QString::number(size, 'g', 4);
}

QString Examples(const DocumentLines& document, const QVector<int>& lines)
{
    QStringList examples;
    for (int i = 0; i < lines.size() && i < 3; ++i) {
        const RecordLine& line = document.lines.at(lines.at(i));
        examples << QStringLiteral("\"%1\" (p. %2)").arg(line.text.left(50)).arg(line.page);
    }
    return examples.join(QLatin1String(", "));
}

} // namespace

QStringList LevelReasons::of(const DocumentLines& document, const LevelFit& fit)
{
    const SuggestedChecks& checks = fit.checks;
    const TextStyle& style = document.styles.at(fit.headings.constFirst());
    QStringList reasons;
    reasons << QStringLiteral("%1 pt%2 %3, %4: %5 titles, first %6.")
                   .arg(Size(checks.size), checks.tolerance > 0.1 ? QStringLiteral(" or so") : QString(), style.font,
                        style.colour)
                   .arg(fit.headings.size())
                   .arg(Examples(document, fit.headings));
    QStringList keptOut;
    for (auto it = fit.keptOut.cbegin(); it != fit.keptOut.cend(); ++it)
        keptOut << QStringLiteral("%1 %2").arg(it.value()).arg(QLatin1String(LineFaults::describe(it.key())));
    if (!keptOut.isEmpty()) {
        QStringList how;
        if (!checks.font.isEmpty())
            how << QStringLiteral("the font");
        if (!checks.colour.isEmpty())
            how << QStringLiteral("the colour");
        if (!checks.maskParts.isEmpty())
            how << QStringLiteral("the mask");
        if (!checks.keywords.isEmpty())
            how << QStringLiteral("%1 keywords").arg(checks.keywords.size());
        reasons << QStringLiteral("Kept out by %1: %2.").arg(how.join(QLatin1String(" and ")), keptOut.join(QLatin1String(", ")));
    }
    if (fit.wraps > 0)
        reasons << QStringLiteral("Multi-line: %1 titles go on on the next line.").arg(fit.wraps);
    if (!fit.strays.isEmpty())
        reasons << QStringLiteral("%1 other lines pass too, such as %2.")
                       .arg(fit.strays.size())
                       .arg(Examples(document, fit.strays));
    return reasons;
}

