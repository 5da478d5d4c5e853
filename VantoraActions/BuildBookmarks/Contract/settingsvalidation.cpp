#include "settingsvalidation.h"

#include "indentationunits.h"
#include "settingsfileerror.h"
#include "settingskeys.h"
#include "textmasks.h"

#include <QColor>
#include <QFileInfo>

#include <algorithm>
#include <climits>
#include <cmath>
#include <iterator>

namespace SettingsValidation {

namespace {

using namespace SettingsKeys;

class Checker
{
public:
    Checker(const QMap<QString, QVariant>& prefs, const QString& source) : mPrefs(prefs), mSource(source) {}

    void checkTopLevel()
    {
        mWhere = QString();
        if (mPrefs.value(NthChecked).toBool()) {
            wholeNumber(NthPage, 1, INT_MAX, Required);
            return;
        }
        if (mPrefs.value(LevelCount).toInt() == 0)
            throw SettingsFileError(QStringLiteral("The settings in %1 define no bookmark levels.").arg(QuotedPath(mSource)));
        wholeNumber(LevelCount, 1, MaxLevels, Required);
        wholeNumber(InsertionMode, 0, 2);
        wholeNumber(ZoomSettings, 0, 5);
        wholeNumber(ZoomValue, 0, 6400);
    }

    void checkLevel(int level)
    {
        mWhere = QStringLiteral(", level %1").arg(level);
        auto key = [level](const QString& base) { return Level(base, level); };
        auto on = [&](const QString& base) { return mPrefs.value(key(base)).toBool(); };

        const double size = number(key(FontSizeValue), 0.0);
        number(key(FontSizeTolerance), 0.0);
        if (on(FontSizeCheck) && !(size > 0.0))
            fail(key(FontSizeValue), QStringLiteral("must be a size above 0 points"));
        number(key(LeftIndentValue), 0.0);
        number(key(LeftIndentTolerance), 0.0);
        number(key(LeftIndentToPoints), 0.0);
        number(key(LeftIndentToleranceToPoints), 0.0);
        wholeNumber(key(LeftIndentUnits), IndentationUnits::Millimetre, IndentationUnits::Point);
        wholeNumber(key(LeadingNumbers), 0, 2);

        const QString checks[] = {FontNameCheck, FontSizeCheck, FontColorCheck,
                                  LeftIndentCheck, TextMaskCheck, KeywordListCheck};
        if (std::none_of(std::begin(checks), std::end(checks), on))
            fail(QString(), QStringLiteral("turns no check on, so every line would become a bookmark"));

        if (on(FontColorCheck) && !QColor(mPrefs.value(key(ColorInHex)).toString()).isValid())
            fail(key(ColorInHex), QStringLiteral("must be a colour such as #1f3a93"));
        if (on(TextMaskCheck)) {
            const QString mask = mPrefs.value(key(TextMaskEdit)).toString();
            const QString problem = TextMasks::Problem(mask);
            if (!problem.isEmpty())
                fail(key(TextMaskEdit), QStringLiteral("\"%1\" %2").arg(mask, problem));
        }
        if (on(KeywordListCheck)) {
            const QFileInfo list(mPrefs.value(key(KeyListEdit)).toString());
            if (!list.isFile() || !list.isReadable())
                fail(key(KeyListEdit), QStringLiteral("names no readable keyword file"));
        }
    }

private:
    // A present value that reads as a finite number of at least `minimum`.
    double number(const QString& key, double minimum)
    {
        if (!mPrefs.contains(key))
            return 0.0;
        bool ok = false;
        const double value = mPrefs.value(key).toDouble(&ok);
        if (!ok || !std::isfinite(value) || value < minimum)
            fail(key, QStringLiteral("must be a number of at least %1, not \"%2\"")
                          .arg(minimum).arg(mPrefs.value(key).toString()));
        return value;
    }

    enum Presence { Optional, Required };

    void wholeNumber(const QString& key, int minimum, int maximum, Presence presence = Optional)
    {
        if (!mPrefs.contains(key) && presence == Optional)
            return;
        bool ok = false;
        const int value = mPrefs.value(key).toInt(&ok);
        if (!ok || value < minimum || value > maximum)
            fail(key, QStringLiteral("must be a whole number from %1 to %2, not \"%3\"")
                          .arg(minimum).arg(maximum).arg(mPrefs.value(key).toString()));
    }

    [[noreturn]] void fail(const QString& key, const QString& problem) const
    {
        const QString subject = key.isEmpty() ? QString() : QLatin1Char(' ') + key;
        throw SettingsFileError(
            QStringLiteral("The settings in %1%2:%3 %4.").arg(QuotedPath(mSource), mWhere, subject, problem));
    }

    const QMap<QString, QVariant>& mPrefs;
    QString mSource;
    QString mWhere;
};

} // namespace

void Check(const QMap<QString, QVariant>& prefs, const QString& source)
{
    Checker checker(prefs, source);
    checker.checkTopLevel();
    if (prefs.value(NthChecked).toBool())
        return;
    const int levels = prefs.value(LevelCount).toInt();
    for (int level = 1; level <= levels; ++level)
        checker.checkLevel(level);
}

} // namespace SettingsValidation
