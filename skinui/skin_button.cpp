// CSkinButton: set-up and the button's own hover, press and release tracking.
#include "skinui/skin_button.h"

#include "services/deliverable.h"

BEGIN_MESSAGE_MAP(CSkinButton, CButton)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_MOUSEMOVE()
ON_WM_TIMER()
ON_WM_KEYDOWN()
ON_WM_KEYUP()
END_MESSAGE_MAP()

CSkinButton::CSkinButton() : m_nFontSize(IsConverterDeliverable() ? 16 : 14) {}

CSkinButton::~CSkinButton() = default;

BOOL CSkinButton::Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CButton::Create(text, style | WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, rect, parent, id);
}

void CSkinButton::SetSkin(int nImageSource, int nWidth, int nHeight, CString strImagePath, UINT nResourceId,
                          UINT nToolId, BOOL bNoRedrawOnRelease, CWnd* pNotifyWnd, UINT nMsg, WPARAM nCommandId,
                          int* pGroupVar, int nGroupValue, int* pGroupVar2, int nGroupValue2, int* pSelectVar,
                          int nSelectValue, CString strTip, CString strText, CString strFontName, int nFontSize,
                          COLORREF crText)
{
    m_nImageSource = nImageSource;
    m_strImagePath = strImagePath;
    m_strFontName = strFontName;
    m_nFontSize = nFontSize;
    m_crText = crText;
    SetResourceSkin(nWidth, nHeight, nResourceId, nToolId, bNoRedrawOnRelease, pNotifyWnd, nMsg, nCommandId, pGroupVar,
                    nGroupValue, pGroupVar2, nGroupValue2, pSelectVar, nSelectValue, strTip, strText);
}

void CSkinButton::SetResourceSkin(int nWidth, int nHeight, UINT nResourceId, UINT nToolId, BOOL bNoRedrawOnRelease,
                                  CWnd* pNotifyWnd, UINT nMsg, WPARAM nCommandId, int* pGroupVar, int nGroupValue,
                                  int* pGroupVar2, int nGroupValue2, int* pSelectVar, int nSelectValue, CString strTip,
                                  CString strText)
{
    SetResourceSkin(nWidth, nHeight, nResourceId, nToolId, bNoRedrawOnRelease, pNotifyWnd, nMsg, nCommandId, pGroupVar,
                    nGroupValue, pGroupVar2, nGroupValue2);
    m_pSelectVar = pSelectVar;
    m_nSelectValue = nSelectValue;
    m_strTip = strTip;
    m_strText = strText;
}

void CSkinButton::SetResourceSkin(int nWidth, int nHeight, UINT nResourceId, UINT nToolId, BOOL bNoRedrawOnRelease,
                                  CWnd* pNotifyWnd, UINT nMsg, WPARAM nCommandId, int* pGroupVar, int nGroupValue)
{
    SetResourceSkin(nWidth, nHeight, nResourceId, nToolId, bNoRedrawOnRelease, pNotifyWnd, nMsg, nCommandId, pGroupVar,
                    nGroupValue, nullptr, 0);
    m_nBindMode = 1;
}

void CSkinButton::SetResourceSkin(int nWidth, int nHeight, UINT nResourceId, UINT nToolId, BOOL bNoRedrawOnRelease,
                                  CWnd* pNotifyWnd, UINT nMsg, WPARAM nCommandId, int* pGroupVar, int nGroupValue,
                                  int* pGroupVar2, int nGroupValue2)
{
    m_nWidth = nWidth;
    m_nHeight = nHeight;
    m_nResourceId = nResourceId;
    m_nToolId = nToolId;
    m_bNoRedrawOnRelease = bNoRedrawOnRelease;
    m_pNotifyWnd = pNotifyWnd;
    m_nNotifyMsg = nMsg;
    m_nCommandId = nCommandId;
    m_pGroupVar = pGroupVar;
    m_nGroupValue = nGroupValue;
    m_pGroupVar2 = pGroupVar2;
    m_nGroupValue2 = nGroupValue2;
    m_nBindMode = 2;
}

bool CSkinButton::CursorInside() const
{
    POINT p;
    ::GetCursorPos(&p);
    CRect r;
    GetWindowRect(&r);
    // The window rectangle's right and bottom bounds count as inside.
    return p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom;
}

void CSkinButton::OnMouseMove(UINT flags, CPoint point)
{
    if ((flags & MK_LBUTTON) && m_nState != STATE_PRESSED)
        return;
    if (!m_bHover) {
        SetCapture();
        SetTimer(0, 1000, nullptr);
        m_bHover = 1;
        m_nState = STATE_HOVER;
        Redraw();
    }
    if (!CursorInside()) {
        m_nState = STATE_NORMAL;
        m_bHover = 0;
        ::ReleaseCapture();
        KillTimer(0);
        Redraw();
    }
    Default();
}

void CSkinButton::OnTimer(UINT_PTR id)
{
    // Ends the hover look when the pointer left without a move message reaching the button.
    if (!CursorInside()) {
        m_nState = STATE_NORMAL;
        m_bHover = 0;
        KillTimer(0);
        Redraw();
    }
    Default();
}

void CSkinButton::OnLButtonDown(UINT flags, CPoint point)
{
    m_nState = STATE_PRESSED;
    if (m_bNotifyOnPress && m_pNotifyWnd)
        m_pNotifyWnd->PostMessage(m_nNotifyMsg, m_nCommandId, 0);
    Redraw();
    if (m_pNotifyWnd)
        m_pNotifyWnd->SetFocus();
}

void CSkinButton::OnLButtonUp(UINT flags, CPoint point)
{
    if (m_nState == STATE_NORMAL)
        return;
    m_nState = STATE_HOVER;
    if (!m_bNoRedrawOnRelease)
        Redraw();
    if (m_pSelectVar && *m_pSelectVar == m_nSelectValue)
        return;
    if (!m_bNotifyOnPress && m_pNotifyWnd)
        m_pNotifyWnd->PostMessage(m_nNotifyMsg, m_nCommandId, 0);
    ::ReleaseCapture();
    if (CWnd* parent = GetParent())
        parent->SetFocus();
}

void CSkinButton::OnLButtonDblClk(UINT flags, CPoint point)
{
    m_nState = STATE_PRESSED;
    Redraw();
}

void CSkinButton::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    if (CWnd* parent = GetParent())
        parent->PostMessage(WM_KEYDOWN, key, flags);
}

void CSkinButton::OnKeyUp(UINT key, UINT repeat, UINT flags)
{
    if (CWnd* parent = GetParent())
        parent->PostMessage(WM_KEYUP, key, flags);
}

BOOL CSkinButton::PreTranslateMessage(MSG* msg)
{
    // The dialog's own key handling also sees what reaches the button.
    CWnd* parent = GetParent();
    return parent ? parent->PreTranslateMessage(msg) : FALSE;
}

LRESULT CSkinButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MOUSEMOVE && m_bTipCreated && !m_strTip.IsEmpty()) {
        m_toolTip.UpdateTipText(m_strTip, this, m_nToolId);
        MSG msg{};
        msg.hwnd = m_hWnd;
        msg.message = message;
        msg.wParam = wParam;
        msg.lParam = lParam;
        m_toolTip.RelayEvent(&msg);
    }
    return CButton::WindowProc(message, wParam, lParam);
}
