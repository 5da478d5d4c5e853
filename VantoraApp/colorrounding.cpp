#include "actionutils.h"

#include <cmath>

// Colour components stored as fractions become 0-255 values through this
// rounding. Halves go down, not away from zero as qRound would, so a colour
// read back gives the same components the other actions of the host compute.
int CActionUtils::Round(double x)
{
    const int whole = static_cast<int>(std::floor(x));
    if (x - whole > 0.5)
        return static_cast<int>(std::ceil(x));
    return whole;
}
