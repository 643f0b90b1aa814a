// CAdvComboScrollBar: range and page from the list; its moves set the list's top row.
#include "skinui/adv_combo_scroll_bar.h"

#include <algorithm>

#include "skinui/adv_combo_list_box.h"

BEGIN_MESSAGE_MAP(CAdvComboScrollBar, CScrollBar)
ON_WM_VSCROLL_REFLECT()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_MESSAGE(WM_ACB_SETCAPTURE, OnSetCapture)
ON_MESSAGE(WM_ACB_RELEASECAPTURE, OnReleaseCapture)
END_MESSAGE_MAP()

void CAdvComboScrollBar::SetListBox(CAdvComboListBox* pListBox)
{
    m_pListBox = pListBox;
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = std::max(pListBox->GetCount() - 1, 0);
    info.nPage = (UINT)std::max(pListBox->GetBottomIndex() - pListBox->GetTopIndex(), 0);
    info.nPos = 0;
    SetScrollInfo(&info, TRUE);
}

void CAdvComboScrollBar::VScroll(UINT code, UINT pos)
{
    if (!m_pListBox)
        return;
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    GetScrollInfo(&info, SIF_ALL);
    int position = info.nPos;
    switch (code) {
    case SB_LINEUP: --position; break;
    case SB_LINEDOWN: ++position; break;
    case SB_PAGEUP: position -= (int)info.nPage; break;
    case SB_PAGEDOWN: position += (int)info.nPage; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: position = (int)pos; break;
    default: return;
    }
    position = std::max(info.nMin, std::min(position, info.nMax));
    m_pListBox->SetTopIndex(position, FALSE);
    SetScrollPos(position);
}

bool CAdvComboScrollBar::HandBackCapture(CPoint point)
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

void CAdvComboScrollBar::OnMouseMove(UINT flags, CPoint point)
{
    HandBackCapture(point);
    CScrollBar::OnMouseMove(flags, point);
}

void CAdvComboScrollBar::OnLButtonDown(UINT flags, CPoint point)
{
    HandBackCapture(point);
    CScrollBar::OnLButtonDown(flags, point);
}

LRESULT CAdvComboScrollBar::OnSetCapture(WPARAM, LPARAM)
{
    SetCapture();
    return 0;
}

LRESULT CAdvComboScrollBar::OnReleaseCapture(WPARAM, LPARAM)
{
    ReleaseCapture();
    return 0;
}
