// The hourglass cursor during long operations, and the cursor it replaced.
#pragma once

// Shows the system wait cursor and keeps the previous one (a second call overwrites the kept one).
void ShowWaitCursor();
// Shows the kept cursor again.
void RestoreCursor();
