// Clock of the multimedia timer and timeGetTime, with a manual mode for tests.
#pragma once

#include "kernel/windef.h"

// Milliseconds on the multimedia clock, with the fraction: the monotonic system clock,
// or the manual clock while it is on.
double MmClockNow();

// Manual clock for tests: while on, time stands still except in timeAdvanceManualClock,
// and timers set in the meantime have no thread; their callbacks run inside the advance.
// Switching it on sets the clock to 10000 ms.
void timeUseManualClock(bool on);
bool timeManualClockIsOn();

// Moves the manual clock on by ms, running on the caller's thread every timer callback that
// falls due on the way, each with the clock standing at its slot.
void timeAdvanceManualClock(DWORD ms);
