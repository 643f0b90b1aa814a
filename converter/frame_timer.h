// The high-resolution timer of the window framework's rendering loop, and its pause counter.
#pragma once

// Commands: 0 reset, 1 start, 2 stop, 3 advance a tenth of a second, 4 absolute time, 5 application time,
// 6 time since the last elapsed-time query. Answers seconds (0 for the state changes, -1 for an unknown command).
double QueryTimer(int command);
// TRUE adds one pause and stops the timer on the first; FALSE removes one and starts it on the last. Answers the count.
int PauseFrameTimer(int pause);
