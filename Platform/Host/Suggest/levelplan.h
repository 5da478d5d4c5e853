#pragma once

#include "levelfit.h"
#include "levelstyles.h"

#include <QVector>

struct DocumentLines;
enum class LineFault;

// The levels' checks fitted one below the other, less the levels the
// engine's hierarchy would make lose titles or that hold titles a contents
// page leaves out.
namespace LevelPlan {

QVector<LevelFit> fit(const DocumentLines& document, const QVector<LineFault>& faults, QVector<LevelStyles> levels);

} // namespace LevelPlan
