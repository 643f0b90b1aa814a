// DefWindowProc: what every window does with a message its own procedure leaves alone.
#include "ui/wx_windows.h"
#include <cstring>

#include "gdi/wingdi.h"

namespace {

HBRUSH ClassBrush(const WindowClass* cls)
{
    if (!cls || !cls->background)
        return nullptr;
    uintptr_t v = reinterpret_cast<uintptr_t>(cls->background);
    if (v <= 31)
        return GetSysColorBrush((int)v - 1);
    return cls->background;
}

}  // namespace

LRESULT CopyWindowText(const std::string& text, WPARAM max, LPARAM buffer)
{
    if (!buffer || max == 0)
        return 0;
    size_t n = text.size() < max - 1 ? text.size() : max - 1;
    std::memcpy(reinterpret_cast<char*>(buffer), text.data(), n);
    reinterpret_cast<char*>(buffer)[n] = 0;
    return (LRESULT)n;
}

LRESULT DefWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowState* s = StateOf(hWnd);
    if (!s)
        return 0;
    switch (message) {
    case WM_NCCREATE: return TRUE;
    case WM_SETTEXT:
        s->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        if (s->frame)
            s->frame->SetTitle(wxString::FromUTF8(s->text));
        if (s->surface && s->kind == WxKind::Surface)
            InvalidateRect(hWnd, nullptr, TRUE);
        return TRUE;
    case WM_GETTEXT: return CopyWindowText(s->text, wParam, lParam);
    case WM_GETTEXTLENGTH: return (LRESULT)s->text.size();
    case WM_SETFONT:
        s->font = reinterpret_cast<HFONT>(wParam);
        if (s->native)
            s->native->SetFont(WxFontOf(s->font));
        if (LOWORD(lParam))
            InvalidateRect(hWnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(s->font);
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hWnd, &ps);
        EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND: {
        HBRUSH brush = ClassBrush(s->cls);
        if (!brush)
            return 0;
        RECT r;
        GetClientRect(hWnd, &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, brush);
        return 1;
    }
    case WM_CLOSE: DestroyWindow(hWnd); return 0;
    case WM_SETCURSOR:
        if ((s->style & WS_CHILD) && s->parent && SendMessage(s->parent, WM_SETCURSOR, wParam, lParam))
            return TRUE;
        if (LOWORD(lParam) == HTCLIENT) {
            SetCursor(s->cls && s->cls->cursor ? s->cls->cursor : LoadCursor(nullptr, IDC_ARROW));
            return TRUE;
        }
        return FALSE;
    case WM_MOUSEWHEEL:
    case WM_CONTEXTMENU:
        if ((s->style & WS_CHILD) && s->parent)
            return SendMessage(s->parent, message, wParam, lParam);
        return 0;
    case WM_NCLBUTTONDOWN:
        if (wParam == HTCAPTION || (wParam >= HTLEFT && wParam <= HTBOTTOMRIGHT))
            BeginTrackMove(s, (int)wParam);
        return 0;
    case WM_NCHITTEST: return HTCLIENT;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE: SendMessage(hWnd, WM_CLOSE, 0, 0); break;
        case SC_MINIMIZE: ShowWindow(hWnd, SW_MINIMIZE); break;
        case SC_MAXIMIZE: ShowWindow(hWnd, SW_MAXIMIZE); break;
        case SC_RESTORE: ShowWindow(hWnd, SW_RESTORE); break;
        }
        return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR:
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
        SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
        SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    case WM_GETICON: return reinterpret_cast<LRESULT>(wParam ? s->iconBig : s->iconSmall);
    case WM_SETICON: {
        HICON old = wParam ? s->iconBig : s->iconSmall;
        (wParam ? s->iconBig : s->iconSmall) = reinterpret_cast<HICON>(lParam);
        wxIcon icon = WxIconOf(reinterpret_cast<HICON>(lParam));
        if (s->frame && icon.IsOk())
            s->frame->SetIcon(icon);
        return reinterpret_cast<LRESULT>(old);
    }
    case WM_MOUSEACTIVATE: return 1;  // MA_ACTIVATE
    default: return 0;
    }
}
