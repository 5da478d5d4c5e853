#include "fontnamematcher.h"

#include <QFontDatabase>
#include <QGuiApplication>

#include <utility>

namespace {

const QString Bold = QStringLiteral("fsBold");
const QString Italic = QStringLiteral("fsItalic");

QChar FirstChar(const QString& text)
{
    return text.isEmpty() ? QChar(0) : text.at(0);
}

QString Normalised(QString n)
{
    if (n.endsWith(QLatin1String("MT"), Qt::CaseInsensitive))
        n.chop(2);
    const int mtHyphen = n.indexOf(QLatin1String("MT-"));
    if (mtHyphen >= 0)
        n.remove(mtHyphen, 3);
    const int plus = n.indexOf(QLatin1Char('+'));
    if (plus >= 0)
        n = n.mid(plus + 1);

    // Each rewrite fires on its exact-case pattern, then replaces in any case.
    static const struct { const char* pattern; const char* replacement; } rewrites[] = {
        {"-Bold", ",Bold"},       {"-Medium", ",Bold"},
        {"-Italic", ",Italic"},   {"-Oblique", ",Italic"},
        {"-BoldItalic", ",BoldItalic"}, {"-BoldOblique", ",BoldItalic"},
    };
    for (const auto& rewrite : rewrites) {
        const QString pattern = QLatin1String(rewrite.pattern);
        if (n.contains(pattern))
            n.replace(pattern, QLatin1String(rewrite.replacement), Qt::CaseInsensitive);
    }
    n.replace(QLatin1String(",Bold,Bold"), QLatin1String(",Bold"), Qt::CaseInsensitive);
    n.remove(QLatin1Char('-'));
    return n;
}

QStringList TakeStyleFlags(QString& n)
{
    QStringList flags;
    if (n.endsWith(QLatin1String(",Bold"), Qt::CaseInsensitive)) {
        flags << Bold;
        n.chop(5);
    }
    if (n.endsWith(QLatin1String(",Italic"), Qt::CaseInsensitive)) {
        flags << Italic;
        n.chop(7);
    }
    if (n.endsWith(QLatin1String(",BoldItalic"), Qt::CaseInsensitive)) {
        flags << Bold << Italic;
        n.chop(11);
    }
    return flags;
}

} // namespace

CFontNameMatcher::CFontNameMatcher(QStringList families)
{
    SetFamilies(std::move(families));
}

CFontNameMatcher::CFontNameMatcher(std::function<QStringList()> families)
    : mPendingFamilies(std::move(families))
{
}

void CFontNameMatcher::SetFamilies(QStringList families) const
{
    mCandidates.reserve(families.size());
    for (QString& family : families) {
        Candidate candidate;
        candidate.noSpaces = family;
        candidate.noSpaces.remove(QLatin1Char(' '));
        candidate.noSpacesNoHyphens = candidate.noSpaces;
        candidate.noSpacesNoHyphens.remove(QLatin1Char('-'));
        candidate.family = std::move(family);
        mCandidates.append(std::move(candidate));
    }
}

QStringList CFontNameMatcher::InstalledFamilies()
{
    // The font database needs a GUI application; without one (a console host)
    // no family is known and every name falls back to Arial.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return {};
    return QFontDatabase().families();
}

const CFontNameMatcher::Candidate* CFontNameMatcher::FindStyled(const QString& n,
                                                                const QStringList& flags) const
{
    const bool bold = flags.contains(Bold);
    const bool italic = flags.contains(Italic);
    const QString boldName = n + QLatin1String("Bold");
    const QString italicName = n + QLatin1String("Italic");
    const QChar first = FirstChar(n);
    for (const Candidate& candidate : mCandidates) {
        if (FirstChar(candidate.family) != first)
            continue;
        if ((bold && candidate.noSpaces == boldName) || (italic && candidate.noSpaces == italicName))
            return &candidate;
    }
    return nullptr;
}

const CFontNameMatcher::Candidate* CFontNameMatcher::FindPlain(const QString& n) const
{
    const QChar first = FirstChar(n);
    for (const Candidate& candidate : mCandidates) {
        if (FirstChar(candidate.family) != first)
            continue;
        if (candidate.family.contains(n, Qt::CaseInsensitive)
            || candidate.noSpacesNoHyphens.contains(n, Qt::CaseInsensitive)
            || n.contains(candidate.family, Qt::CaseInsensitive)
            || n.contains(candidate.noSpacesNoHyphens, Qt::CaseInsensitive))
            return &candidate;
    }
    return nullptr;
}

QStringList CFontNameMatcher::Match(const QString& pdfFontName) const
{
    if (mPendingFamilies)
        SetFamilies(std::exchange(mPendingFamilies, nullptr)());
    QString n = Normalised(pdfFontName);
    const QStringList flags = TakeStyleFlags(n);

    const Candidate* found = nullptr;
    if (!flags.isEmpty())
        found = FindStyled(n, flags);
    if (!found)
        found = FindPlain(n);
    if (!found && n.endsWith(QLatin1String("Regular"))) {
        n.chop(7);
        found = FindPlain(n);
    }
    if (!found)
        return {QStringLiteral("Arial"), QStringLiteral("None")};
    return QStringList{found->family} + flags;
}

const QString& CFontNameMatcher::Family(const QString& pdfFontName)
{
    auto known = mFamilyByName.constFind(pdfFontName);
    if (known == mFamilyByName.constEnd())
        known = mFamilyByName.insert(pdfFontName, Match(pdfFontName).constFirst());
    return known.value();
}
