// SendInput: synthesized mouse and key input, delivered through the same toolkit events as real input.
#include "ui/wx_windows.h"

extern bool g_syntheticDown[256];
bool MenuIsActive();

namespace {

wxPoint g_syntheticPos(-1, -1);

wxWindow* MouseTarget(const wxPoint& screen)
{
    if (HWND cap = GetCapture()) {
        WindowState* s = StateOf(cap);
        if (s)
            return s->surface ? static_cast<wxWindow*>(s->surface) : s->outer;
    }
    // A window being moved or sized holds the pointer as a capture does, wherever the press began.
    for (HWND top : TopLevelWindows())
        if (WindowState* s = StateOf(top); s && s->tracking && s->surface)
            return s->surface;
    // The deepest shown window of ours that holds the point.
    wxWindow* best = nullptr;
    for (HWND top : TopLevelWindows()) {
        WindowState* s = StateOf(top);
        if (!s || !s->frame || !s->frame->IsShown())
            continue;
        std::function<void(wxWindow*)> visit = [&](wxWindow* w) {
            if (!w->IsShown() || !w->GetScreenRect().Contains(screen))
                return;
            if (HWND h = static_cast<HWND>(w->GetClientData());
                h && StateOf(h) && StateOf(h)->outer == w && RegionExcludes(h, screen))
                return;  // a shaped window is not there outside its region
            best = w;
            for (wxWindow* c : w->GetChildren())
                if (!c->IsTopLevel())
                    visit(c);
        };
        visit(s->frame);
    }
    return best;
}

// True when the point is over a toolkit control (or an open menu holds the input).
bool NativeAt(const wxPoint& screen)
{
    if (MenuIsActive())
        return true;
    wxWindow* w = MouseTarget(screen);
    WindowState* s = w ? StateOf(HandleOfWx(w)) : nullptr;
    return s && s->kind == WxKind::Native && !GetCapture();
}

void SendMouse(const MOUSEINPUT& mi)
{
    wxPoint pos = g_syntheticPos.x < 0 ? wxGetMousePosition() : g_syntheticPos;
    if (mi.dwFlags & MOUSEEVENTF_ABSOLUTE) {
        int sw, sh;
        wxDisplaySize(&sw, &sh);
        pos = wxPoint((int)((int64_t)mi.dx * sw / 65536), (int)((int64_t)mi.dy * sh / 65536));
    } else if (mi.dwFlags & MOUSEEVENTF_MOVE) {
        pos += wxPoint(mi.dx, mi.dy);
    }
    g_syntheticPos = pos;
    NotePointer(pos, true);
    if (NativeAt(pos)) {
        // A toolkit control handles its own input: it goes through the display server.
        wxUIActionSimulator sim;
        sim.MouseMove(pos);
        if (mi.dwFlags & MOUSEEVENTF_LEFTDOWN)
            sim.MouseDown(wxMOUSE_BTN_LEFT);
        if (mi.dwFlags & MOUSEEVENTF_LEFTUP)
            sim.MouseUp(wxMOUSE_BTN_LEFT);
        if (mi.dwFlags & MOUSEEVENTF_RIGHTDOWN)
            sim.MouseDown(wxMOUSE_BTN_RIGHT);
        if (mi.dwFlags & MOUSEEVENTF_RIGHTUP)
            sim.MouseUp(wxMOUSE_BTN_RIGHT);
        return;
    }
    struct Step {
        DWORD flag;
        wxEventType type;
        int vk;
        bool down;
    };
    const Step steps[] = {
        {MOUSEEVENTF_MOVE, wxEVT_MOTION, 0, false},
        {MOUSEEVENTF_LEFTDOWN, wxEVT_LEFT_DOWN, VK_LBUTTON, true},
        {MOUSEEVENTF_LEFTUP, wxEVT_LEFT_UP, VK_LBUTTON, false},
        {MOUSEEVENTF_RIGHTDOWN, wxEVT_RIGHT_DOWN, VK_RBUTTON, true},
        {MOUSEEVENTF_RIGHTUP, wxEVT_RIGHT_UP, VK_RBUTTON, false},
        {MOUSEEVENTF_MIDDLEDOWN, wxEVT_MIDDLE_DOWN, VK_MBUTTON, true},
        {MOUSEEVENTF_MIDDLEUP, wxEVT_MIDDLE_UP, VK_MBUTTON, false},
        {MOUSEEVENTF_WHEEL, wxEVT_MOUSEWHEEL, 0, false},
    };
    for (const Step& st : steps) {
        if (!(mi.dwFlags & st.flag) && !(st.flag == MOUSEEVENTF_MOVE && (mi.dwFlags & MOUSEEVENTF_ABSOLUTE)))
            continue;
        if (st.vk)
            g_syntheticDown[st.vk] = st.down;
        wxWindow* target = MouseTarget(pos);
        if (!target)
            continue;
        wxMouseEvent e(st.type);
        e.SetEventObject(target);
        e.SetPosition(target->ScreenToClient(pos));
        e.m_leftDown = g_syntheticDown[VK_LBUTTON];
        e.m_rightDown = g_syntheticDown[VK_RBUTTON];
        e.m_middleDown = g_syntheticDown[VK_MBUTTON];
        e.SetShiftDown(g_syntheticDown[VK_SHIFT]);
        e.SetControlDown(g_syntheticDown[VK_CONTROL]);
        e.SetAltDown(g_syntheticDown[VK_MENU]);
        if (st.type == wxEVT_MOUSEWHEEL) {
            e.m_wheelRotation = (short)mi.mouseData;
            e.m_wheelDelta = WHEEL_DELTA;
            e.m_linesPerAction = 3;
        }
        if (st.type == wxEVT_LEFT_DOWN || st.type == wxEVT_RIGHT_DOWN || st.type == wxEVT_MIDDLE_DOWN ||
            st.type == wxEVT_LEFT_UP || st.type == wxEVT_RIGHT_UP || st.type == wxEVT_MIDDLE_UP)
            e.SetId(target->GetId());
        target->GetEventHandler()->ProcessEvent(e);
    }
}

wxWindow* KeyTarget()
{
    if (HWND f = GetFocus()) {
        WindowState* s = StateOf(f);
        if (s)
            return s->surface ? static_cast<wxWindow*>(s->surface) : s->outer;
    }
    return wxWindow::FindFocus();
}

void SendKey(const KEYBDINPUT& ki)
{
    bool up = (ki.dwFlags & KEYEVENTF_KEYUP) != 0;
    WindowState* focus = StateOf(GetFocus());
    bool native = focus && focus->kind == WxKind::Native;
    if ((MenuIsActive() || native) && !(ki.dwFlags & KEYEVENTF_UNICODE)) {
        // An open menu or a toolkit control takes the key through the display server.
        wxUIActionSimulator sim;
        if (int code = WxKeyOf(ki.wVk & 0xFF))
            up ? sim.KeyUp(code) : sim.KeyDown(code);
        return;
    }
    wxWindow* target = KeyTarget();
    if (ki.dwFlags & KEYEVENTF_UNICODE) {
        if (!target || up)
            return;
        wxKeyEvent ch(wxEVT_CHAR);
        ch.SetEventObject(target);
        ch.m_uniChar = ki.wScan;
        ch.m_keyCode = ki.wScan < 128 ? (int)ki.wScan : (int)WXK_NONE;
        target->GetEventHandler()->ProcessEvent(ch);
        return;
    }
    int vk = ki.wVk & 0xFF;
    g_syntheticDown[vk] = !up;
    if (!target)
        return;
    int code = WxKeyOf(vk);
    wxKeyEvent e(up ? wxEVT_KEY_UP : wxEVT_KEY_DOWN);
    e.SetEventObject(target);
    e.m_keyCode = code;
    e.m_uniChar = (code > 0 && code < WXK_START) ? (wxChar)code : (wxChar)WXK_NONE;
    e.SetShiftDown(g_syntheticDown[VK_SHIFT]);
    e.SetControlDown(g_syntheticDown[VK_CONTROL]);
    e.SetAltDown(g_syntheticDown[VK_MENU]);
    bool handled = target->GetEventHandler()->ProcessEvent(e);
    if (up || handled)
        return;
    // A key-down passed on produces its character, as the keyboard translation does.
    wxChar c = 0;
    if (vk >= 'A' && vk <= 'Z')
        c = g_syntheticDown[VK_SHIFT] ? (wxChar)vk : (wxChar)(vk - 'A' + 'a');
    else if ((vk >= '0' && vk <= '9') || vk == VK_SPACE || vk == VK_RETURN || vk == VK_BACK || vk == VK_ESCAPE ||
             vk == VK_TAB)
        c = (wxChar)vk;
    if (!c)
        return;
    wxKeyEvent ch(wxEVT_CHAR);
    ch.SetEventObject(target);
    ch.m_uniChar = c;
    ch.m_keyCode = c;
    ch.SetShiftDown(g_syntheticDown[VK_SHIFT]);
    ch.SetControlDown(g_syntheticDown[VK_CONTROL]);
    ch.SetAltDown(g_syntheticDown[VK_MENU]);
    target->GetEventHandler()->ProcessEvent(ch);
}

}  // namespace

UINT SendInput(UINT count, LPINPUT inputs, int size)
{
    if (!inputs || size != (int)sizeof(INPUT))
        return 0;
    for (UINT i = 0; i < count; ++i) {
        if (inputs[i].type == INPUT_MOUSE)
            SendMouse(inputs[i].mi);
        else if (inputs[i].type == INPUT_KEYBOARD)
            SendKey(inputs[i].ki);
    }
    return count;
}
