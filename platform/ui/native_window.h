// The native window under a window, for pictures drawn outside the layer (a video overlay).
#pragma once

#include <cstdint>

#include "kernel/windef.h"

// The X11 window id of the window's client area, made a native window of its own so that another
// connection can draw into it; 0 for an unknown handle or a display other than X11.
uintptr_t GetNativeWindowHandle(HWND hWnd);
