// Window position, size, visibility, enabling, shape and coordinate mapping.
#include "ui/wx_windows.h"
#include "gdi/wingdi.h"

namespace {

HWND const kDesktop = reinterpret_cast<HWND>(0x10000);

wxRect ScreenRect()
{
    int w, h;
    wxDisplaySize(&w, &h);
    return wxRect(0, 0, w, h);
}

// The wx window whose client area is the window's client area.
wxWindow* ClientWx(WindowState* s) { return s->surface ? static_cast<wxWindow*>(s->surface) : s->outer; }

bool ShownWithAncestors(HWND h)
{
    for (WindowState* s = StateOf(h); s; s = (s->style & WS_CHILD) ? StateOf(s->parent) : nullptr)
        if (!(s->style & WS_VISIBLE))
            return false;
    return true;
}

// Maps a point between a window's client area and the screen, one way or the other.
BOOL MapClientPoint(HWND hWnd, LPPOINT point, wxPoint (wxWindow::*map)(const wxPoint&) const)
{
    if (hWnd == kDesktop)
        return TRUE;
    WindowState* s = StateOf(hWnd);
    if (!s || !point)
        return FALSE;
    wxWindow* w = ClientWx(s);
    if (!w)
        return FALSE;
    wxPoint p = (w->*map)(wxPoint(point->x, point->y));
    point->x = p.x;
    point->y = p.y;
    return TRUE;
}

// Maximises a frame over its display's work area, or gives it back its normal rectangle.
void Zoom(WindowState* s, bool on)
{
    if (s->zoomed == on)
        return;
    const HWND h = s->hwnd;
    wxRect to = s->unzoomedRect;
    if (on) {
        s->unzoomedRect = wxRect(s->frame->GetPosition(), s->frame->GetSize());
        to = wxDisplay(s->frame).GetClientArea();
    }
    s->zoomed = on;
    SetWindowPos(h, nullptr, to.x, to.y, to.width, to.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

HWND GetDesktopWindow() { return kDesktop; }

void SyncClientSize(WindowState* s, WPARAM type)
{
    if (s->frame && s->surface) {
        wxSize c = s->frame->GetClientSize();
        if (s->surface->GetSize() != c)
            s->surface->SetSize(0, 0, c.x, c.y);
    }
    RECT r;
    GetClientRect(s->hwnd, &r);
    if (type == SIZE_RESTORED && r.right == s->sentWidth && r.bottom == s->sentHeight)
        return;
    s->sentWidth = r.right;
    s->sentHeight = r.bottom;
    if (s->surface) {
        LayoutWindowScrollBars(s);
        EnsureBackingSurface(s);
    }
    SendMessage(s->hwnd, WM_SIZE, type, MAKELPARAM(r.right, r.bottom));
}

BOOL GetWindowRect(HWND hWnd, LPRECT rect)
{
    if (hWnd == kDesktop) {
        wxRect r = ScreenRect();
        *rect = RECT{r.x, r.y, r.GetRight() + 1, r.GetBottom() + 1};
        return TRUE;
    }
    WindowState* s = StateOf(hWnd);
    if (!s || !rect || !s->outer)
        return FALSE;
    wxPoint p = s->frame ? s->frame->GetPosition() : s->outer->GetScreenPosition();
    wxSize z = s->outer->GetSize();
    *rect = RECT{p.x, p.y, p.x + z.x, p.y + z.y};
    return TRUE;
}

BOOL GetClientRect(HWND hWnd, LPRECT rect)
{
    if (hWnd == kDesktop)
        return GetWindowRect(hWnd, rect);
    WindowState* s = StateOf(hWnd);
    if (!s || !rect)
        return FALSE;
    wxWindow* w = ClientWx(s);
    if (!w) {
        *rect = RECT{0, 0, 0, 0};
        return TRUE;
    }
    wxSize z = s->frame ? s->frame->GetClientSize() : w->GetClientSize();
    if (s->vscroll && s->vscroll->IsShown())
        z.x -= s->vscroll->GetSize().x;
    if (s->hscroll && s->hscroll->IsShown())
        z.y -= s->hscroll->GetSize().y;
    *rect = RECT{0, 0, z.x > 0 ? z.x : 0, z.y > 0 ? z.y : 0};
    return TRUE;
}

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle)
{
    if (!rect)
        return FALSE;
    int edge = 0;
    if (style & WS_THICKFRAME)
        edge = GetSystemMetrics(SM_CXFRAME);
    else if ((style & WS_CAPTION) == WS_DLGFRAME || (style & WS_CAPTION) == WS_CAPTION ||
             (exStyle & WS_EX_DLGMODALFRAME))
        edge = GetSystemMetrics(SM_CXDLGFRAME);
    else if (style & WS_BORDER)
        edge = GetSystemMetrics(SM_CXBORDER);
    if (exStyle & WS_EX_CLIENTEDGE)
        edge += GetSystemMetrics(SM_CXEDGE);
    InflateRect(rect, edge, edge);
    if ((style & WS_CAPTION) == WS_CAPTION)
        rect->top -= GetSystemMetrics(SM_CYCAPTION);
    if (menu)
        rect->top -= GetSystemMetrics(SM_CYMENU);
    return TRUE;
}

BOOL ClientToScreen(HWND hWnd, LPPOINT point) { return MapClientPoint(hWnd, point, &wxWindow::ClientToScreen); }

BOOL ScreenToClient(HWND hWnd, LPPOINT point) { return MapClientPoint(hWnd, point, &wxWindow::ScreenToClient); }

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count)
{
    POINT o{0, 0}, t{0, 0};
    if (from)
        ClientToScreen(from, &o);
    if (to)
        ClientToScreen(to, &t);
    int dx = o.x - t.x, dy = o.y - t.y;
    for (UINT i = 0; i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    return MAKELONG(dx, dy);
}

BOOL MoveWindow(HWND hWnd, int x, int y, int width, int height, BOOL repaint)
{
    return SetWindowPos(hWnd, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL SetWindowPos(HWND hWnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    WindowState* s = StateOf(hWnd);
    if (!s || !s->outer)
        return FALSE;
    if (!(flags & SWP_NOZORDER) && s->frame) {
        long fs = s->frame->GetWindowStyleFlag();
        if (insertAfter == HWND_TOPMOST) {
            s->exStyle |= WS_EX_TOPMOST;
            s->frame->SetWindowStyleFlag(fs | wxSTAY_ON_TOP);
        } else if (insertAfter == HWND_NOTOPMOST) {
            s->exStyle &= ~WS_EX_TOPMOST;
            s->frame->SetWindowStyleFlag(fs & ~wxSTAY_ON_TOP);
        }
        if (insertAfter == HWND_BOTTOM)
            s->frame->Lower();
        else if (!(flags & SWP_NOACTIVATE))
            s->frame->Raise();
    } else if (!(flags & SWP_NOZORDER)) {
        if (insertAfter == HWND_BOTTOM)
            s->outer->Lower();
        else
            s->outer->Raise();
    }
    wxRect old = s->outer->GetRect();
    if (s->frame)
        old.SetPosition(s->frame->GetPosition());
    int nx = (flags & SWP_NOMOVE) ? old.x : x;
    int ny = (flags & SWP_NOMOVE) ? old.y : y;
    int nw = (flags & SWP_NOSIZE) ? old.width : (cx < 0 ? 0 : cx);
    int nh = (flags & SWP_NOSIZE) ? old.height : (cy < 0 ? 0 : cy);
    if (!(flags & (SWP_NOMOVE | SWP_NOSIZE)) || wxRect(nx, ny, nw, nh) != old) {
        if (!(flags & SWP_NOSIZE) && s->frame) {
            // A top-level window's size stays within the tracking limits its owner code gives.
            MINMAXINFO mmi{};
            mmi.ptMinTrackSize = POINT{0, 0};
            mmi.ptMaxTrackSize = POINT{100000, 100000};
            SendMessage(hWnd, WM_GETMINMAXINFO, 0, (LPARAM)&mmi);
            if ((s = StateOf(hWnd)) == nullptr)
                return FALSE;
            nw = std::clamp<int>(nw, mmi.ptMinTrackSize.x, std::max(mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x));
            nh = std::clamp<int>(nh, mmi.ptMinTrackSize.y, std::max(mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y));
        }
        if (!(flags & SWP_NOSIZE))
            s->keptClientWidth = s->keptClientHeight = 0;
        s->outer->SetSize(nx, ny, nw, nh, wxSIZE_ALLOW_MINUS_ONE);
        if ((s = StateOf(hWnd)) == nullptr)
            return TRUE;
        if (wxSize(nw, nh) != old.GetSize())
            SyncClientSize(s, s->zoomed ? SIZE_MAXIMIZED : SIZE_RESTORED);
        if (wxPoint(nx, ny) != old.GetPosition() && (s = StateOf(hWnd)) != nullptr) {
            POINT p{0, 0};
            if (s->style & WS_CHILD) {
                p = POINT{nx, ny};
            } else {
                ClientToScreen(hWnd, &p);
            }
            SendMessage(hWnd, WM_MOVE, 0, MAKELPARAM(p.x, p.y));
        }
    }
    if (!(flags & SWP_NOACTIVATE) && IsWindow(hWnd) && (GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD))
        SendMessage(hWnd, WM_CHILDACTIVATE, 0, 0);
    if (flags & SWP_SHOWWINDOW)
        ShowWindow(hWnd, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    else if (flags & SWP_HIDEWINDOW)
        ShowWindow(hWnd, SW_HIDE);
    return TRUE;
}

BOOL ShowWindow(HWND hWnd, int cmdShow)
{
    WindowState* s = StateOf(hWnd);
    if (!s)
        return FALSE;
    // Hiding to a tray icon that could not be added minimises instead, so the window can still be found.
    if (cmdShow == SW_HIDE && s->frame && TrayIconAddFailed(hWnd))
        cmdShow = SW_MINIMIZE;
    BOOL wasVisible = (s->style & WS_VISIBLE) != 0;
    bool show = cmdShow != SW_HIDE;
    if (show != (bool)wasVisible)
        SendMessage(hWnd, WM_SHOWWINDOW, show, 0);
    if ((s = StateOf(hWnd)) == nullptr)
        return wasVisible;
    if (show)
        s->style |= WS_VISIBLE;
    else
        s->style &= ~WS_VISIBLE;
    if (!s->outer)
        return wasVisible;
    if (!s->frame) {
        HWND focus = GetFocus();
        bool holdsFocus = focus && (focus == hWnd || IsChild(hWnd, focus));
        s->outer->Show(show);
        if (holdsFocus && !show)
            ParkKeyboardFocus(hWnd);
        else if (holdsFocus)
            ReturnKeyboardFocus(hWnd);
        return wasVisible;
    }
    switch (cmdShow) {
    case SW_HIDE: s->frame->Hide(); break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
        s->frame->Show();
        s->frame->Iconize(true);
        break;
    case SW_MAXIMIZE:
        s->frame->Show();
        if (s->frame->HasFlag(wxRESIZE_BORDER))
            s->frame->Maximize(true);
        else
            Zoom(s, true);
        break;
    case SW_RESTORE:
    case SW_SHOWNORMAL: {
        s->frame->Show();
        // A window restored from the task bar comes back as it was, maximised or not.
        const bool iconic = s->frame->IsIconized();
        if (iconic)
            s->frame->Iconize(false);
        if (s->frame->IsMaximized())
            s->frame->Maximize(false);
        if (!iconic)
            Zoom(s, false);
        s->frame->Raise();
        break;
    }
    default:
        if (cmdShow == SW_SHOWNA || cmdShow == SW_SHOWNOACTIVATE || s->noActivate) {
            s->frame->ShowWithoutActivating();
        } else {
            s->frame->Show();
            s->frame->Raise();
        }
        break;
    }
    // The focus set while the window was hidden (by WM_INITDIALOG) takes effect now that it shows.
    if (show && s->frame) {
        HWND focus = GetFocus();
        if (focus && (focus == hWnd || IsChild(hWnd, focus)))
            if (WindowState* f = StateOf(focus); f && f->outer)
                (f->surface ? static_cast<wxWindow*>(f->surface) : f->outer)->SetFocus();
    }
    return wasVisible;
}

BOOL IsWindowVisible(HWND hWnd) { return StateOf(hWnd) && ShownWithAncestors(hWnd); }

BOOL IsIconic(HWND hWnd)
{
    WindowState* s = StateOf(hWnd);
    return s && s->frame && s->frame->IsIconized();
}

BOOL IsZoomed(HWND hWnd)
{
    WindowState* s = StateOf(hWnd);
    return s && s->frame && (s->zoomed || s->frame->IsMaximized());
}

BOOL EnableWindow(HWND hWnd, BOOL enable)
{
    WindowState* s = StateOf(hWnd);
    if (!s)
        return FALSE;
    BOOL wasDisabled = (s->style & WS_DISABLED) != 0;
    if ((bool)enable == !wasDisabled)
        return wasDisabled;
    if (enable)
        s->style &= ~WS_DISABLED;
    else
        s->style |= WS_DISABLED;
    // A disabled top-level window only stops taking input (its controls do not grey out); a child greys.
    if (s->outer && !s->frame)
        s->outer->Enable(enable != FALSE);
    if (!enable && GetCapture() == hWnd)
        ReleaseCapture();
    SendMessage(hWnd, WM_ENABLE, enable, 0);
    if ((s = StateOf(hWnd)) != nullptr && s->kind == WxKind::Surface)
        InvalidateRect(hWnd, nullptr, TRUE);
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND hWnd)
{
    WindowState* s = StateOf(hWnd);
    return s && !(s->style & WS_DISABLED);
}

int SetWindowRgn(HWND hWnd, HRGN region, BOOL redraw)
{
    WindowState* s = StateOf(hWnd);
    if (!s)
        return 0;
    if (s->region && s->region != region)
        DeleteObject(s->region);
    s->region = region;
    if (s->frame) {
        wxRegion shape;
        if (region) {
            DWORD size = GetRegionData(region, 0, nullptr);
            std::vector<char> buffer(size);
            auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
            if (size && GetRegionData(region, size, data)) {
                const RECT* rects = reinterpret_cast<const RECT*>(data->Buffer);
                for (DWORD i = 0; i < data->rdh.nCount; ++i)
                    shape.Union(wxRect(rects[i].left, rects[i].top, rects[i].right - rects[i].left,
                                       rects[i].bottom - rects[i].top));
            }
        }
        s->frame->SetShape(shape);
    }
    if (redraw)
        InvalidateRect(hWnd, nullptr, TRUE);
    return 1;
}

int GetWindowRgn(HWND hWnd, HRGN region)
{
    WindowState* s = StateOf(hWnd);
    if (!s || !s->region || !region)
        return ERROR;
    return CombineRgn(region, s->region, nullptr, RGN_COPY);
}

bool RegionExcludes(HWND hWnd, const wxPoint& screen)
{
    WindowState* s = StateOf(hWnd);
    if (!s || !s->region || !s->outer)
        return false;
    wxPoint origin = s->outer->GetScreenPosition();
    return !PtInRegion(s->region, screen.x - origin.x, screen.y - origin.y);
}

HWND WindowFromPoint(POINT point)
{
    wxWindow* w = wxFindWindowAtPoint(wxPoint(point.x, point.y));
    return HandleOfWx(w);
}

HWND ChildWindowFromPoint(HWND parent, POINT point)
{
    POINT screen = point;
    ClientToScreen(parent, &screen);
    for (HWND c : ChildrenOf(parent)) {
        RECT r;
        GetWindowRect(c, &r);
        if (screen.x >= r.left && screen.x < r.right && screen.y >= r.top && screen.y < r.bottom)
            return c;
    }
    RECT r;
    GetClientRect(parent, &r);
    if (point.x >= r.left && point.x < r.right && point.y >= r.top && point.y < r.bottom)
        return parent;
    return nullptr;
}

BOOL BringWindowToTop(HWND hWnd)
{
    WindowState* s = StateOf(hWnd);
    if (!s || !s->outer)
        return FALSE;
    s->outer->Raise();
    return TRUE;
}

BOOL SetForegroundWindow(HWND hWnd)
{
    WindowState* s = StateOf(hWnd);
    // The toolkit's raise would show a hidden window.
    if (!s || !s->frame || !s->frame->IsShown())
        return FALSE;
    s->frame->Raise();
    s->frame->SetFocus();
    return TRUE;
}

HWND GetForegroundWindow() { return GetActiveWindow(); }

HWND GetActiveWindow()
{
    wxWindow* top = wxGetActiveWindow();
    return top ? HandleOfWx(top) : nullptr;
}

HWND SetActiveWindow(HWND hWnd)
{
    HWND old = GetActiveWindow();
    SetForegroundWindow(hWnd);
    return old;
}

BOOL FlashWindow(HWND hWnd, BOOL)
{
    WindowState* s = StateOf(hWnd);
    if (s && s->frame)
        s->frame->RequestUserAttention();
    return TRUE;
}
