// Where the media layer's window notifications go (wave output completions, preview events).
#pragma once

#include "kernel/windef.h"

// Posts one message to a window without waiting (the window layer's PostMessage); called from the media
// layer's worker and streaming threads.
typedef BOOL (*MediaPostFunction)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Installed once by the program at start; until then the notifications are dropped.
void SetMediaPostFunction(MediaPostFunction post);

// Posts through the installed function; FALSE when none is installed or the post failed.
BOOL PostMediaMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
