// The one rounding rule of the system: to the nearest integer, halves away from zero.
#pragma once

// 2.5 gives 3, -2.5 gives -3; values outside the 32-bit range are not guarded.
int RoundHalfAway(double value);
