// Numbers in text records are written without printf for speed; they must
// come out as "%.3f" with trailing zeros and negative zero removed would
// write them, including next to rounding ties and beyond the integer range.
#include "recordnumber.h"

#include <QtTest>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>

namespace {

std::string printed(double value)
{
    if (!std::isfinite(value))
        value = 0;
    char text[64]; // as the records have always been cut
    std::snprintf(text, sizeof text, "%.3f", value);
    std::string number(text);
    while (!number.empty() && number.back() == '0')
        number.pop_back();
    if (!number.empty() && number.back() == '.')
        number.pop_back();
    if (number == "-0" || number.empty())
        number = "0";
    return number;
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
    void sameAsPrintf_data();
    void sameAsPrintf();
    void randomValues();
};

void RecordNumberTest::sameAsPrintf_data()
{
    QTest::addColumn<double>("value");
    const double values[] = {0.0, -0.0, 1.0, -1.0, 0.5, 0.0005, -0.0005, 0.0004999, 0.00049999999999,
                             1.0005, 2.0005, 10.9091, 118.8, 522.001, 595.2756, -12.3456, 0.001, -0.001,
                             0.0001, -0.0001, 999.9995, 999.9994999, 1e9 + 0.0005, 123456789.0125,
                             999999999.9995, 1e12, -1e12, 1e15 + 0.5, 1e300, -1e300, 4.35, 2.675,
                             std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()};
    for (double value : values)
        QTest::addRow("%.17g", value) << value;
}

void RecordNumberTest::sameAsPrintf()
{
    QFETCH(double, value);
    QCOMPARE(written(value), printed(value));
}

void RecordNumberTest::randomValues()
{
    std::mt19937_64 random(20261205);
    std::uniform_real_distribution<double> page(-2000.0, 2000.0);
    std::uniform_int_distribution<long long> thousandths(-2000000, 2000000);
    std::uniform_real_distribution<double> nudge(-1e-9, 1e-9);
    for (int i = 0; i < 200000; ++i)
    {
        // Plain coordinates, and values a hair off a rounding tie.
        const double plain = page(random);
        const double tie = (static_cast<double>(thousandths(random)) + 0.5) / 1000.0 + nudge(random);
        for (double value : {plain, tie})
            if (written(value) != printed(value))
                QFAIL(qPrintable(QString("%1: %2 instead of %3")
                                     .arg(value, 0, 'g', 17)
                                     .arg(QString::fromStdString(written(value)), QString::fromStdString(printed(value)))));
    }
}

QTEST_GUILESS_MAIN(RecordNumberTest)
#include "tst_recordnumber.moc"
