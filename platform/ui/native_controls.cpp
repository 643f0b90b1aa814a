// Native controls: creation by class, input hooks, fonts and the colours a parent picks with WM_CTLCOLOR.
#include "ui/wx_windows.h"

wxWindow* CreateButtonControl(WindowState* s, wxWindow* parent, const wxRect& rect);
wxWindow* CreateEditControl(WindowState* s, wxWindow* parent, const wxRect& rect);
wxWindow* CreateListBoxControl(WindowState* s, wxWindow* parent, const wxRect& rect);
wxWindow* CreateComboBoxControl(WindowState* s, wxWindow* parent, const wxRect& rect);
wxWindow* CreateScrollBarControl(WindowState* s, wxWindow* parent, const wxRect& rect);
wxWindow* CreateListViewControl(WindowState* s, wxWindow* parent, const wxRect& rect);
wxWindow* CreateProgressControl(WindowState* s, wxWindow* parent, const wxRect& rect);
wxWindow* CreateTrackBarControl(WindowState* s, wxWindow* parent, const wxRect& rect);
wxRect AlignedScrollBarRect(DWORD style, wxRect r);

namespace {

void OnNativeMouse(HWND h, wxMouseEvent& e)
{
    if (!IsWindow(h)) {
        e.Skip();
        return;
    }
    if (e.GetEventType() == wxEVT_ENTER_WINDOW || e.GetEventType() == wxEVT_LEAVE_WINDOW) {
        e.Skip();
        return;
    }
    if (DeliverMouseEvent(h, static_cast<wxWindow*>(e.GetEventObject()), e))
        e.Skip();
}

// A key that types a character (its WM_CHAR does the work, not its key-down): letters, digits, signs,
// Backspace, Tab, Enter and Escape, with or without Ctrl.
bool IsCharacterKey(const wxKeyEvent& e)
{
    wxChar c = e.GetUnicodeKey();
    return c != WXK_NONE && c != WXK_DELETE;
}

// A control made of inner windows passes their events on to itself: only the innermost windows are hooked.
void HookOne(wxWindow* w, HWND h)
{
    if (!w->GetChildren().empty()) {
        for (wxWindow* c : w->GetChildren())
            HookOne(c, h);
        return;
    }
    for (const wxEventTypeTag<wxMouseEvent>& t :
         {wxEVT_MOTION, wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_LEFT_DCLICK, wxEVT_RIGHT_DOWN, wxEVT_RIGHT_UP,
          wxEVT_RIGHT_DCLICK, wxEVT_MIDDLE_DOWN, wxEVT_MIDDLE_UP, wxEVT_MOUSEWHEEL})
        w->Bind(t, [h](wxMouseEvent& e) { OnNativeMouse(h, e); });
    w->Bind(wxEVT_KEY_DOWN, [h](wxKeyEvent& e) {
        int vk = VirtualKeyOf(e.GetKeyCode());
        if (!vk || !IsWindow(h) || DeliverInput(h, e.AltDown() ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, KeyLParam(e, false)))
            e.Skip();
        else if (!InputConsumedBeforeDispatch() && IsCharacterKey(e))
            e.Skip();  // the character was translated before the handler saw the key: WM_CHAR still follows
    });
    w->Bind(wxEVT_KEY_UP, [h](wxKeyEvent& e) {
        int vk = VirtualKeyOf(e.GetKeyCode());
        if (!vk || !IsWindow(h) || DeliverInput(h, e.AltDown() ? WM_SYSKEYUP : WM_KEYUP, vk, KeyLParam(e, true)))
            e.Skip();
    });
    w->Bind(wxEVT_CHAR, [h](wxKeyEvent& e) {
        wxChar c = e.GetUnicodeKey();
        if (c == WXK_NONE) {
            int k = e.GetKeyCode();
            if (k != WXK_BACK && k != WXK_RETURN && k != WXK_ESCAPE && k != WXK_TAB) {
                e.Skip();
                return;
            }
            c = (wxChar)k;
        }
        if (!IsWindow(h) || DeliverInput(h, WM_CHAR, (WPARAM)c, KeyLParam(e, false)))
            e.Skip();
    });
    w->Bind(wxEVT_SET_FOCUS, [h](wxFocusEvent& e) {
        FocusChanged(h);
        e.Skip();
    });
}

}  // namespace

void HookNativeInput(wxWindow* control, HWND hWnd) { HookOne(control, hWnd); }

wxWindow* CreateNativeControl(WindowState* s, wxWindow* parent, wxRect rect)
{
    const std::string& n = s->cls->name;
    if (n == "scrollbar")
        rect = AlignedScrollBarRect(s->style, rect);
    wxWindow* w = nullptr;
    if (n == "button")
        w = CreateButtonControl(s, parent, rect);
    else if (n == "edit")
        w = CreateEditControl(s, parent, rect);
    else if (n == "listbox")
        w = CreateListBoxControl(s, parent, rect);
    else if (n == "combobox")
        w = CreateComboBoxControl(s, parent, rect);
    else if (n == "scrollbar")
        w = CreateScrollBarControl(s, parent, rect);
    else if (n == "syslistview32")
        w = CreateListViewControl(s, parent, rect);
    else if (n == "msctls_progress32")
        w = CreateProgressControl(s, parent, rect);
    else if (n == "msctls_trackbar32")
        w = CreateTrackBarControl(s, parent, rect);
    if (!w)
        return nullptr;
    w->SetClientData(s->hwnd);
    if (n != "combobox")  // a combo box's rectangle includes its dropped list; it sized its field itself
        w->SetSize(rect);
    HookNativeInput(w, s->hwnd);
    return w;
}

HFONT DefaultGuiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

// Asks the parent for the control's colours, as the control would before it paints.
void ApplyCtlColors(WindowState* s, UINT message)
{
    if (!s->native || !s->parent)
        return;
    HDC dc = CreateCompatibleDC(nullptr);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc,
               GetSysColor(message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX ? COLOR_WINDOW : COLOR_BTNFACE));
    HBRUSH brush = reinterpret_cast<HBRUSH>(SendMessage(s->parent, message, (WPARAM)dc, (LPARAM)s->hwnd));
    if ((s = StateOf(s->hwnd)) == nullptr) {
        DeleteDC(dc);
        return;
    }
    s->native->SetForegroundColour(WxColour(GetTextColor(dc)));
    LOGBRUSH lb{};
    bool known = brush && GetObject(brush, sizeof(lb), &lb) == sizeof(lb);
    bool hollow = known && lb.lbStyle == BS_NULL;
    SetNativeTransparent(s->native, hollow);  // the parent's pixels show through a hollow brush
    if (known && lb.lbStyle == BS_SOLID)
        s->native->SetBackgroundColour(WxColour(lb.lbColor));
    else if (!hollow)
        s->native->SetBackgroundColour(WxColour(GetBkColor(dc)));
    DeleteDC(dc);
}

namespace {

// Lists, scroll bars, track bars and multi-line edits scroll with the wheel; the other controls pass it on.
bool ScrollsWithWheel(const WindowState* s)
{
    const std::string& n = s->cls->name;
    return n == "listbox" || n == "combobox" || n == "scrollbar" || n == "syslistview32" || n == "msctls_trackbar32" ||
           (n == "edit" && (s->style & ES_MULTILINE));
}

}  // namespace

LRESULT NativeDefault(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MOUSEWHEEL)
        if (WindowState* s = StateOf(hWnd); s && s->cls && !ScrollsWithWheel(s))
            return DefWindowProc(hWnd, message, wParam, lParam);
    bool input =
        (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || (message >= WM_KEYFIRST && message <= WM_KEYLAST);
    if (input) {
        MarkNativeDefault();
        return 0;
    }
    if (message == WM_SETTEXT) {
        WindowState* s = StateOf(hWnd);
        LRESULT r = DefWindowProc(hWnd, message, wParam, lParam);
        if (s && s->native)
            s->native->SetLabel(wxString::FromUTF8(s->text));
        return r;
    }
    return DefWindowProc(hWnd, message, wParam, lParam);
}

void NotifyParent(WindowState* s, WORD code)
{
    if (s && s->parent)
        SendMessage(s->parent, WM_COMMAND, MAKEWPARAM(s->id, code), (LPARAM)s->hwnd);
}

LRESULT SendNotify(HWND h, NMHDR& hdr, UINT code)
{
    WindowState* s = StateOf(h);
    if (!s || !s->parent)
        return 0;
    hdr.hwndFrom = h;
    hdr.idFrom = (UINT_PTR)s->id;
    hdr.code = code;
    return SendMessage(s->parent, WM_NOTIFY, (WPARAM)s->id, (LPARAM)&hdr);
}
