#pragma once

#include <QString>

// Lengths as a user enters them: millimetres, inches or points, in the order
// of the level editor's unit combo box. The engine only ever sees points.
namespace IndentationUnits {

enum Unit { Millimetre = 0, Inch = 1, Point = 2 };

constexpr double PointsPerInch = 72.0;
constexpr double MillimetresPerInch = 25.4;

bool IsUnit(int unit);

// A length entered in `unit`, in points; a value in no known unit is taken
// as points.
double ToPoints(double value, int unit);

// A length in points, in `unit`.
double FromPoints(double value, int unit);

// A value shown in one unit, shown in another; unchanged when either is not a
// unit.
double Convert(double value, int from, int to);

// Text of the editor's tolerance unit label.
QString LabelText(int unit);

} // namespace IndentationUnits
