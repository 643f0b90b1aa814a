// CWnd operations: thin members over the window functions.
#include "ui/window_link.h"
#include "ui/wnd.h"

#pragma GCC diagnostic ignored "-Wnonnull-compare"
HWND CWnd::GetSafeHwnd() const { return this ? m_hWnd : nullptr; }

void CWnd::SetWindowText(LPCTSTR text) { ::SetWindowText(m_hWnd, text); }

int CWnd::GetWindowText(LPTSTR text, int maxCount) const { return ::GetWindowText(m_hWnd, text, maxCount); }

void CWnd::GetWindowText(CString& text) const
{
    int n = ::GetWindowTextLength(m_hWnd);
    char* buffer = text.GetBufferSetLength(n);
    ::GetWindowText(m_hWnd, buffer, n + 1);
    text.ReleaseBuffer();
}

int CWnd::GetWindowTextLength() const { return ::GetWindowTextLength(m_hWnd); }

void CWnd::SetFont(CFont* font, BOOL redraw)
{
    ::SendMessage(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font ? (HFONT)font->m_hObject : nullptr), redraw);
}

CFont* CWnd::GetFont() const
{
    HFONT f = reinterpret_cast<HFONT>(::SendMessage(m_hWnd, WM_GETFONT, 0, 0));
    return f ? CFont::FromHandle(f) : nullptr;
}

HICON CWnd::SetIcon(HICON icon, BOOL big)
{
    return reinterpret_cast<HICON>(::SendMessage(m_hWnd, WM_SETICON, big, reinterpret_cast<LPARAM>(icon)));
}

HICON CWnd::GetIcon(BOOL big) const { return reinterpret_cast<HICON>(::SendMessage(m_hWnd, WM_GETICON, big, 0)); }

CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }

void CWnd::GetDlgItem(int id, HWND* hWnd) const { *hWnd = ::GetDlgItem(m_hWnd, id); }

void CWnd::SetDlgItemText(int id, LPCTSTR text) { ::SetDlgItemText(m_hWnd, id, text); }

int CWnd::GetDlgItemText(int id, LPTSTR text, int maxCount) const
{
    return (int)::GetDlgItemText(m_hWnd, id, text, maxCount);
}

int CWnd::GetDlgItemText(int id, CString& text) const
{
    text.Empty();
    if (CWnd* item = GetDlgItem(id))
        item->GetWindowText(text);
    return text.GetLength();
}

void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned) { ::SetDlgItemInt(m_hWnd, id, value, isSigned); }

UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const
{
    return ::GetDlgItemInt(m_hWnd, id, translated, isSigned);
}

void CWnd::CheckDlgButton(int id, UINT check) { ::CheckDlgButton(m_hWnd, id, check); }

UINT CWnd::IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }

void CWnd::CheckRadioButton(int firstId, int lastId, int checkId)
{
    ::CheckRadioButton(m_hWnd, firstId, lastId, checkId);
}

int CWnd::GetCheckedRadioButton(int firstId, int lastId)
{
    for (int id = firstId; id <= lastId; ++id)
        if (::IsDlgButtonChecked(m_hWnd, id))
            return id;
    return 0;
}

LRESULT CWnd::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendDlgItemMessage(m_hWnd, id, message, wParam, lParam);
}

int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }

int CWnd::SetDlgCtrlID(int id) { return (int)::SetWindowLong(m_hWnd, GWL_ID, id); }

CWnd* CWnd::GetNextDlgTabItem(CWnd* control, BOOL previous) const
{
    return FromHandle(::GetNextDlgTabItem(m_hWnd, control ? control->m_hWnd : nullptr, previous));
}

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

CWnd* CWnd::SetParent(CWnd* newParent)
{
    return FromHandle(::SetParent(m_hWnd, newParent ? newParent->m_hWnd : nullptr));
}

CWnd* CWnd::GetOwner() const { return FromHandle(::GetParent(m_hWnd)); }

void CWnd::SetOwner(CWnd* owner) { ::SetParent(m_hWnd, owner ? owner->m_hWnd : nullptr); }

CWnd* CWnd::GetTopLevelParent() const
{
    HWND h = m_hWnd;
    while (h && (::GetWindowLong(h, GWL_STYLE) & WS_CHILD))
        h = ::GetParent(h);
    return FromHandle(h);
}

CWnd* CWnd::GetParentOwner() const { return GetTopLevelParent(); }

CWnd* CWnd::GetWindow(UINT relation) const { return FromHandle(::GetWindow(m_hWnd, relation)); }

CWnd* CWnd::GetNextWindow(UINT relation) const { return FromHandle(::GetWindow(m_hWnd, relation)); }

CWnd* CWnd::GetTopWindow() const { return FromHandle(::GetTopWindow(m_hWnd)); }

BOOL CWnd::IsChild(const CWnd* wnd) const { return wnd && ::IsChild(m_hWnd, wnd->m_hWnd); }

CWnd* CWnd::ChildWindowFromPoint(POINT point) const { return FromHandle(::ChildWindowFromPoint(m_hWnd, point)); }

CWnd* CWnd::GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }

CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }

CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }

CWnd* CWnd::GetCapture() { return FromHandle(::GetCapture()); }

CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }

CWnd* CWnd::GetActiveWindow() { return FromHandle(::GetActiveWindow()); }

CWnd* CWnd::GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }

BOOL CWnd::SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }

CWnd* CWnd::SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }

CWnd* CWnd::FindWindow(LPCTSTR className, LPCTSTR windowName)
{
    return FromHandle(::FindWindow(className, windowName));
}

CWnd* CWnd::WindowFromPoint(POINT point) { return FromHandle(::WindowFromPoint(point)); }

BOOL CWnd::ShowWindow(int cmdShow) { return ::ShowWindow(m_hWnd, cmdShow); }

BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }

BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }

BOOL CWnd::IsZoomed() const { return ::IsZoomed(m_hWnd); }

BOOL CWnd::EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }

BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint)
{
    ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}

void CWnd::MoveWindow(LPCRECT rect, BOOL repaint)
{
    ::MoveWindow(m_hWnd, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : nullptr, x, y, cx, cy, flags);
}

void CWnd::GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }

void CWnd::GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }

void CWnd::ClientToScreen(LPPOINT point) const { ::ClientToScreen(m_hWnd, point); }

void CWnd::ClientToScreen(LPRECT rect) const
{
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(rect));
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(rect) + 1);
}

void CWnd::ScreenToClient(LPPOINT point) const { ::ScreenToClient(m_hWnd, point); }

void CWnd::ScreenToClient(LPRECT rect) const
{
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(rect));
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(rect) + 1);
}

void CWnd::MapWindowPoints(CWnd* to, LPPOINT points, UINT count) const
{
    ::MapWindowPoints(m_hWnd, to ? to->m_hWnd : nullptr, points, count);
}

void CWnd::MapWindowPoints(CWnd* to, LPRECT rect) const
{
    ::MapWindowPoints(m_hWnd, to ? to->m_hWnd : nullptr, reinterpret_cast<LPPOINT>(rect), 2);
}

int CWnd::SetWindowRgn(HRGN region, BOOL redraw) { return ::SetWindowRgn(m_hWnd, region, redraw); }

void CWnd::CenterWindow(CWnd* alternateOwner)
{
    RECT area;
    HWND owner = alternateOwner ? alternateOwner->m_hWnd : ::GetParent(m_hWnd);
    DWORD style = GetStyle();
    if (style & WS_CHILD) {
        ::GetClientRect(::GetParent(m_hWnd), &area);
    } else if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) {
        ::GetWindowRect(owner, &area);
    } else {
        ::SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
    }
    RECT me;
    ::GetWindowRect(m_hWnd, &me);
    int w = me.right - me.left, h = me.bottom - me.top;
    int x = (area.left + area.right) / 2 - w / 2;
    int y = (area.top + area.bottom) / 2 - h / 2;
    if (!(style & WS_CHILD)) {
        // Keep the window on the work area.
        RECT work;
        ::SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
        if (x + w > work.right)
            x = work.right - w;
        if (x < work.left)
            x = work.left;
        if (y + h > work.bottom)
            y = work.bottom - h;
        if (y < work.top)
            y = work.top;
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::BringWindowToTop() { ::BringWindowToTop(m_hWnd); }

DWORD CWnd::GetStyle() const { return (DWORD)::GetWindowLong(m_hWnd, GWL_STYLE); }

DWORD CWnd::GetExStyle() const { return (DWORD)::GetWindowLong(m_hWnd, GWL_EXSTYLE); }

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags)
{
    DWORD style = GetStyle();
    DWORD updated = (style & ~remove) | add;
    if (style == updated)
        return FALSE;
    ::SetWindowLong(m_hWnd, GWL_STYLE, (LONG)updated);
    if (flags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags)
{
    DWORD style = GetExStyle();
    DWORD updated = (style & ~remove) | add;
    if (style == updated)
        return FALSE;
    ::SetWindowLong(m_hWnd, GWL_EXSTYLE, (LONG)updated);
    if (flags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}

BOOL CWnd::FlashWindow(BOOL invert) { return ::FlashWindow(m_hWnd, invert); }

void CWnd::DragAcceptFiles(BOOL accept)
{
    ModifyStyleEx(accept ? 0 : WS_EX_ACCEPTFILES, accept ? WS_EX_ACCEPTFILES : 0);
}

void CWnd::Invalidate(BOOL erase) { ::InvalidateRect(m_hWnd, nullptr, erase); }

void CWnd::InvalidateRect(LPCRECT rect, BOOL erase) { ::InvalidateRect(m_hWnd, rect, erase); }

void CWnd::InvalidateRgn(CRgn* region, BOOL erase)
{
    ::InvalidateRgn(m_hWnd, region ? (HRGN)region->m_hObject : nullptr, erase);
}

void CWnd::ValidateRect(LPCRECT rect) { ::ValidateRect(m_hWnd, rect); }

void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }

BOOL CWnd::RedrawWindow(LPCRECT update, CRgn* region, UINT flags)
{
    return ::RedrawWindow(m_hWnd, update, region ? (HRGN)region->m_hObject : nullptr, flags);
}

BOOL CWnd::GetUpdateRect(LPRECT rect, BOOL erase) { return ::GetUpdateRect(m_hWnd, rect, erase); }

CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }

CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }

int CWnd::ReleaseDC(CDC* dc) { return dc ? ::ReleaseDC(m_hWnd, dc->m_hDC) : 0; }

CDC* CWnd::BeginPaint(LPPAINTSTRUCT paint) { return CDC::FromHandle(::BeginPaint(m_hWnd, paint)); }

void CWnd::EndPaint(LPPAINTSTRUCT paint) { ::EndPaint(m_hWnd, paint); }

void CWnd::ScrollWindow(int dx, int dy, LPCRECT scrollRect, LPCRECT clipRect)
{
    ::ScrollWindow(m_hWnd, dx, dy, scrollRect, clipRect);
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, void(CALLBACK* proc)(HWND, UINT, UINT_PTR, DWORD))
{
    return ::SetTimer(m_hWnd, id, elapse, proc);
}

BOOL CWnd::KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }

int CWnd::SetScrollPos(int bar, int pos, BOOL redraw) { return ::SetScrollPos(m_hWnd, bar, pos, redraw); }

int CWnd::GetScrollPos(int bar) const { return ::GetScrollPos(m_hWnd, bar); }

void CWnd::SetScrollRange(int bar, int minPos, int maxPos, BOOL redraw)
{
    ::SetScrollRange(m_hWnd, bar, minPos, maxPos, redraw);
}

void CWnd::GetScrollRange(int bar, LPINT minPos, LPINT maxPos) const { ::GetScrollRange(m_hWnd, bar, minPos, maxPos); }

BOOL CWnd::SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw) { return ::SetScrollInfo(m_hWnd, bar, info, redraw); }

BOOL CWnd::GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask)
{
    info->fMask = mask;
    return ::GetScrollInfo(m_hWnd, bar, info);
}

int CWnd::GetScrollLimit(int bar)
{
    SCROLLINFO si{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    ::GetScrollInfo(m_hWnd, bar, &si);
    int limit = si.nMax - (si.nPage > 0 ? (int)si.nPage - 1 : 0);
    return limit < si.nMin ? si.nMin : limit;
}

void CWnd::ShowScrollBar(UINT bar, BOOL show) { ::ShowScrollBar(m_hWnd, (int)bar, show); }

BOOL CWnd::EnableScrollBar(int bar, UINT arrows) { return ::EnableScrollBar(m_hWnd, (UINT)bar, arrows); }

int CWnd::MessageBox(LPCTSTR text, LPCTSTR caption, UINT type)
{
    return ::MessageBox(m_hWnd, text, caption ? caption : GetMessageBoxTitle().c_str(), type);
}
