// The task bar's place on the screen: SHAppBarMessage with ABM_GETTASKBARPOS.
#pragma once

#include "kernel/windef.h"

#define ABM_GETTASKBARPOS 0x00000005
#define ABE_LEFT 0
#define ABE_TOP 1
#define ABE_RIGHT 2
#define ABE_BOTTOM 3
struct APPBARDATA {
    DWORD cbSize;
    HWND hWnd;
    UINT uCallbackMessage;
    UINT uEdge;
    RECT rc;
    LPARAM lParam;
};
typedef APPBARDATA* PAPPBARDATA;
// ABM_GETTASKBARPOS: the edge and rectangle of the panel that keeps a strip of the screen for itself (the work
// area is the screen less that strip); FALSE where no panel does. Other messages answer 0.
UINT_PTR SHAppBarMessage(DWORD message, PAPPBARDATA data);
