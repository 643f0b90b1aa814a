// CAdvComboDropWnd: placing and sizing the drop-down, moving the mouse capture between its parts, closing it.
#include "skinui/adv_combo_drop_wnd.h"

#include <algorithm>

#include "skinui/adv_combo_box.h"
#include "skinui/adv_combo_list_box.h"
#include "skinui/adv_combo_scroll_bar.h"
#include "skinui/visual_theme.h"

namespace {

constexpr UINT kScrollBarId = 100;
constexpr UINT kListId = 101;
// Parts of the scroll bar's theme class.
constexpr int kThemeLowerTrackVert = 6;
constexpr int kThemeSizeBoxRightAlign = 10;

}  // namespace

BEGIN_MESSAGE_MAP(CAdvComboDropWnd, CWnd)
ON_WM_TIMER()
ON_WM_CREATE()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_ACTIVATEAPP()
ON_MESSAGE(WM_ACB_SETCAPTURE, OnSetCapture)
ON_MESSAGE(WM_ACB_RELEASECAPTURE, OnReleaseCapture)
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CAdvComboDropWnd::CAdvComboDropWnd(CAdvComboBox* pCombo, const std::vector<CAdvComboItem>& items, DWORD dwACBStyle)
    : m_pCombo(pCombo), m_list(items), m_dwACBStyle(dwACBStyle)
{
}

CAdvComboDropWnd::~CAdvComboDropWnd()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CAdvComboDropWnd::Create(DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID)
{
    return CWnd::Create(nullptr, "", dwStyle, rect, pParent, nID);
}

BOOL CAdvComboDropWnd::DestroyWindow()
{
    ReleaseCapture();
    if (m_pListBox && m_pListBox->m_hWnd)
        m_pListBox->DestroyWindow();
    return CWnd::DestroyWindow();
}

int CAdvComboDropWnd::OnCreate(LPCREATESTRUCT cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    ModifyStyleEx(0, WS_EX_TOOLWINDOW);
    SetWindowPos(&CWnd::wndTopMost, cs->x, cs->y, cs->cx, cs->cy, SWP_SHOWWINDOW);
    CRect client;
    GetClientRect(&client);
    int barWidth = GetSystemMetrics(SM_CXVSCROLL), barHeight = GetSystemMetrics(SM_CYVSCROLL);
    m_rcScroll = CRect(client.right - barWidth, client.top, client.right, client.bottom - barHeight);
    m_pScrollBar = std::make_unique<CAdvComboScrollBar>();
    m_pScrollBar->Create(WS_CHILD | SBS_VERT | SBS_RIGHTALIGN, m_rcScroll, this, kScrollBarId);
    m_rcList = CRect(cs->x, cs->y, cs->x + cs->cx - barWidth, cs->y + cs->cy);
    ScreenToClient(&m_rcList);
    m_pListBox = std::make_unique<CAdvComboListBox>(m_pCombo, m_pScrollBar.get());
    m_pListBox->Create(WS_CHILD | LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT, m_rcList, this, kListId);
    m_pListBox->SetACBStyle(m_dwACBStyle);
    m_pListBox->ShowWindow(SW_SHOW);
    PlaceOnScreen(*cs);
    GetClientRect(&client);
    m_rcSizeHandle = CRect(client.right - barWidth, client.bottom - barHeight, client.right, client.bottom);
    for (const CAdvComboItem& item : m_list)
        m_pListBox->AddItem(item);
    m_pScrollBar->SetListBox(m_pListBox.get());
    m_pScrollBar->ShowWindow(SW_SHOW);
    SetCapture();
    SetTimer(CAPTURE_TIMER, 3000, nullptr);
    return 0;
}

void CAdvComboDropWnd::PlaceOnScreen(const CREATESTRUCT& cs)
{
    int rowHeight = m_pListBox->GetItemHeight(0);
    int count = (int)m_list.size();
    int height = count * rowHeight + 2;
    int screenHeight = GetSystemMetrics(SM_CYSCREEN), screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int maxRows = m_pCombo->GetMaxVisibleItems();
    bool allRows = maxRows == -1 || maxRows > count;
    int top = cs.y;
    // A row height of 0 leaves no room to count in: the list opens downwards.
    if (rowHeight <= 0 || (screenHeight - cs.y) / rowHeight >= m_pCombo->GetMinVisibleItems()) {
        if (allRows) {
            if (cs.y + height > screenHeight)
                height = screenHeight - cs.y;
            else
                height = std::max(height, GetSystemMetrics(SM_CYVSCROLL));
        } else {
            height = cs.y + maxRows * rowHeight > screenHeight ? screenHeight - cs.y + 2 : maxRows * rowHeight + 2;
        }
    } else {
        CRect combo;
        m_pCombo->GetWindowRect(&combo);
        int bottom = combo.top;
        if (allRows) {
            top = bottom - height;
            if (top < 0) {
                top = 0;
                height = bottom;
            }
        } else {
            top = std::max(0, bottom - maxRows * rowHeight - 2);
            height = bottom - top;
        }
    }
    int width = 0;
    for (const CAdvComboItem& item : m_list) {
        SIZE size;
        m_pListBox->GetTextSize(item.strText, item.strText.GetLength(), &size);
        width = std::max(width, (int)size.cx);
    }
    width += GetSystemMetrics(SM_CXVSCROLL) + 8;
    if (width < m_rcList.Width())
        width = cs.cx;
    int x = cs.x;
    if (width > screenWidth - x) {
        x = screenWidth - width;
        if (x < 0)
            x = 0;
    }
    if (x == 0)
        width = std::min(width, screenWidth);
    SetWindowPos(nullptr, x, top, width, height, SWP_SHOWWINDOW | SWP_NOZORDER);
}

void CAdvComboDropWnd::OnTimer(UINT_PTR id)
{
    if (id != CAPTURE_TIMER) {
        CWnd::OnTimer(id);
        return;
    }
    CWnd* holder = GetCapture();
    if (holder != this && holder != m_pListBox.get() && holder != m_pScrollBar.get())
        SetCapture();
}

void CAdvComboDropWnd::OnMouseMove(UINT flags, CPoint point)
{
    if (m_bResize) {
        CRect r;
        GetWindowRect(&r);
        int width = std::max(point.x + m_nMouseDiffX + 2, GetSystemMetrics(SM_CXVSCROLL) + 1);
        int height = std::max(point.y + m_nMouseDiffY + 2, GetSystemMetrics(SM_CYVSCROLL) + 1);
        SetWindowPos(nullptr, r.left, r.top, width, height, SWP_NOZORDER);
        return;
    }
    if (m_rcList.PtInRect(point)) {
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        ReleaseCapture();
        m_pScrollBar->SendMessage(WM_ACB_RELEASECAPTURE);
        m_pListBox->SetFocus();
        m_pListBox->SendMessage(WM_ACB_SETCAPTURE);
    } else if (m_rcScroll.PtInRect(point)) {
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        m_pScrollBar->SetFocus();
        ReleaseCapture();
        m_pListBox->SendMessage(WM_ACB_RELEASECAPTURE);
        m_pScrollBar->SendMessage(WM_ACB_SETCAPTURE);
    } else {
        SetCursor(LoadCursor(nullptr, m_rcSizeHandle.PtInRect(point) ? IDC_SIZENWSE : IDC_ARROW));
        SetCapture();
        CWnd::OnMouseMove(flags, point);
    }
}

void CAdvComboDropWnd::OnLButtonDown(UINT flags, CPoint point)
{
    if (m_rcSizeHandle.PtInRect(point)) {
        m_bResize = 1;
        m_ptLastResize = point;
        CRect client;
        GetClientRect(&client);
        m_nMouseDiffX = client.right - point.x;
        m_nMouseDiffY = client.bottom - point.y;
        return;
    }
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point)) {
        ReleaseCapture();
        m_pCombo->PostMessage(WM_ACB_CLOSEUP);
    }
    CWnd::OnLButtonDown(flags, point);
}

void CAdvComboDropWnd::OnLButtonUp(UINT flags, CPoint point)
{
    m_bResize = 0;
    CWnd::OnLButtonUp(flags, point);
}

void CAdvComboDropWnd::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    int barWidth = GetSystemMetrics(SM_CXVSCROLL), barHeight = GetSystemMetrics(SM_CYVSCROLL);
    m_rcList = CRect(0, 0, cx - barWidth, cy);
    m_rcScroll = CRect(cx - barWidth, 0, cx, std::max(cy - barHeight, 0));
    m_rcSizeHandle = CRect(cx - barWidth, cy - barHeight, cx, cy);
    if (!m_pListBox || !m_pListBox->m_hWnd)
        return;
    m_pListBox->MoveWindow(&m_rcList);
    m_pScrollBar->MoveWindow(&m_rcScroll);
    InvalidateRect(&m_rcSizeHandle);
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_PAGE;
    info.nPage = (UINT)std::max(m_pListBox->GetBottomIndex() - m_pListBox->GetTopIndex(), 0);
    m_pScrollBar->SetScrollInfo(&info, TRUE);
}

void CAdvComboDropWnd::OnPaint()
{
    CPaintDC dc(this);
    // Themed: the scroll bar's lower track under its right-aligned size box; otherwise (or when the theme
    // does not open) the classic frame control.
    if (g_uxThemeLoader.UseVisualThemes()) {
        if (HTHEME theme = g_uxThemeLoader.OpenThemeData(m_hWnd, L"SCROLLBAR")) {
            g_uxThemeLoader.DrawThemeBackground(theme, dc.m_hDC, kThemeLowerTrackVert, 1, &m_rcSizeHandle, nullptr);
            g_uxThemeLoader.DrawThemeBackground(theme, dc.m_hDC, kThemeSizeBoxRightAlign, 1, &m_rcSizeHandle, nullptr);
            g_uxThemeLoader.CloseThemeData(theme);
            return;
        }
    }
    dc.DrawFrameControl(&m_rcSizeHandle, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}

void CAdvComboDropWnd::OnActivateApp(BOOL active, DWORD threadId)
{
    CWnd::OnActivateApp(active, threadId);
    if (!active)
        m_pCombo->PostMessage(WM_ACB_CLOSEUP);
}

LRESULT CAdvComboDropWnd::OnSetCapture(WPARAM, LPARAM)
{
    SetCapture();
    return 0;
}

LRESULT CAdvComboDropWnd::OnReleaseCapture(WPARAM, LPARAM)
{
    ReleaseCapture();
    return 0;
}

HBRUSH CAdvComboDropWnd::OnCtlColor(CDC* dc, CWnd*, UINT)
{
    dc->SetBkColor(RGB(70, 88, 98));
    dc->SetTextColor(RGB(165, 165, 165));
    dc->SetBkMode(TRANSPARENT);
    if (!m_brChildren.m_hObject)
        m_brChildren.CreateSolidBrush(RGB(70, 88, 98));
    return (HBRUSH)m_brChildren.m_hObject;
}
