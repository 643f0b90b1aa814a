// Mouse capture, keyboard focus, cursor position and key states.
#include "ui/wx_windows.h"

namespace {

HWND g_capture = nullptr;
HWND g_focus = nullptr;
wxPoint g_pointer;
bool g_pointerSynthesized = false;

wxWindow* InputWx(WindowState* s) { return s->surface ? static_cast<wxWindow*>(s->surface) : s->outer; }

}  // namespace

// Buttons and keys held down by synthesized input, merged into the key state queries.
bool g_syntheticDown[256] = {};

HWND SetCapture(HWND hWnd)
{
    HWND old = g_capture;
    WindowState* s = StateOf(hWnd);
    if (!s || old == hWnd)
        return old;
    if (old)
        ReleaseCapture();
    wxWindow* w = InputWx(s);
    if (w && !w->HasCapture())
        w->CaptureMouse();
    g_capture = hWnd;
    return old;
}

BOOL ReleaseCapture()
{
    HWND old = g_capture;
    if (!old)
        return TRUE;
    g_capture = nullptr;
    if (WindowState* s = StateOf(old)) {
        wxWindow* w = InputWx(s);
        if (w && w->HasCapture())
            w->ReleaseMouse();
        SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    }
    return TRUE;
}

HWND GetCapture()
{
    if (g_capture && !IsWindow(g_capture))
        g_capture = nullptr;
    return g_capture;
}

void FocusChanged(HWND newFocus)
{
    if (newFocus == g_focus)
        return;
    HWND old = g_focus;
    g_focus = newFocus;
    if (old && IsWindow(old))
        SendMessage(old, WM_KILLFOCUS, (WPARAM)newFocus, 0);
    if (newFocus && IsWindow(newFocus) && g_focus == newFocus)
        SendMessage(newFocus, WM_SETFOCUS, (WPARAM)old, 0);
}

HWND SetFocus(HWND hWnd)
{
    HWND old = GetFocus();
    WindowState* s = StateOf(hWnd);
    if (!s)
        return old;
    if (s->style & WS_DISABLED)
        return nullptr;
    wxWindow* w = InputWx(s);
    if (!IsWindowVisible(hWnd) && (s->style & WS_CHILD))
        ParkKeyboardFocus(hWnd);
    else if (w && s->kind != WxKind::Frame)
        w->SetFocus();
    else if (s->frame && s->surface)
        s->surface->SetFocus();
    FocusChanged(hWnd);
    return old;
}

// The toolkit gives no keys to a hidden window: its top-level's surface takes them meanwhile, and KeyTarget hands
// them on, so that a hidden window keeps the focus as far as the program can tell.
void ParkKeyboardFocus(HWND hidden)
{
    WindowState* root = StateOf(GetAncestor(hidden, GA_ROOT));
    if (root && root->surface)
        root->surface->SetFocus();
}

void ReturnKeyboardFocus(HWND shown)
{
    HWND focus = GetFocus();
    if (!focus || (focus != shown && !IsChild(shown, focus)) || !IsWindowVisible(focus))
        return;
    if (wxWindow* w = InputWx(StateOf(focus)))
        w->SetFocus();
}

HWND KeyTarget(HWND receiver)
{
    HWND focus = GetFocus();
    if (focus && focus != receiver && !IsWindowVisible(focus) && GetAncestor(focus, GA_ROOT) == receiver)
        return focus;
    return receiver;
}

HWND GetFocus()
{
    if (g_focus && !IsWindow(g_focus))
        g_focus = nullptr;
    return g_focus;
}

void NotePointer(const wxPoint& screen, bool synthesized)
{
    g_pointer = screen;
    g_pointerSynthesized = synthesized;
}

BOOL GetCursorPos(LPPOINT point)
{
    if (!point)
        return FALSE;
    wxPoint p = g_pointerSynthesized ? g_pointer : wxGetMousePosition();
    point->x = p.x;
    point->y = p.y;
    return TRUE;
}

BOOL SetCursorPos(int x, int y)
{
    wxWindow* top = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
    if (!top) {
        for (HWND h : TopLevelWindows())
            if (StateOf(h) && StateOf(h)->frame) {
                top = StateOf(h)->frame;
                break;
            }
    }
    if (!top)
        return FALSE;
    wxPoint p = top->ScreenToClient(wxPoint(x, y));
    top->WarpPointer(p.x, p.y);
    return TRUE;
}

SHORT GetAsyncKeyState(int vk)
{
    if (vk < 0 || vk > 255)
        return 0;
    bool down = g_syntheticDown[vk];
    // Without the window system (headless tools and tests) only synthesized input is down.
    if (!wxTheApp)
        return down ? (SHORT)0x8000 : 0;
    wxMouseState ms = wxGetMouseState();
    switch (vk) {
    case VK_LBUTTON: down = down || ms.LeftIsDown(); break;
    case VK_RBUTTON: down = down || ms.RightIsDown(); break;
    case VK_MBUTTON: down = down || ms.MiddleIsDown(); break;
    case VK_SHIFT:
    case VK_LSHIFT:
    case VK_RSHIFT: down = down || g_syntheticDown[VK_SHIFT] || ms.ShiftDown(); break;
    case VK_CONTROL:
    case VK_LCONTROL:
    case VK_RCONTROL: down = down || g_syntheticDown[VK_CONTROL] || ms.ControlDown(); break;
    case VK_MENU:
    case VK_LMENU:
    case VK_RMENU: down = down || g_syntheticDown[VK_MENU] || ms.AltDown(); break;
    default:
        if (int key = WxKeyOf(vk)) {
            if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9') || vk == VK_SPACE || vk == VK_RETURN ||
                vk == VK_ESCAPE || (vk >= VK_PRIOR && vk <= VK_DOWN))
                down = down || wxGetKeyState(static_cast<wxKeyCode>(key));
        }
        break;
    }
    return down ? (SHORT)0x8000 : 0;
}

SHORT GetKeyState(int vk) { return GetAsyncKeyState(vk); }

UINT GetDoubleClickTime() { return 500; }

BOOL TrackMouseEvent(TRACKMOUSEEVENT* track) { return track && IsWindow(track->hwndTrack); }

BOOL DragDetect(HWND hWnd, POINT point)
{
    // The press turns into a drag once the button is still held after leaving the drag rectangle.
    POINT screen = point;
    ClientToScreen(hWnd, &screen);
    while (GetKeyState(VK_LBUTTON) < 0) {
        POINT now;
        GetCursorPos(&now);
        if (std::abs(now.x - screen.x) > 4 || std::abs(now.y - screen.y) > 4)
            return TRUE;
        MSG m;
        if (!PeekMessage(&m, nullptr, 0, 0, PM_REMOVE))
            wxMilliSleep(5);
        else if (m.message == WM_QUIT)
            return FALSE;
        else
            DispatchMessage(&m);
    }
    return FALSE;
}

void BeginTrackMove(WindowState* s, int hit)
{
    // A maximised window is neither moved nor sized by a drag: it stays over the whole work area.
    if (GetKeyState(VK_LBUTTON) >= 0 || !s->surface || IsZoomed(s->hwnd))
        return;
    s->tracking = true;
    s->trackHit = hit;
    POINT cursor;
    GetCursorPos(&cursor);
    s->trackStart = wxPoint(cursor.x, cursor.y);
    s->trackRect = s->frame ? wxRect(s->frame->GetPosition(), s->frame->GetSize()) : s->outer->GetRect();
    if (!s->surface->HasCapture())
        s->surface->CaptureMouse();
    SendMessage(s->hwnd, WM_ENTERSIZEMOVE, 0, 0);
}

void ContinueTrackMove(WindowState* s, const wxMouseEvent& e)
{
    HWND h = s->hwnd;
    wxPoint now = static_cast<wxWindow*>(e.GetEventObject())->ClientToScreen(e.GetPosition());
    int dx = now.x - s->trackStart.x, dy = now.y - s->trackStart.y;
    wxRect r = s->trackRect;
    switch (s->trackHit) {
    case HTCAPTION: r.Offset(dx, dy); break;
    case HTRIGHT: r.width += dx; break;
    case HTBOTTOM: r.height += dy; break;
    case HTBOTTOMRIGHT:
        r.width += dx;
        r.height += dy;
        break;
    case HTLEFT:
        r.x += dx;
        r.width -= dx;
        break;
    case HTTOP:
        r.y += dy;
        r.height -= dy;
        break;
    case HTTOPLEFT:
        r.x += dx;
        r.width -= dx;
        r.y += dy;
        r.height -= dy;
        break;
    case HTTOPRIGHT:
        r.width += dx;
        r.y += dy;
        r.height -= dy;
        break;
    case HTBOTTOMLEFT:
        r.x += dx;
        r.width -= dx;
        r.height += dy;
        break;
    }
    if (s->trackHit != HTCAPTION) {
        MINMAXINFO mmi{};
        mmi.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMIN), GetSystemMetrics(SM_CYMIN)};
        mmi.ptMaxTrackSize = POINT{100000, 100000};
        SendMessage(h, WM_GETMINMAXINFO, 0, (LPARAM)&mmi);
        r.width = std::clamp<int>(r.width, mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x);
        r.height = std::clamp<int>(r.height, mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y);
    }
    if (e.GetEventType() == wxEVT_MOTION || e.GetEventType() == wxEVT_LEFT_UP)
        SetWindowPos(h, nullptr, r.x, r.y, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (e.GetEventType() == wxEVT_LEFT_UP || !e.LeftIsDown()) {
        if ((s = StateOf(h)) == nullptr)
            return;
        s->tracking = false;
        if (s->surface && s->surface->HasCapture())
            s->surface->ReleaseMouse();
        SendMessage(h, WM_EXITSIZEMOVE, 0, 0);
    }
}
