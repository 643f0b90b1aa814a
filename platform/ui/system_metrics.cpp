// System metrics and settings: screen and work area from the display, the classic sizes of window parts.

#include "ui/desktop_shell.h"
#include "ui/wx_windows.h"

int GetSystemMetrics(int index)
{
    int sw = 1024, sh = 768;
    if (wxTheApp)
        wxDisplaySize(&sw, &sh);
    switch (index) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN:
    case SM_CXVIRTUALSCREEN: return sw;
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN: return sh;
    case SM_CYFULLSCREEN: return sh - 19;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB: return 17;
    case SM_CYCAPTION:
    case SM_CYMENU: return 19;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME:
    case SM_CYFRAME: return 4;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CXMIN: return 112;
    case SM_CYMIN: return 27;
    case SM_CXSIZE:
    case SM_CYSIZE: return 18;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    case SM_CXMAXIMIZED: {
        RECT r;
        SystemParametersInfo(SPI_GETWORKAREA, 0, &r, 0);
        return r.right - r.left + 8;
    }
    case SM_CYMAXIMIZED: {
        RECT r;
        SystemParametersInfo(SPI_GETWORKAREA, 0, &r, 0);
        return r.bottom - r.top + 8;
    }
    case SM_MOUSEWHEELPRESENT:
    case SM_CMONITORS: return 1;
    }
    return 0;
}

BOOL SystemParametersInfo(UINT action, UINT, LPVOID value, UINT)
{
    switch (action) {
    case SPI_GETWORKAREA: {
        if (!value)
            return FALSE;
        wxRect area(0, 0, 1024, 768);
        if (wxTheApp && wxDisplay::GetCount() > 0)
            area = wxDisplay(0u).GetClientArea();
        *static_cast<RECT*>(value) = RECT{area.x, area.y, area.x + area.width, area.y + area.height};
        return TRUE;
    }
    case SPI_GETANIMATION:
        if (!value)
            return FALSE;
        static_cast<ANIMATIONINFO*>(value)->iMinAnimate = DesktopAnimationsOn();
        return TRUE;
    case SPI_SETANIMATION:
        if (!value)
            return FALSE;
        SetDesktopAnimations(static_cast<ANIMATIONINFO*>(value)->iMinAnimate != 0);
        return TRUE;
    case SPI_GETWHEELSCROLLLINES:
        if (!value)
            return FALSE;
        *static_cast<UINT*>(value) = 3;
        return TRUE;
    case SPI_SETWORKAREA: return TRUE;
    }
    return FALSE;
}

BOOL MessageBeep(UINT)
{
    wxBell();
    return TRUE;
}

BOOL IsAppThemed() { return FALSE; }
