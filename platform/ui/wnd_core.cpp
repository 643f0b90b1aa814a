// CWnd core: handle maps, creation, destruction, the window procedure and message routing with reflection.
#include <cstdio>
#include <map>
#include <string>
#include <memory>
#include <vector>

#include "ui/retired_windows.h"
#include "ui/window_link.h"
#include "ui/wnd.h"

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

namespace {

thread_local MSG t_current{};
thread_local CWnd* t_creating = nullptr;
thread_local int t_handlerDepth = 0;
std::map<HWND, std::unique_ptr<CWnd>> g_temporary;
std::vector<std::unique_ptr<CWnd>> g_retired;

}  // namespace

const MSG* AfxGetCurrentMessage() { return &t_current; }

LPCTSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{
    static std::map<std::string, std::unique_ptr<std::string>> names;
    char name[96];
    std::snprintf(name, sizeof(name), "KestrinWnd:%x:%p:%p:%p", classStyle, (void*)cursor, (void*)background,
                  (void*)icon);
    auto& slot = names[name];
    if (!slot) {
        slot = std::make_unique<std::string>(name);
        WNDCLASS wc{classStyle, &::DefWindowProc, 0, 0, nullptr, icon, cursor, background, nullptr, slot->c_str()};
        AfxRegisterClass(&wc);
    }
    return slot->c_str();
}

BOOL AfxRegisterClass(WNDCLASS* wc)
{
    WNDCLASS existing;
    if (!wc || ::GetClassInfo(nullptr, wc->lpszClassName, &existing))
        return wc != nullptr;
    return ::RegisterClass(wc) != 0;
}

int HandlerDepth() { return t_handlerDepth; }

void HookWindowCreate(CWnd* wnd) { t_creating = wnd; }

void AttachCreatingObject(HWND hWnd)
{
    CWnd* wnd = t_creating;
    if (!wnd)
        return;
    t_creating = nullptr;
    wnd->m_hWnd = hWnd;
    LinkWindowObject(hWnd, wnd);
    wnd->PreSubclassWindow();
}

bool ObjectPaintsItself(HWND hWnd)
{
    CWnd* wnd = WindowObject(hWnd);
    return wnd && wnd->FindMessageEntry(WM_PAINT, 0, 0) != nullptr;
}

LRESULT CALLBACK ObjectWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = WindowObject(hWnd);
    if (!wnd)
        return DefWindowProc(hWnd, message, wParam, lParam);
    MSG saved = t_current;
    t_current = MSG{hWnd, message, wParam, lParam, GetMessageTime(), {0, 0}};
    ++t_handlerDepth;
    LRESULT r = wnd->WindowProc(message, wParam, lParam);
    --t_handlerDepth;
    t_current = saved;
    return r;
}

void ForgetTemporaryWindowObject(HWND hWnd)
{
    auto it = g_temporary.find(hWnd);
    if (it == g_temporary.end())
        return;
    it->second->m_hWnd = nullptr;
    g_retired.push_back(std::move(it->second));
    g_temporary.erase(it);
}

void DeleteRetiredWindowObjects() { g_retired.clear(); }

CWnd::~CWnd()
{
    if (m_hWnd && m_hWnd != HWND_TOP && m_hWnd != HWND_BOTTOM && m_hWnd != HWND_TOPMOST && m_hWnd != HWND_NOTOPMOST &&
        WindowObject(m_hWnd) == this)
        DestroyWindow();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) { return WindowObject(hWnd); }

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    if (CWnd* w = WindowObject(hWnd))
        return w;
    auto& slot = g_temporary[hWnd];
    if (!slot) {
        slot = std::make_unique<CWnd>();
        slot->m_hWnd = hWnd;
    }
    return slot.get();
}

BOOL CWnd::Attach(HWND hWnd)
{
    if (!hWnd || m_hWnd)
        return FALSE;
    m_hWnd = hWnd;
    g_temporary.erase(hWnd);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND h = m_hWnd;
    if (h && WindowObject(h) == this)
        UnlinkWindowObject(h);
    m_hWnd = nullptr;
    return h;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!::IsWindow(hWnd) || m_hWnd || WindowObject(hWnd))
        return FALSE;
    g_temporary.erase(hWnd);
    m_hWnd = hWnd;
    LinkWindowObject(hWnd, this);
    PreSubclassWindow();
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    HWND item = parent ? ::GetDlgItem(parent->m_hWnd, (int)id) : nullptr;
    return item ? SubclassWindow(item) : FALSE;
}

HWND CWnd::UnsubclassWindow() { return Detach(); }

BOOL CWnd::PreCreateWindow(CREATESTRUCT&) { return TRUE; }

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {}

BOOL CWnd::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id, void*)
{
    return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                    UINT id, LPVOID param)
{
    return CreateEx(exStyle, className, windowName, style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr, reinterpret_cast<HMENU>((uintptr_t)id),
                    param);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU idOrMenu, LPVOID param)
{
    CREATESTRUCT cs{param,
                    nullptr,
                    idOrMenu,
                    parent,
                    height,
                    width,
                    y,
                    x,
                    (LONG)style,
                    windowName,
                    className ? className : "KestrinWnd",
                    exStyle};
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    WNDCLASS existing;
    if (!::GetClassInfo(nullptr, cs.lpszClass, &existing)) {
        WNDCLASS wc{CS_DBLCLKS, &::DefWindowProc, 0,           0, nullptr, nullptr, LoadCursor(nullptr, IDC_ARROW),
                    nullptr,    nullptr,          cs.lpszClass};
        ::RegisterClass(&wc);
    }
    CWnd* saved = t_creating;
    t_creating = this;
    HWND h = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, (DWORD)cs.style, cs.x, cs.y, cs.cx, cs.cy,
                              cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    t_creating = saved;
    if (!h) {
        m_hWnd = nullptr;
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    HWND h = m_hWnd;
    BOOL ok = ::DestroyWindow(h);
    // A window destroyed without its object's procedure (already unlinked) leaves the object detached.
    if (m_hWnd == h && !::IsWindow(h))
        m_hWnd = nullptr;
    return ok;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::CallWindowProc(SuperProcOf(m_hWnd), m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() { return DefWindowProc(t_current.message, t_current.wParam, t_current.lParam); }

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    LRESULT r = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *result = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        if (!OnNotify(wParam, lParam, &r))
            return FALSE;
        *result = r;
        return TRUE;
    }
    if (const AFX_MSGMAP_ENTRY* e = FindMessageEntry(message, 0, 0)) {
        if (e->pfn(this, wParam, lParam, &r)) {
            *result = r;
            return TRUE;
        }
        return FALSE;
    }
    // Without a handler of its own the window offers owner-draw and colour messages to the control.
    HWND child = nullptr;
    switch (message) {
    case WM_NCDESTROY: OnNcDestroy(); return TRUE;
    case WM_DRAWITEM: child = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)->hwndItem; break;
    case WM_MEASUREITEM: child = ::GetDlgItem(m_hWnd, (int)reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)->CtlID); break;
    case WM_COMPAREITEM: child = reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)->hwndItem; break;
    case WM_DELETEITEM: child = reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)->hwndItem; break;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_HSCROLL:
    case WM_VSCROLL: child = reinterpret_cast<HWND>(lParam); break;
    default: return FALSE;
    }
    if (child && ReflectLastMsg(child, &r)) {
        *result = r;
        return TRUE;
    }
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT id = LOWORD(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    int code = HIWORD(wParam);
    if (control) {
        if (ReflectLastMsg(control))
            return TRUE;
    } else {
        code = CN_COMMAND;
    }
    return OnCmdMsg(id, code, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result)
{
    auto* nm = reinterpret_cast<NMHDR*>(lParam);
    if (!nm)
        return FALSE;
    if (ReflectLastMsg(nm->hwndFrom, result))
        return TRUE;
    const AFX_MSGMAP_ENTRY* e = FindMessageEntry(WM_NOTIFY, nm->code, (UINT)nm->idFrom);
    return e ? e->pfn(this, nm->idFrom, lParam, result) : FALSE;
}

BOOL CWnd::ReflectLastMsg(HWND child, LRESULT* result)
{
    CWnd* wnd = WindowObject(child);
    if (!wnd)
        return FALSE;
    LRESULT r = 0;
    BOOL handled = wnd->OnChildNotify(t_current.message, t_current.wParam, t_current.lParam, &r);
    if (handled && result)
        *result = r;
    return handled;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return ReflectChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    LRESULT r = 0;
    const AFX_MSGMAP_ENTRY* e = nullptr;
    switch (message) {
    case WM_COMMAND: e = FindMessageEntry(WM_REFLECT_BASE + WM_COMMAND, HIWORD(wParam), 0); break;
    case WM_NOTIFY: e = FindMessageEntry(WM_REFLECT_BASE + WM_NOTIFY, reinterpret_cast<NMHDR*>(lParam)->code, 0); break;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        e = FindMessageEntry(WM_REFLECT_BASE + WM_CTLCOLORSTATIC, 0, 0);
        if (!e)
            return FALSE;
        e->pfn(this, wParam, message - WM_CTLCOLORMSGBOX, &r);
        if (!r)
            return FALSE;
        if (result)
            *result = r;
        return TRUE;
    default: e = FindMessageEntry(WM_REFLECT_BASE + message, 0, 0); break;
    }
    if (!e || !e->pfn(this, wParam, lParam, &r))
        return FALSE;
    if (result)
        *result = r;
    return TRUE;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessage(m_hWnd, message, wParam, lParam);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL deep)
{
    for (HWND c = ::GetWindow(m_hWnd, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        ::SendMessage(c, message, wParam, lParam);
        if (deep)
            CWnd::FromHandle(c)->SendMessageToDescendants(message, wParam, lParam, TRUE);
    }
}

void CWnd::OnNcDestroy()
{
    Default();
    HWND h = m_hWnd;
    if (WindowObject(h) == this)
        UnlinkWindowObject(h);
    m_hWnd = nullptr;
    PostNcDestroy();
}

// Pre-translation walk: the window that gets the message first, then each parent up to the top-level.
bool PreTranslateWalk(MSG* msg)
{
    for (HWND h = msg->hwnd; h;) {
        if (CWnd* wnd = WindowObject(h))
            if (wnd->PreTranslateMessage(msg))
                return true;
        if (!(::GetWindowLong(h, GWL_STYLE) & WS_CHILD))
            break;
        h = ::GetParent(h);
    }
    return false;
}
