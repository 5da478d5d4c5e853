#include "indentationunits.h"

#include "buildbookmarkapi.h"

namespace IndentationUnits {

using Api = CBuildBookmarkAPI;

bool IsUnit(int unit)
{
    return unit >= Millimetre && unit <= Point;
}

double ToPoints(double value, int unit)
{
    switch (unit) {
    case Millimetre:
        return Api::mmToPoint(value);
    case Inch:
        return Api::inchToPoint(value);
    default:
        return value;
    }
}

double Convert(double value, int from, int to)
{
    if (from == to || !IsUnit(from) || !IsUnit(to))
        return value;
    if (from == Millimetre)
        return to == Inch ? Api::mmToInch(value) : Api::mmToPoint(value);
    if (from == Inch)
        return to == Millimetre ? Api::inchToMM(value) : Api::inchToPoint(value);
    return to == Millimetre ? Api::pointToMM(value) : Api::pointToInch(value);
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
