// The rounding rule used wherever a double becomes a tick, a pixel or a count.
#include "services/rounding.h"

int RoundHalfAway(double value)
{
    int whole = static_cast<int>(value);
    double fraction = value - whole;
    if (value > 0 && fraction >= 0.5)
        return whole + 1;
    if (value <= 0 && fraction <= -0.5)
        return whole - 1;
    return whole;
}
