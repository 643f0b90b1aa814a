// The dialog class procedure: background from WM_CTLCOLORDLG, the default button and closing by Cancel.
#include "ui/wx_windows.h"

LRESULT CALLBACK DialogProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowState* s = StateOf(h);
    if (!s)
        return 0;
    switch (message) {
    case WM_ERASEBKGND: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        HBRUSH brush = reinterpret_cast<HBRUSH>(SendMessage(h, WM_CTLCOLORDLG, wParam, (LPARAM)h));
        if (!brush)
            return 0;
        RECT r;
        GetClientRect(h, &r);
        FillRect(dc, &r, brush);
        return 1;
    }
    case DM_GETDEFID: return MAKELRESULT(s->defaultId, DC_HASDEFID);
    case DM_SETDEFID: s->defaultId = (int)wParam; return TRUE;
    case WM_CLOSE:
        SendMessage(h, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)GetDlgItem(h, IDCANCEL));
        return 0;
    case WM_GETDLGCODE: return 0;
    }
    return DefWindowProc(h, message, wParam, lParam);
}
