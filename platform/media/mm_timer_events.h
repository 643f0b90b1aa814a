// Internal: link between the manual clock and the multimedia timer's event table.
#pragma once

// Runs the callback of the earliest manual timer event due at or before target, with the
// manual clock set to its slot; false when none is due.
bool RunNextManualTimer(double target);

// Sets the manual clock (used while running a manual timer event).
void SetManualClock(double now);
