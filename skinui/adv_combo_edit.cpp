// CAdvComboEdit: the combo's text field; its keys go to the combo's keyboard handling.
#include "skinui/adv_combo_edit.h"

#include "skinui/adv_combo_box.h"

BEGIN_MESSAGE_MAP(CAdvComboEdit, CEdit)
ON_WM_LBUTTONDOWN()
ON_WM_SETCURSOR()
ON_WM_KEYDOWN()
ON_WM_KEYUP()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CAdvComboEdit::CAdvComboEdit(CFont* pFont, BOOL bPlainLook, COLORREF crText, COLORREF crBackground,
                             CAdvComboBox* pOwner)
    : m_pCombo(pOwner), m_clrText(crText), m_clrBackground(crBackground), m_bPlainLook(bPlainLook), m_pFont(pFont)
{
}

void CAdvComboEdit::SetDropList(BOOL bDropList, CAdvComboBox* pOwner)
{
    m_bDropList = bDropList;
    m_pCombo = pOwner;
}

BOOL CAdvComboEdit::PreTranslateMessage(MSG* msg)
{
    // The read-only field of a drop-list takes no typing, but Alt+Up/Down goes on to the combo to open it.
    bool altArrow = msg->message == WM_SYSKEYDOWN && (msg->wParam == VK_UP || msg->wParam == VK_DOWN);
    if (m_bDropList && msg->message >= WM_KEYUP && msg->message <= WM_SYSDEADCHAR && !altArrow)
        return TRUE;
    return CEdit::PreTranslateMessage(msg);
}

void CAdvComboEdit::OnLButtonDown(UINT flags, CPoint point)
{
    if (m_bDropList && m_pCombo)
        m_pCombo->SendMessage(WM_LBUTTONDOWN, 0, 0);
    else
        CEdit::OnLButtonDown(flags, point);
}

BOOL CAdvComboEdit::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    if (m_bDropList)
        return TRUE;
    return CEdit::OnSetCursor(wnd, hitTest, message);
}

void CAdvComboEdit::OnKeyDown(UINT, UINT, UINT) {}

void CAdvComboEdit::OnKeyUp(UINT, UINT, UINT) {}

void CAdvComboEdit::OnPaint()
{
    if (!m_bPlainLook) {
        CEdit::OnPaint();
        return;
    }
    CPaintDC dc(this);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_clrText);
    CFont* old = dc.SelectObject(m_pFont);
    CString text;
    GetWindowText(text);
    CRect r;
    GetClientRect(&r);
    dc.DrawText(text.IsEmpty() ? CString("Nothing!") : text, &r, 0);
    dc.SelectObject(old);
}

BOOL CAdvComboEdit::OnEraseBkgnd(CDC*) { return TRUE; }

HBRUSH CAdvComboEdit::OnCtlColor(CDC* dc, CWnd*, UINT)
{
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(RGB(250, 2, 5));
    if (m_bPlainLook) {
        dc->SelectObject(m_pFont);
        return (HBRUSH)GetStockObject(HOLLOW_BRUSH);
    }
    dc->SetBkColor(m_clrBackground);
    dc->SetTextColor(m_clrText);
    if (!m_brBackground.m_hObject)
        m_brBackground.CreateSolidBrush(m_clrBackground);
    return (HBRUSH)m_brBackground.m_hObject;
}
