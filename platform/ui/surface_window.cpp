// The painted surface window: paints from its backing surface and turns wx input into window messages.
#include "ui/wx_windows.h"

namespace {

UINT KeyMessage(const wxKeyEvent& e, bool up)
{
    bool sys = e.AltDown() && !e.ControlDown();
    if (up)
        return sys ? WM_SYSKEYUP : WM_KEYUP;
    return sys ? WM_SYSKEYDOWN : WM_KEYDOWN;
}

// Mouse message of a wx mouse event, with its mouse-key flags.
bool MouseMessageOf(const wxMouseEvent& e, UINT& message, WPARAM& wParam)
{
    wxEventType t = e.GetEventType();
    if (t == wxEVT_MOTION)
        message = WM_MOUSEMOVE;
    else if (t == wxEVT_LEFT_DOWN)
        message = WM_LBUTTONDOWN;
    else if (t == wxEVT_LEFT_UP)
        message = WM_LBUTTONUP;
    else if (t == wxEVT_LEFT_DCLICK)
        message = WM_LBUTTONDBLCLK;
    else if (t == wxEVT_RIGHT_DOWN)
        message = WM_RBUTTONDOWN;
    else if (t == wxEVT_RIGHT_UP)
        message = WM_RBUTTONUP;
    else if (t == wxEVT_RIGHT_DCLICK)
        message = WM_RBUTTONDBLCLK;
    else if (t == wxEVT_MIDDLE_DOWN)
        message = WM_MBUTTONDOWN;
    else if (t == wxEVT_MIDDLE_UP)
        message = WM_MBUTTONUP;
    else if (t == wxEVT_MIDDLE_DCLICK)
        message = WM_MBUTTONDBLCLK;
    else if (t == wxEVT_MOUSEWHEEL)
        message = WM_MOUSEWHEEL;
    else
        return false;
    WPARAM keys = 0;
    if (e.LeftIsDown())
        keys |= MK_LBUTTON;
    if (e.RightIsDown())
        keys |= MK_RBUTTON;
    if (e.MiddleIsDown())
        keys |= MK_MBUTTON;
    if (e.ShiftDown())
        keys |= MK_SHIFT;
    if (e.ControlDown())
        keys |= MK_CONTROL;
    // The button that changes is reported as it is after the change.
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK)
        keys |= MK_LBUTTON;
    if (message == WM_LBUTTONUP)
        keys &= ~MK_LBUTTON;
    if (message == WM_RBUTTONDOWN || message == WM_RBUTTONDBLCLK)
        keys |= MK_RBUTTON;
    if (message == WM_RBUTTONUP)
        keys &= ~MK_RBUTTON;
    if (message == WM_MBUTTONDOWN || message == WM_MBUTTONDBLCLK)
        keys |= MK_MBUTTON;
    if (message == WM_MBUTTONUP)
        keys &= ~MK_MBUTTON;
    if (message == WM_MOUSEWHEEL)
        keys = MAKEWPARAM(
            keys, (short)(e.GetWheelRotation() * WHEEL_DELTA / (e.GetWheelDelta() ? e.GetWheelDelta() : WHEEL_DELTA)));
    wParam = keys;
    return true;
}

}  // namespace

// Delivers one wx mouse event to a window as its mouse message; true when the native default was reached.
bool DeliverMouseEvent(HWND hWnd, wxWindow* from, const wxMouseEvent& e)
{
    UINT message;
    WPARAM wParam;
    if (!MouseMessageOf(e, message, wParam))
        return true;
    // The wheel turns for the focus window (which passes it up to its parents), not the one under the pointer.
    HWND focus = message == WM_MOUSEWHEEL ? GetFocus() : nullptr;
    bool redirected = focus && focus != hWnd;
    if (redirected)
        hWnd = focus;
    WindowState* s = StateOf(hWnd);
    if (!s)
        return true;
    if (InputBlocked(hWnd))
        return false;
    // Without the double-click class style a second press is a plain press.
    if (!(s->cls && (s->cls->style & CS_DBLCLKS))) {
        if (message == WM_LBUTTONDBLCLK)
            message = WM_LBUTTONDOWN;
        else if (message == WM_RBUTTONDBLCLK)
            message = WM_RBUTTONDOWN;
        else if (message == WM_MBUTTONDBLCLK)
            message = WM_MBUTTONDOWN;
    }
    wxPoint screen = from->ClientToScreen(e.GetPosition());
    NotePointer(screen, e.GetTimestamp() == 0);
    LPARAM lParam;
    if (message == WM_MOUSEWHEEL) {
        lParam = MAKELPARAM(screen.x, screen.y);
    } else {
        POINT p{screen.x, screen.y};
        ScreenToClient(hWnd, &p);
        lParam = MAKELPARAM(p.x, p.y);
        if (message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN ||
            message == WM_MBUTTONDOWN) {
            if (GetCapture() == nullptr && IsWindow(hWnd))
                SendMessage(hWnd, WM_SETCURSOR, (WPARAM)hWnd, MAKELPARAM(HTCLIENT, message));
        }
    }
    if (!IsWindow(hWnd))
        return false;
    bool reached = DeliverInput(hWnd, message, wParam, lParam);
    return reached && !redirected;
}

SurfaceWindow::SurfaceWindow(wxWindow* parent, HWND hWnd, const wxRect& rect, long wxStyle)
    : wxWindow(parent, wxID_ANY, rect.GetPosition(), rect.GetSize(),
               wxStyle | wxWANTS_CHARS | wxFULL_REPAINT_ON_RESIZE),
      m_hwnd(hWnd)
{
    SetClientData(hWnd);
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &SurfaceWindow::OnPaint, this);
    Bind(wxEVT_ERASE_BACKGROUND, [](wxEraseEvent&) {});
    for (const wxEventTypeTag<wxMouseEvent>& t :
         {wxEVT_MOTION, wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_LEFT_DCLICK, wxEVT_RIGHT_DOWN, wxEVT_RIGHT_UP,
          wxEVT_RIGHT_DCLICK, wxEVT_MIDDLE_DOWN, wxEVT_MIDDLE_UP, wxEVT_MIDDLE_DCLICK, wxEVT_MOUSEWHEEL,
          wxEVT_LEAVE_WINDOW, wxEVT_ENTER_WINDOW})
        Bind(t, &SurfaceWindow::OnMouse, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &SurfaceWindow::OnCaptureLost, this);
    Bind(wxEVT_KEY_DOWN, &SurfaceWindow::OnKeyDown, this);
    Bind(wxEVT_KEY_UP, &SurfaceWindow::OnKeyUp, this);
    Bind(wxEVT_CHAR, &SurfaceWindow::OnChar, this);
    Bind(wxEVT_SET_FOCUS, &SurfaceWindow::OnFocus, this);
    Bind(wxEVT_KILL_FOCUS, &SurfaceWindow::OnKillFocus, this);
    Bind(wxEVT_SIZE, &SurfaceWindow::OnSize, this);
}

bool SurfaceWindow::AcceptsFocus() const
{
    WindowState* s = StateOf(m_hwnd);
    return s && !(s->style & WS_DISABLED);
}

bool SurfaceWindow::AcceptsFocusFromKeyboard() const
{
    WindowState* s = StateOf(m_hwnd);
    return s && (s->style & WS_TABSTOP) && !(s->style & WS_DISABLED);
}

void SurfaceWindow::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    WindowState* s = StateOf(m_hwnd);
    if (!s)
        return;
    PaintSurface(s, dc, GetUpdateRegion());
}

void SurfaceWindow::OnMouse(wxMouseEvent& e)
{
    WindowState* s = StateOf(m_hwnd);
    if (!s)
        return;
    if (e.GetEventType() == wxEVT_ENTER_WINDOW || e.GetEventType() == wxEVT_LEAVE_WINDOW) {
        if (e.GetEventType() == wxEVT_LEAVE_WINDOW && ::GetCapture() != m_hwnd)
            SendMessage(m_hwnd, WM_MOUSELEAVE, 0, 0);
        return;
    }
    if (s->tracking) {
        ContinueTrackMove(s, e);  // a non-client move or size owns the mouse
        return;
    }
    if (e.ButtonDown() && !(s->style & WS_DISABLED) && (s->style & WS_CHILD) && wxWindow::FindFocus() != this) {
        // A click focuses a child that can take the focus, as the window manager would.
        if (s->cls && s->cls->name != "static")
            SetFocus();
    }
    // The window says what part of it the pointer is over: a window transparent to the mouse (a plain
    // static) passes it to its parent, and a press on a caption or sizing part starts moving or sizing.
    LRESULT hit = HTCLIENT;
    if (e.GetEventType() != wxEVT_MOUSEWHEEL && ::GetCapture() != m_hwnd) {
        wxPoint screen = ClientToScreen(e.GetPosition());
        hit = SendMessage(m_hwnd, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
        if (!IsWindow(m_hwnd))
            return;
        if ((s->style & WS_CHILD) && RegionExcludes(m_hwnd, screen))
            hit = HTTRANSPARENT;  // outside a child's region the parent is under the pointer
        if (hit == HTTRANSPARENT && (s->style & WS_CHILD)) {
            if (WindowState* p = StateOf(s->parent))
                if (p->surface)
                    DeliverMouseEvent(s->parent, this, e);
            return;
        }
        if (e.GetEventType() == wxEVT_LEFT_DOWN && hit != HTCLIENT && hit != HTTRANSPARENT && hit != HTNOWHERE) {
            NotePointer(screen, e.GetTimestamp() == 0);
            SendMessage(m_hwnd, WM_NCLBUTTONDOWN, (WPARAM)hit, MAKELPARAM(screen.x, screen.y));
            return;
        }
    }
    DeliverMouseEvent(m_hwnd, this, e);
}

void SurfaceWindow::OnCaptureLost(wxMouseCaptureLostEvent&) { SendMessage(m_hwnd, WM_CAPTURECHANGED, 0, 0); }

void SurfaceWindow::OnKeyDown(wxKeyEvent& e)
{
    int vk = VirtualKeyOf(e.GetKeyCode());
    if (!vk) {
        e.Skip();
        return;
    }
    if (DeliverInput(KeyTarget(m_hwnd), KeyMessage(e, false), vk, KeyLParam(e, false)))
        e.Skip();
}

void SurfaceWindow::OnKeyUp(wxKeyEvent& e)
{
    int vk = VirtualKeyOf(e.GetKeyCode());
    if (!vk) {
        e.Skip();
        return;
    }
    if (DeliverInput(KeyTarget(m_hwnd), KeyMessage(e, true), vk, KeyLParam(e, true)))
        e.Skip();
}

void SurfaceWindow::OnChar(wxKeyEvent& e)
{
    wxChar c = e.GetUnicodeKey();
    if (c == WXK_NONE) {
        int k = e.GetKeyCode();
        if (k == WXK_BACK || k == WXK_RETURN || k == WXK_ESCAPE || k == WXK_TAB)
            c = (wxChar)k;
        else
            return;
    }
    if (e.ControlDown() && c >= 'A' && c <= 'Z' && !e.AltDown())
        c = c - 'A' + 1;
    else if (e.ControlDown() && c >= 'a' && c <= 'z' && !e.AltDown())
        c = c - 'a' + 1;
    DeliverInput(KeyTarget(m_hwnd), e.AltDown() ? WM_SYSCHAR : WM_CHAR, (WPARAM)c, KeyLParam(e, false));
}

void SurfaceWindow::OnFocus(wxFocusEvent& e)
{
    FocusChanged(KeyTarget(m_hwnd));
    e.Skip();
}

void SurfaceWindow::OnKillFocus(wxFocusEvent& e) { e.Skip(); }

void SurfaceWindow::OnSize(wxSizeEvent& e)
{
    WindowState* s = StateOf(m_hwnd);
    if (!s)
        return;
    LayoutWindowScrollBars(s);
    EnsureBackingSurface(s);
    if (s->kind == WxKind::Surface)
        SyncClientSize(s);
    e.Skip();
}
