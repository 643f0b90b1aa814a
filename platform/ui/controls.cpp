// The control classes: creation with their window class, text helpers and owner-draw reflection.
#include "ui/controls.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CBitmapButton, CButton)
IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

BOOL CButton::Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("BUTTON", text, style, rect, parent, id);
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_DRAWITEM) {
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        if (result)
            *result = TRUE;
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, result);
}

BOOL CBitmapButton::LoadBitmaps(UINT idUp, UINT idDown, UINT idFocus, UINT idDisabled)
{
    return LoadBitmaps(MAKEINTRESOURCE(idUp), idDown ? MAKEINTRESOURCE(idDown) : nullptr,
                       idFocus ? MAKEINTRESOURCE(idFocus) : nullptr,
                       idDisabled ? MAKEINTRESOURCE(idDisabled) : nullptr);
}

BOOL CBitmapButton::LoadBitmaps(LPCTSTR up, LPCTSTR down, LPCTSTR focus, LPCTSTR disabled)
{
    m_bitmap.DeleteObject();
    m_bitmapSel.DeleteObject();
    m_bitmapFocus.DeleteObject();
    m_bitmapDisabled.DeleteObject();
    if (!m_bitmap.LoadBitmap(up))
        return FALSE;
    if (down)
        m_bitmapSel.LoadBitmap(down);
    if (focus)
        m_bitmapFocus.LoadBitmap(focus);
    if (disabled)
        m_bitmapDisabled.LoadBitmap(disabled);
    return TRUE;
}

BOOL CBitmapButton::AutoLoad(UINT id, CWnd* parent)
{
    if (!SubclassDlgItem(id, parent))
        return FALSE;
    SizeToContent();
    return TRUE;
}

void CBitmapButton::SizeToContent()
{
    BITMAP bm{};
    if (!m_bitmap.m_hObject || !m_bitmap.GetObject(sizeof(bm), &bm))
        return;
    SetWindowPos(nullptr, 0, 0, bm.bmWidth, bm.bmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CBitmapButton::DrawItem(LPDRAWITEMSTRUCT dis)
{
    CBitmap* bitmap = &m_bitmap;
    if ((dis->itemState & ODS_SELECTED) && m_bitmapSel.m_hObject)
        bitmap = &m_bitmapSel;
    else if ((dis->itemState & ODS_FOCUS) && m_bitmapFocus.m_hObject)
        bitmap = &m_bitmapFocus;
    else if ((dis->itemState & ODS_DISABLED) && m_bitmapDisabled.m_hObject)
        bitmap = &m_bitmapDisabled;
    if (!bitmap->m_hObject)
        return;
    HDC mem = ::CreateCompatibleDC(dis->hDC);
    HGDIOBJ old = ::SelectObject(mem, bitmap->m_hObject);
    const RECT& r = dis->rcItem;
    ::BitBlt(dis->hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, mem, 0, 0, SRCCOPY);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
}

BOOL CStatic::Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("STATIC", text, style, rect, parent, id);
}

void CStatic::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_DRAWITEM) {
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, result);
}

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("EDIT", nullptr, style, rect, parent, id);
}

void CEdit::GetSel(int& start, int& end) const
{
    DWORD s = GetSel();
    start = LOWORD(s);
    end = HIWORD(s);
}

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("LISTBOX", nullptr, style, rect, parent, id);
}

void CListBox::GetText(int index, CString& text) const
{
    int n = GetTextLen(index);
    if (n < 0) {
        text.Empty();
        return;
    }
    SendMessage(LB_GETTEXT, (WPARAM)index, (LPARAM)text.GetBufferSetLength(n));
    text.ReleaseBuffer();
}

UINT CListBox::ItemFromPoint(CPoint point, BOOL& outside) const
{
    LRESULT r = SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    outside = HIWORD(r) != 0;
    return LOWORD(r);
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CListBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CListBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (message) {
    case WM_DRAWITEM: DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); return TRUE;
    case WM_MEASUREITEM: MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); return TRUE;
    case WM_COMPAREITEM:
        if (result)
            *result = CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
        return TRUE;
    case WM_DELETEITEM: DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)); return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, result);
}

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("COMBOBOX", nullptr, style, rect, parent, id);
}

void CComboBox::GetLBText(int index, CString& text) const
{
    int n = GetLBTextLen(index);
    if (n < 0) {
        text.Empty();
        return;
    }
    SendMessage(CB_GETLBTEXT, (WPARAM)index, (LPARAM)text.GetBufferSetLength(n));
    text.ReleaseBuffer();
}

void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_DRAWITEM) {
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        return TRUE;
    }
    if (message == WM_MEASUREITEM) {
        MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, result);
}

BOOL CScrollBar::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("SCROLLBAR", nullptr, style, rect, parent, id);
}
