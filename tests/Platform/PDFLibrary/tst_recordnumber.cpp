// Numbers in text records are written without printf for speed; they must
// come out as "%.3f" would write them with trailing zeros and negative zero
// removed, next to rounding ties and beyond the integer range too.
#include "recordnumber.h"

#include <QtTest>

#include <cmath>
#include <limits>
#include <random>

namespace {

std::string printed(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", std::isfinite(value) ? value : 0.0);
    std::string number(text);
    number.erase(number.find_last_not_of('0') + 1);
    if (number.back() == '.')
        number.pop_back();
    return number == "-0" ? "0" : number;
}

std::string written(double value)
{
    std::wstring out = L"x";
    AppendRecordNumber(out, value);
    return std::string(out.begin() + 1, out.end());
}

} // namespace

class RecordNumberTest : public QObject
{
    Q_OBJECT

private slots:
    void sameAsPrintf();
};

void RecordNumberTest::sameAsPrintf()
{
    using Limits = std::numeric_limits<double>;
    std::vector<double> values = {-0.0, 0.0005, -0.0005, 0.00049999999999, -0.0001, 999.9995, 999999999.9995, 1e12,
        -1e12, 1e15 + 0.5, 1e300, 2.675, Limits::denorm_min(), Limits::infinity(), Limits::quiet_NaN()};
    // Plain coordinates, and values a hair off a rounding tie.
    std::mt19937_64 random(20261205);
    std::uniform_real_distribution<double> page(-2000.0, 2000.0), nudge(-1e-9, 1e-9);
    std::uniform_int_distribution<long long> thousandths(-2000000, 2000000);
    for (int i = 0; i < 200000; ++i)
        values.insert(values.end(), {page(random), (double(thousandths(random)) + 0.5) / 1000.0 + nudge(random)});
    for (double value : values)
        if (written(value) != printed(value))
            QFAIL(qPrintable(QString("%1: %2 instead of %3").arg(value, 0, 'g', 17)
                                 .arg(QString::fromStdString(written(value)), QString::fromStdString(printed(value)))));
}

QTEST_GUILESS_MAIN(RecordNumberTest)
#include "tst_recordnumber.moc"
