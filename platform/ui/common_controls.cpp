// The common-control classes: creation and the members that take more than one message.
#include "ui/common_controls.h"

IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)
IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

BOOL CProgressCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(PROGRESS_CLASS, nullptr, style, rect, parent, id);
}

void CProgressCtrl::GetRange(int& lower, int& upper)
{
    PBRANGE r{};
    SendMessage(PBM_GETRANGE, 0, (LPARAM)&r);
    lower = r.iLow;
    upper = r.iHigh;
}

BOOL CSliderCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(TRACKBAR_CLASS, nullptr, style, rect, parent, id);
}

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style)
{
    return CWnd::CreateEx(0, TOOLTIPS_CLASS, nullptr, WS_POPUP | style, 0, 0, 0, 0,
                          parent ? parent->GetSafeHwnd() : nullptr, nullptr);
}

void CToolTipCtrl::FillInToolInfo(TOOLINFO& ti, CWnd* wnd, UINT_PTR toolId) const
{
    ti = TOOLINFO{};
    ti.cbSize = sizeof(TOOLINFO);
    HWND h = wnd ? wnd->GetSafeHwnd() : nullptr;
    if (toolId == 0) {
        ti.hwnd = ::GetParent(h);
        ti.uFlags = TTF_IDISHWND;
        ti.uId = reinterpret_cast<UINT_PTR>(h);
    } else {
        ti.hwnd = h;
        ti.uId = toolId;
    }
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, LPCTSTR text, LPCRECT toolRect, UINT_PTR toolId)
{
    TOOLINFO ti;
    FillInToolInfo(ti, wnd, toolId);
    if (toolRect)
        ti.rect = *toolRect;
    ti.lpszText = const_cast<LPSTR>(text);
    return (BOOL)SendMessage(TTM_ADDTOOL, 0, (LPARAM)&ti);
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, UINT textId, LPCRECT toolRect, UINT_PTR toolId)
{
    CString text;
    text.LoadString(textId);
    return AddTool(wnd, text, toolRect, toolId);
}

void CToolTipCtrl::DelTool(CWnd* wnd, UINT_PTR toolId)
{
    TOOLINFO ti;
    FillInToolInfo(ti, wnd, toolId);
    SendMessage(TTM_DELTOOL, 0, (LPARAM)&ti);
}

void CToolTipCtrl::UpdateTipText(LPCTSTR text, CWnd* wnd, UINT_PTR toolId)
{
    TOOLINFO ti;
    FillInToolInfo(ti, wnd, toolId);
    ti.lpszText = const_cast<LPSTR>(text);
    SendMessage(TTM_UPDATETIPTEXT, 0, (LPARAM)&ti);
}

void CToolTipCtrl::SetToolRect(CWnd* wnd, UINT_PTR toolId, LPCRECT rect)
{
    TOOLINFO ti;
    FillInToolInfo(ti, wnd, toolId);
    ti.rect = *rect;
    SendMessage(TTM_NEWTOOLRECT, 0, (LPARAM)&ti);
}

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(WC_LISTVIEW, nullptr, style, rect, parent, id);
}

int CListCtrl::InsertColumn(int column, const LVCOLUMN* info)
{
    return (int)SendMessage(LVM_INSERTCOLUMN, (WPARAM)column, (LPARAM)info);
}

int CListCtrl::InsertColumn(int column, LPCTSTR heading, int format, int width, int subItem)
{
    LVCOLUMN c{};
    c.mask = LVCF_TEXT | LVCF_FMT;
    c.fmt = format;
    c.pszText = const_cast<LPSTR>(heading);
    if (width != -1) {
        c.mask |= LVCF_WIDTH;
        c.cx = width;
    }
    if (subItem != -1) {
        c.mask |= LVCF_SUBITEM;
        c.iSubItem = subItem;
    }
    return InsertColumn(column, &c);
}

int CListCtrl::InsertItem(int item, LPCTSTR text) { return InsertItem(LVIF_TEXT, item, text, 0, 0, 0, 0); }

int CListCtrl::InsertItem(UINT mask, int item, LPCTSTR text, UINT state, UINT stateMask, int image, LPARAM param)
{
    LVITEM it{};
    it.mask = mask;
    it.iItem = item;
    it.pszText = const_cast<LPSTR>(text);
    it.state = state;
    it.stateMask = stateMask;
    it.iImage = image;
    it.lParam = param;
    return InsertItem(&it);
}

BOOL CListCtrl::SetItem(int item, int subItem, UINT mask, LPCTSTR text, int image, UINT state, UINT stateMask,
                        LPARAM param)
{
    LVITEM it{};
    it.mask = mask;
    it.iItem = item;
    it.iSubItem = subItem;
    it.pszText = const_cast<LPSTR>(text);
    it.iImage = image;
    it.state = state;
    it.stateMask = stateMask;
    it.lParam = param;
    return SetItem(&it);
}

BOOL CListCtrl::SetItemText(int item, int subItem, LPCTSTR text)
{
    LVITEM it{};
    it.iSubItem = subItem;
    it.pszText = const_cast<LPSTR>(text);
    return (BOOL)SendMessage(LVM_SETITEMTEXT, (WPARAM)item, (LPARAM)&it);
}

CString CListCtrl::GetItemText(int item, int subItem) const
{
    char buffer[1024];
    GetItemText(item, subItem, buffer, sizeof(buffer));
    return CString(buffer);
}

int CListCtrl::GetItemText(int item, int subItem, LPTSTR text, int length) const
{
    if (!text || length <= 0)
        return 0;
    text[0] = 0;
    LVITEM it{};
    it.iSubItem = subItem;
    it.pszText = text;
    it.cchTextMax = length;
    return (int)SendMessage(LVM_GETITEMTEXT, (WPARAM)item, (LPARAM)&it);
}

BOOL CListCtrl::SetItemData(int item, DWORD_PTR data)
{
    return SetItem(item, 0, LVIF_PARAM, nullptr, 0, 0, 0, (LPARAM)data);
}

DWORD_PTR CListCtrl::GetItemData(int item) const
{
    LVITEM it{};
    it.mask = LVIF_PARAM;
    it.iItem = item;
    GetItem(&it);
    return (DWORD_PTR)it.lParam;
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask)
{
    LVITEM it{};
    it.state = state;
    it.stateMask = mask;
    return SetItemState(item, &it);
}

// Positions of the selection walk are the item index plus one.
POSITION CListCtrl::GetFirstSelectedItemPosition() const
{
    int i = GetNextItem(-1, LVNI_SELECTED);
    return reinterpret_cast<POSITION>((intptr_t)(i + 1));
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const
{
    int i = (int)reinterpret_cast<intptr_t>(pos) - 1;
    int next = GetNextItem(i, LVNI_SELECTED);
    pos = reinterpret_cast<POSITION>((intptr_t)(next + 1));
    return i;
}

int CListCtrl::HitTest(CPoint point, UINT* flags) const
{
    LVHITTESTINFO info{};
    info.pt = point;
    int i = HitTest(&info);
    if (flags)
        *flags = info.flags;
    return i;
}

BOOL CListCtrl::GetItemRect(int item, LPRECT rect, UINT code) const
{
    rect->left = (LONG)code;
    return (BOOL)SendMessage(LVM_GETITEMRECT, (WPARAM)item, (LPARAM)rect);
}

BOOL CListCtrl::GetSubItemRect(int item, int subItem, int area, CRect& rect)
{
    rect.top = subItem;
    rect.left = area;
    return (BOOL)SendMessage(LVM_GETSUBITEMRECT, (WPARAM)item, (LPARAM)&rect);
}

CImageList* CListCtrl::SetImageList(CImageList* list, int kind)
{
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(
        SendMessage(LVM_SETIMAGELIST, (WPARAM)kind, (LPARAM)(list ? list->m_hImageList : nullptr))));
}

CImageList* CListCtrl::GetImageList(int kind) const
{
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, (WPARAM)kind)));
}

void CListCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_DRAWITEM) {
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, result);
}
