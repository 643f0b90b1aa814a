// Synthesized pointer input at client points of a window: move, press and release one at a time.
#pragma once

#include "tests/support/window/ui_fixture.h"

inline void MouseInput(HWND hWnd, int x, int y, DWORD flags)
{
    POINT p{x, y};
    if (hWnd)
        ClientToScreen(hWnd, &p);
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = (LONG)(((int64_t)p.x * 65536 + 65535) / sw);
    in.mi.dy = (LONG)(((int64_t)p.y * 65536 + 65535) / sh);
    // A press or release happens where the pointer already is, with no move of its own.
    in.mi.dwFlags = flags ? flags : MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof(INPUT));
    PumpFor(30);
}
inline void MoveTo(HWND h, int x, int y) { MouseInput(h, x, y, 0); }
inline void Press() { MouseInput(nullptr, 0, 0, MOUSEEVENTF_LEFTDOWN); }
inline void Release() { MouseInput(nullptr, 0, 0, MOUSEEVENTF_LEFTUP); }
