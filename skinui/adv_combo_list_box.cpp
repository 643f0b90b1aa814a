// CAdvComboListBox: rows drawn from their item copies; selection that skips disabled rows within the list.
#include "skinui/adv_combo_list_box.h"

#include "skinui/adv_combo_box.h"
#include "skinui/adv_combo_scroll_bar.h"

BEGIN_MESSAGE_MAP(CAdvComboListBox, CListBox)
ON_WM_CREATE()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_MESSAGE(WM_ACB_SETCAPTURE, OnSetCapture)
ON_MESSAGE(WM_ACB_RELEASECAPTURE, OnReleaseCapture)
END_MESSAGE_MAP()

CAdvComboListBox::CAdvComboListBox(CAdvComboBox* pCombo, CAdvComboScrollBar* pScrollBar)
    : m_pCombo(pCombo), m_pScrollBar(pScrollBar)
{
}

CAdvComboListBox::~CAdvComboListBox() = default;

int CAdvComboListBox::AddItem(const CAdvComboItem& item)
{
    m_items.push_back(std::make_unique<CAdvComboItem>(item));
    int row = AddString(item.strText);
    if (row >= 0)
        SetItemDataPtr(row, m_items.back().get());
    return row;
}

const CAdvComboItem* CAdvComboListBox::ItemAt(int nRow) const
{
    if (nRow < 0 || nRow >= GetCount())
        return nullptr;
    DWORD_PTR data = GetItemData(nRow);
    return data == (DWORD_PTR)LB_ERR ? nullptr : reinterpret_cast<const CAdvComboItem*>(data);
}

int CAdvComboListBox::SetCurSel(int nRow)
{
    int count = GetCount();
    if (nRow < 0 || nRow >= count)
        return LB_ERR;
    auto disabled = [&](int row) {
        const CAdvComboItem* item = ItemAt(row);
        return item && item->bDisabled;
    };
    // The search stays inside the list at either end.
    if (nRow < CListBox::GetCurSel())
        while (nRow > 0 && disabled(nRow))
            --nRow;
    else
        while (nRow < count - 1 && disabled(nRow))
            ++nRow;
    if (disabled(nRow))
        return nRow;
    int result = CListBox::SetCurSel(nRow);
    if (result != LB_ERR && m_pScrollBar && m_pScrollBar->m_hWnd)
        m_pScrollBar->SetScrollPos(GetTopIndex());
    return result;
}

int CAdvComboListBox::GetBottomIndex() const
{
    int height = GetItemHeight(0);
    if (height <= 0)
        return GetTopIndex();
    CRect r;
    GetClientRect(&r);
    return GetTopIndex() + r.Height() / height;
}

void CAdvComboListBox::SetTopIndex(int nRow, BOOL bSyncScroll)
{
    m_nLastTopIdx = nRow;
    CListBox::SetTopIndex(nRow);
    if (bSyncScroll && m_pScrollBar && m_pScrollBar->m_hWnd)
        m_pScrollBar->SetScrollPos(nRow);
}

void CAdvComboListBox::GetTextSize(LPCTSTR text, int len, SIZE* size)
{
    // Measured on a memory device context: the list is a native control without a drawing surface of its own.
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CFont* old = m_pCombo->GetFont() ? dc.SelectObject(m_pCombo->GetFont()) : nullptr;
    *size = dc.GetTextExtent(text, len);
    if (old)
        dc.SelectObject(old);
    if (m_dwACBStyle & ACBS_CHECKED)
        size->cx += 14;
}

void CAdvComboListBox::DrawItem(LPDRAWITEMSTRUCT dis)
{
    const CAdvComboItem* item = ItemAt((int)dis->itemID);
    if (!item)
        return;
    CDC* dc = CDC::FromHandle(dis->hDC);
    COLORREF window = GetSysColor(COLOR_WINDOW), highlight = GetSysColor(COLOR_HIGHLIGHT);
    COLORREF text = GetSysColor(COLOR_WINDOWTEXT), highlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
    bool selected = (dis->itemState & ODS_SELECTED) != 0;
    CRect area = dis->rcItem;
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(text);
    if (m_dwACBStyle & ACBS_CHECKED) {
        int side = area.Height();
        if (item->bChecked) {
            CRect check(area.left, area.top, area.left + side, area.top + side);
            dc->DrawFrameControl(&check, DFC_MENU, DFCS_MENUCHECK);
        }
        area.left += side - 4;
    }
    if (selected && !item->bDisabled) {
        dc->FillSolidRect(&area, highlight);
        dc->SetBkColor(highlight);
        dc->SetTextColor(highlightText);
    } else if (selected) {
        dc->SetTextColor(grey);
    } else {
        dc->FillSolidRect(&area, window);
        dc->SetTextColor(item->bDisabled ? grey : text);
    }
    area.left += 2;
    dc->DrawText(item->strText, &area, DT_SINGLELINE | DT_VCENTER);
}

void CAdvComboListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}

int CAdvComboListBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }

BOOL CAdvComboListBox::DestroyWindow()
{
    BOOL destroyed = CListBox::DestroyWindow();
    m_items.clear();
    return destroyed;
}

int CAdvComboListBox::OnCreate(LPCREATESTRUCT cs)
{
    if (CListBox::OnCreate(cs) == -1)
        return -1;
    if (m_pCombo->GetFont())
        SetFont(m_pCombo->GetFont());
    return 0;
}

int CAdvComboListBox::RowAt(CPoint point) const
{
    int height = GetItemHeight(0);
    if (height <= 0 || point.y < 0)
        return -1;
    int row = GetTopIndex() + point.y / height;
    return row < GetCount() ? row : -1;
}

bool CAdvComboListBox::HandBackCapture(CPoint point)
{
    CRect r;
    GetClientRect(&r);
    if (r.PtInRect(point))
        return false;
    ReleaseCapture();
    if (CWnd* drop = GetParent())
        drop->SendMessage(WM_ACB_SETCAPTURE);
    return true;
}

void CAdvComboListBox::OnMouseMove(UINT flags, CPoint point)
{
    if (!HandBackCapture(point)) {
        int row = RowAt(point);
        const CAdvComboItem* item = ItemAt(row);
        if (item && row != CListBox::GetCurSel() && !item->bDisabled)
            SetCurSel(row);
        if (GetTopIndex() != m_nLastTopIdx) {
            m_nLastTopIdx = GetTopIndex();
            if (m_pScrollBar && m_pScrollBar->m_hWnd)
                m_pScrollBar->SetScrollPos(m_nLastTopIdx);
        }
    }
    CListBox::OnMouseMove(flags, point);
}

void CAdvComboListBox::OnLButtonUp(UINT, CPoint point)
{
    if (HandBackCapture(point))
        return;
    const CAdvComboItem* under = ItemAt(RowAt(point));
    if (under && under->bDisabled)
        return;
    int row = CListBox::GetCurSel();
    if (row != LB_ERR) {
        const CAdvComboItem* item = ItemAt(row);
        if (item && item->bDisabled)
            return;
        m_pCombo->PostMessage(WM_ACB_SELECTITEM, (WPARAM)row);
    }
    ReleaseCapture();
    m_pCombo->PostMessage(WM_ACB_CLOSEUP);
}

LRESULT CAdvComboListBox::OnSetCapture(WPARAM, LPARAM)
{
    SetCapture();
    return 0;
}

LRESULT CAdvComboListBox::OnReleaseCapture(WPARAM, LPARAM)
{
    ReleaseCapture();
    return 0;
}
