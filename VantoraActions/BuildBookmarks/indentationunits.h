#pragma once

#include <QString>

// The units the level editor shows indentations in, in the order of its unit
// combo box; the engine only ever sees points.
namespace IndentationUnits {

enum Unit { Millimetre = 0, Inch = 1, Point = 2 };

bool IsUnit(int unit);

// Indentation entered in unit, as the engine reads it.
double ToPoints(double value, int unit);

// A value shown in one unit, shown in another; unchanged when either is not a
// unit.
double Convert(double value, int from, int to);

// Text of the editor's tolerance unit label.
QString LabelText(int unit);

} // namespace IndentationUnits
