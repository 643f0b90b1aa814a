// Internal: the desktop's animation setting as this process sees it, and the task-bar buttons of top-level windows.
#pragma once

#include "kernel/windef.h"

// The toolkit's animation setting, read and changed for this process (SPI_GETANIMATION, SPI_SETANIMATION).
bool DesktopAnimationsOn();
void SetDesktopAnimations(bool on);

// Shows or hides a top-level window's task-bar button after its owner changed.
void UpdateTaskbarButton(HWND hWnd);
