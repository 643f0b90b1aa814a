// CAdvComboBox: its edit, painting, colours, mouse, focus and the edit's notifications.
#include "skinui/adv_combo_box.h"

#include "skinui/adv_combo_drop_wnd.h"
#include "skinui/adv_combo_edit.h"
#include "skinui/adv_combo_list_box.h"

namespace {

constexpr UINT_PTR kHoverTimer = 1;

}  // namespace

void CAdvComboBox::MakeParentFontCopy()
{
    if (m_pFont)
        return;
    CWnd* parent = GetParent();
    HFONT parentFont = parent ? (HFONT)parent->SendMessage(WM_GETFONT) : nullptr;
    // A parent without a font of its own shows the system's dialog font.
    if (!parentFont)
        parentFont = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
    LOGFONT lf = {};
    ::GetObject(parentFont, sizeof(lf), &lf);
    m_pFont = std::make_unique<CFont>();
    m_pFont->CreateFontIndirect(&lf);
    SendMessage(WM_SETFONT, (WPARAM)(HFONT)*m_pFont, TRUE);
}

void CAdvComboBox::CreateEdit(BOOL bDropList)
{
    CRect r;
    GetClientRect(&r);
    r.right -= GetSystemMetrics(SM_CXVSCROLL);
    if (m_dwACBStyle & ACBS_STANDARD) {
        r.DeflateRect(2, 2);
        r.left += 1;
        r.top += 2;
    }
    DWORD style = WS_CHILD | WS_VISIBLE;
    if (m_dwComboStyle & CBS_AUTOHSCROLL)
        style |= ES_AUTOHSCROLL;
    if (bDropList)
        style |= ES_READONLY;
    m_pEdit = std::make_unique<CAdvComboEdit>(&m_font, m_bPlainLook, m_clrText, m_clrBackground, this);
    m_pEdit->Create(style, r, this, EDIT_ID);
    m_pEdit->SendMessage(WM_SETFONT, (WPARAM)(m_pFont ? (HFONT)*m_pFont : nullptr), TRUE);
    SetEditWindowText(m_strEdit);
    m_pEdit->SetDropList(bDropList, this);
}

int CAdvComboBox::OnCreate(LPCREATESTRUCT cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    MakeParentFontCopy();
    if (!m_pEdit)
        CreateEdit(IsDropList());
    return 0;
}

void CAdvComboBox::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    LoadItemsFromResource(0);
    // A control placed on a dialog template takes an editable text.
    if (!m_bCreatedByCreate && !m_pEdit)
        CreateEdit(FALSE);
}

void CAdvComboBox::OnChildActivate()
{
    CWnd::OnChildActivate();
    MakeParentFontCopy();
    if (m_bCreatedByCreate && !m_pEdit)
        CreateEdit(FALSE);
}

void CAdvComboBox::OnPaint()
{
    CPaintDC dc(this);
    Paint(&dc);
}

void CAdvComboBox::Paint(CDC* pDC)
{
    CDC& dc = *pDC;
    if (m_bPlainLook)
        return;
    if (m_nCurSel != -1 && m_nCurSel < (int)m_list.size()) {
        m_strEdit = m_list[m_nCurSel].strText;
        if (m_bFirstPaint && m_pEdit) {
            SetEditWindowText(m_strEdit);
            m_bFirstPaint = 0;
            m_pEdit->EnableWindow(IsWindowEnabled());
        }
    }
    CRect r;
    GetClientRect(&r);
    m_rcDropButton = CRect(r.right - GetSystemMetrics(SM_CXVSCROLL), r.top, r.right, r.bottom);
    BOOL enabled = IsWindowEnabled();
    dc.FillSolidRect(&r, m_clrBackground ? m_clrBackground : GetSysColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
    UINT state = DFCS_SCROLLDOWN;
    if (m_bDropListVisible)
        state |= DFCS_PUSHED | DFCS_FLAT;
    if (!enabled)
        state |= DFCS_INACTIVE;
    if (m_dwACBStyle & ACBS_FLAT) {
        dc.DrawFrameControl(&m_rcDropButton, DFC_SCROLL, state);
    } else if (m_dwACBStyle & ACBS_STANDARD) {
        dc.Draw3dRect(&r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
        r.DeflateRect(1, 1);
        dc.Draw3dRect(&r, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
        m_rcDropButton.DeflateRect(0, 2);
        m_rcDropButton.OffsetRect(-2, 0);
        dc.DrawFrameControl(&m_rcDropButton, DFC_SCROLL, state);
    }
    if (m_pEdit)
        m_pEdit->SendMessage(WM_SETFONT, (WPARAM)(m_pFont ? (HFONT)*m_pFont : nullptr), FALSE);
}

BOOL CAdvComboBox::OnEraseBkgnd(CDC*) { return TRUE; }

HBRUSH CAdvComboBox::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor)
{
    HBRUSH brush = CWnd::OnCtlColor(dc, wnd, ctlColor);
    if (!m_clrBackground)
        return brush;
    dc->SelectObject(&m_font);
    dc->SetTextColor(IsWindowEnabled() ? m_clrText : GetSysColor(COLOR_GRAYTEXT));
    if (m_bPlainLook) {
        dc->SetBkMode(TRANSPARENT);
        return (HBRUSH)GetStockObject(HOLLOW_BRUSH);
    }
    dc->SetBkColor(m_clrBackground);
    if (!m_brBackground.m_hObject)
        m_brBackground.CreateSolidBrush(m_clrBackground);
    return (HBRUSH)m_brBackground.m_hObject;
}

void CAdvComboBox::InvalidateButton()
{
    if (m_hWnd)
        InvalidateRect(&m_rcDropButton, FALSE);
}

bool CAdvComboBox::IsHotAt(CPoint point) const
{
    if (!IsDropList())
        return m_rcDropButton.PtInRect(point) != FALSE;
    CRect r;
    GetClientRect(&r);
    return r.PtInRect(point) != FALSE;
}

void CAdvComboBox::OnLButtonDown(UINT flags, CPoint point)
{
    if (GetFocus() != this)
        SetFocus();
    if (IsDropList() || m_rcDropButton.PtInRect(point)) {
        SendMessage(WM_ACB_TOGGLEDROPDOWN);
        Invalidate();
    }
    CWnd::OnLButtonDown(flags, point);
}

void CAdvComboBox::OnMouseMove(UINT flags, CPoint point)
{
    BYTE hot = IsHotAt(point) ? 1 : 0;
    if (hot != m_bDropButtonHot) {
        m_bDropButtonHot = hot;
        if (!m_bTrackMouseLeave) {
            SetTimer(kHoverTimer, 50, nullptr);
            m_bTrackMouseLeave = 1;
        }
        InvalidateButton();
    }
    CWnd::OnMouseMove(flags, point);
}

void CAdvComboBox::OnTimer(UINT_PTR id)
{
    if (id != kHoverTimer) {
        CWnd::OnTimer(id);
        return;
    }
    CPoint point;
    GetCursorPos(&point);
    ScreenToClient(&point);
    if (IsHotAt(point))
        return;
    KillTimer(kHoverTimer);
    BYTE wasHot = m_bDropButtonHot;
    m_bDropButtonHot = 0;
    m_bTrackMouseLeave = 0;
    if (wasHot)
        InvalidateButton();
}

BOOL CAdvComboBox::OnMouseWheel(UINT, short delta, CPoint)
{
    m_nWheelDelta += delta;
    if (m_nWheelDelta < WHEEL_DELTA && m_nWheelDelta > -WHEEL_DELTA)
        return TRUE;
    bool up = m_nWheelDelta > 0;
    m_nWheelDelta = 0;
    if (!m_pDropWnd) {
        if (up)
            SelectPrevItem();
        else
            SelectNextItem();
        return TRUE;
    }
    CAdvComboListBox* list = m_pDropWnd->GetListBox();
    int top = list->GetTopIndex() + (up ? -3 : 3);
    top = std::max(0, std::min(top, list->GetCount()));
    list->SetTopIndex(top, TRUE);
    return TRUE;
}

void CAdvComboBox::OnSetFocus(CWnd* oldWnd)
{
    CWnd::OnSetFocus(oldWnd);
    Invalidate();
    if (m_pEdit)
        m_pEdit->SetFocus();
    // The edit's own focus notification may have reported this stay already.
    if (!m_bHasSentFocus) {
        Notify(CBN_SETFOCUS);
        m_bHasSentFocus = 1;
    }
}

void CAdvComboBox::OnKillFocus(CWnd* newWnd)
{
    CWnd::OnKillFocus(newWnd);
    // Handing the focus on to its own edit does not leave the combo.
    if (m_pEdit && newWnd == m_pEdit.get())
        return;
    CloseDropDown();
    Invalidate();
    Notify(CBN_SELENDCANCEL);
    Notify(CBN_KILLFOCUS);
    m_bHasSentFocus = 0;
}

void CAdvComboBox::OnEnable(BOOL enable)
{
    CWnd::OnEnable(enable);
    Invalidate();
    if (m_pEdit) {
        m_pEdit->EnableWindow(enable);
        m_pEdit->Invalidate();  // its text colour follows the combo's state
    }
}

void CAdvComboBox::OnEditSetFocus()
{
    if (m_bHasSentFocus)
        return;
    Notify(CBN_SETFOCUS);
    m_bHasSentFocus = 1;
}

void CAdvComboBox::OnEditKillFocus()
{
    Invalidate();
    if (m_bDropListVisible || GetFocus() == this)
        return;
    Notify(CBN_SELENDCANCEL);
    Notify(CBN_KILLFOCUS);
    m_bHasSentFocus = 0;
}

void CAdvComboBox::OnEditChange()
{
    if (!m_bDropListVisible && !m_bSettingEditText)
        Notify(CBN_EDITCHANGE);
}
