#pragma once

#include <QColor>
#include <QPixmap>

// Layout of the colour picker that CActionUtils::SetupColorPickerComboBox
// builds. Indices count the "(none)" row; a picker built without it shows
// index i in row i - 1.
namespace ColorPicker {

constexpr int NoneIndex = 0;
constexpr int FirstNamedIndex = 1;
constexpr int LastNamedIndex = 10;
constexpr int CustomIndex = 11;
constexpr int SwatchSize = 15;

// The row icon: a square of the colour with an outline in the default pen.
QPixmap Swatch(const QColor& color, int size = SwatchSize);

} // namespace ColorPicker
