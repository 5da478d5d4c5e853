#include "indentationunits.h"

namespace IndentationUnits {

bool IsUnit(int unit)
{
    return unit >= Millimetre && unit <= Point;
}

double ToPoints(double value, int unit)
{
    switch (unit) {
    case Millimetre:
        return value / MillimetresPerInch * PointsPerInch;
    case Inch:
        return value * PointsPerInch;
    default:
        return value;
    }
}

double FromPoints(double value, int unit)
{
    switch (unit) {
    case Millimetre:
        return value / PointsPerInch * MillimetresPerInch;
    case Inch:
        return value / PointsPerInch;
    default:
        return value;
    }
}

double Convert(double value, int from, int to)
{
    if (from == to || !IsUnit(from) || !IsUnit(to))
        return value;
    if (from == Millimetre && to == Inch)
        return value / MillimetresPerInch;
    if (from == Inch && to == Millimetre)
        return value * MillimetresPerInch;
    return from == Point ? FromPoints(value, to) : ToPoints(value, from);
}

QString LabelText(int unit)
{
    switch (unit) {
    case Millimetre:
        return QStringLiteral("mm");
    case Inch:
        return QStringLiteral("inch");
    default:
        return QStringLiteral("point");
    }
}

} // namespace IndentationUnits
