// Window relations and fields: parents, children, ids, text and the GetWindowLong family.
#include <cstring>

#include "ui/desktop_shell.h"
#include "ui/wx_windows.h"

BOOL IsWindow(HWND hWnd)
{
    if (!hWnd)
        return FALSE;
    if (hWnd == GetDesktopWindow() || hWnd == ForeignWindowHandle())
        return TRUE;
    WindowState* s = StateOf(hWnd);
    return s != nullptr;
}

HWND GetParent(HWND hWnd)
{
    WindowState* s = StateOf(hWnd);
    return s ? s->parent : nullptr;
}

HWND SetParent(HWND child, HWND newParent)
{
    WindowState* s = StateOf(child);
    if (!s)
        return nullptr;
    HWND old = s->parent;
    if (newParent == GetDesktopWindow())
        newParent = nullptr;
    if ((s->style & WS_CHILD) && newParent && s->outer && !s->frame) {
        wxWindow* container = ContainerOf(newParent);
        if (container)
            s->outer->Reparent(container);
    }
    s->parent = newParent;
    if (s->frame)
        UpdateTaskbarButton(child);
    return old;
}

wxWindow* OwnerFrameWx(HWND owner)
{
    WindowState* s = StateOf(owner);
    while (s && (s->style & WS_CHILD))
        s = StateOf(s->parent);
    return s ? static_cast<wxWindow*>(s->frame) : nullptr;
}

BOOL IsChild(HWND parent, HWND hWnd)
{
    for (WindowState* s = StateOf(hWnd); s && (s->style & WS_CHILD); s = StateOf(s->parent))
        if (s->parent == parent)
            return TRUE;
    return FALSE;
}

HWND GetWindow(HWND hWnd, UINT relation)
{
    WindowState* s = StateOf(hWnd);
    if (!s)
        return nullptr;
    if (relation == GW_CHILD) {
        auto children = ChildrenOf(hWnd);
        return children.empty() ? nullptr : children.front();
    }
    if (relation == GW_OWNER)
        return (s->style & WS_CHILD) ? nullptr : s->parent;
    std::vector<HWND> siblings = (s->style & WS_CHILD) ? ChildrenOf(s->parent) : TopLevelWindows();
    auto it = std::find(siblings.begin(), siblings.end(), hWnd);
    switch (relation) {
    case GW_HWNDFIRST: return siblings.empty() ? nullptr : siblings.front();
    case GW_HWNDLAST: return siblings.empty() ? nullptr : siblings.back();
    case GW_HWNDNEXT: return (it == siblings.end() || it + 1 == siblings.end()) ? nullptr : *(it + 1);
    case GW_HWNDPREV: return (it == siblings.end() || it == siblings.begin()) ? nullptr : *(it - 1);
    }
    return nullptr;
}

HWND GetTopWindow(HWND hWnd) { return hWnd ? GetWindow(hWnd, GW_CHILD) : nullptr; }

HWND GetAncestor(HWND hWnd, UINT flags)
{
    WindowState* s = StateOf(hWnd);
    if (!s)
        return nullptr;
    if (flags == GA_PARENT)
        return (s->style & WS_CHILD) ? s->parent : GetDesktopWindow();
    HWND h = hWnd;
    while (StateOf(h) && (StateOf(h)->style & WS_CHILD))
        h = StateOf(h)->parent;
    if (flags == GA_ROOTOWNER)
        while (StateOf(h) && StateOf(h)->parent)
            h = StateOf(h)->parent;
    return h;
}

HWND GetDlgItem(HWND dialog, int id)
{
    for (HWND c : ChildrenOf(dialog))
        if (StateOf(c) && StateOf(c)->id == id)
            return c;
    return nullptr;
}

int GetDlgCtrlID(HWND hWnd)
{
    WindowState* s = StateOf(hWnd);
    return s ? s->id : 0;
}

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM param)
{
    for (HWND c : ChildrenOf(parent)) {
        if (!IsWindow(c))
            continue;
        if (!proc(c, param))
            return FALSE;
        if (!EnumChildWindows(c, proc, param))
            return FALSE;
    }
    return TRUE;
}

LONG_PTR GetWindowLongPtr(HWND hWnd, int index)
{
    WindowState* s = StateOf(hWnd);
    if (!s)
        return 0;
    switch (index) {
    case GWL_STYLE: return (LONG)s->style;
    case GWL_EXSTYLE: return (LONG)s->exStyle;
    case GWL_ID: return s->id;
    case GWL_USERDATA: return s->userData;
    case GWL_WNDPROC: return reinterpret_cast<LONG_PTR>(s->proc);
    case GWL_HWNDPARENT: return reinterpret_cast<LONG_PTR>(s->parent);
    case DWL_MSGRESULT: return s->msgResult;
    }
    return 0;
}

LONG_PTR SetWindowLongPtr(HWND hWnd, int index, LONG_PTR value)
{
    WindowState* s = StateOf(hWnd);
    if (!s)
        return 0;
    LONG_PTR old = GetWindowLongPtr(hWnd, index);
    switch (index) {
    case GWL_STYLE: {
        DWORD style = (DWORD)value;
        // As with ShowWindow: hiding to a tray icon that could not be added minimises instead.
        if ((s->style & WS_VISIBLE) && !(style & WS_VISIBLE) && s->frame && TrayIconAddFailed(hWnd)) {
            style |= WS_VISIBLE;
            s->frame->Iconize(true);
        }
        DWORD changed = s->style ^ style;
        s->style = style;
        if ((changed & WS_VISIBLE) && s->outer)
            s->outer->Show((s->style & WS_VISIBLE) != 0);
        if ((changed & WS_DISABLED) && s->outer && !s->frame)
            s->outer->Enable(!(s->style & WS_DISABLED));
        break;
    }
    case GWL_EXSTYLE: s->exStyle = (DWORD)value; break;
    case GWL_ID: s->id = (int)value; break;
    case GWL_USERDATA: s->userData = value; break;
    case GWL_WNDPROC: s->proc = reinterpret_cast<WNDPROC>(value); break;
    case DWL_MSGRESULT: s->msgResult = value; break;
    }
    return old;
}

LONG GetWindowLong(HWND hWnd, int index) { return (LONG)GetWindowLongPtr(hWnd, index); }

LONG SetWindowLong(HWND hWnd, int index, LONG value) { return (LONG)SetWindowLongPtr(hWnd, index, value); }

BOOL SetWindowText(HWND hWnd, LPCSTR text)
{
    if (!IsWindow(hWnd))
        return FALSE;
    BOOL ok = (BOOL)SendMessage(hWnd, WM_SETTEXT, 0, (LPARAM)(text ? text : ""));
    WindowState* s = StateOf(hWnd);
    if (s && !(s->style & WS_CHILD))
        UpdateTitleLock(s, true);
    return ok;
}

int GetWindowText(HWND hWnd, LPSTR text, int maxCount)
{
    if (!text || maxCount <= 0)
        return 0;
    text[0] = 0;
    return (int)SendMessage(hWnd, WM_GETTEXT, (WPARAM)maxCount, (LPARAM)text);
}

int GetWindowTextLength(HWND hWnd) { return (int)SendMessage(hWnd, WM_GETTEXTLENGTH, 0, 0); }

int GetClassName(HWND hWnd, LPSTR name, int maxCount)
{
    WindowState* s = StateOf(hWnd);
    if (!s || !s->cls || !name || maxCount <= 0)
        return 0;
    std::string n = s->cls->name;
    int len = (int)n.size() < maxCount - 1 ? (int)n.size() : maxCount - 1;
    std::memcpy(name, n.data(), len);
    name[len] = 0;
    return len;
}
