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

// "1 title", "2 titles".
QString Counted(int count, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

} // namespace

QStringList LevelReasons::of(const DocumentLines& document, const LevelFit& fit)
{
    const SuggestedChecks& checks = fit.checks;
    const TextStyle& style = document.styles.at(fit.headings.constFirst());
    QStringList reasons;
    reasons << QStringLiteral("%1 pt%2 %3, %4: %5, first %6.")
                   .arg(Size(checks.size), checks.tolerance > 0.1 ? QStringLiteral(" or so") : QString(), style.font,
                        style.colour)
                   .arg(Counted(fit.headings.size(), "title", "titles"))
                   .arg(Examples(document, fit.headings));
    QStringList keptOut;
    for (auto it = fit.keptOut.cbegin(); it != fit.keptOut.cend(); ++it)
        keptOut << QStringLiteral("%1 (%2)").arg(QLatin1String(LineFaults::describe(it.key()))).arg(it.value());
    if (!keptOut.isEmpty()) {
        QStringList how;
        if (!checks.font.isEmpty())
            how << QStringLiteral("the font");
        if (!checks.colour.isEmpty())
            how << QStringLiteral("the colour");
        if (!checks.maskParts.isEmpty())
            how << QStringLiteral("the mask");
        if (!checks.keywords.isEmpty())
            how << Counted(checks.keywords.size(), "keyword", "keywords");
        reasons << QStringLiteral("Kept out by %1: %2.").arg(how.join(QLatin1String(" and ")), keptOut.join(QLatin1String(", ")));
    }
    if (fit.wraps > 0)
        reasons << QStringLiteral("Multi-line: %1 on the next line.")
                       .arg(Counted(fit.wraps, "title goes on", "titles go on"));
    if (!fit.strays.isEmpty())
        reasons << QStringLiteral("%1 too, such as %2.")
                       .arg(Counted(fit.strays.size(), "other line passes", "other lines pass"))
                       .arg(Examples(document, fit.strays));
    return reasons;
}

