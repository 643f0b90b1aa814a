// The demo's painted canvas.
#include "demo_canvas.h"

BEGIN_MESSAGE_MAP(CDemoCanvas, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_RBUTTONUP()
ON_COMMAND_RANGE(IDM_RED, IDM_BLUE, OnColour)
END_MESSAGE_MAP()

void CDemoCanvas::RegisterWindowClass()
{
    WNDCLASS wc{CS_DBLCLKS, &::DefWindowProc,   0, 0, nullptr, nullptr, ::LoadCursor(nullptr, IDC_HAND), nullptr,
                nullptr,    "KestrinDemoCanvas"};
    ::RegisterClass(&wc);
}

void CDemoCanvas::Step()
{
    m_marker = (m_marker + 4) % 160;
    Invalidate(FALSE);
}

BOOL CDemoCanvas::OnEraseBkgnd(CDC*) { return TRUE; }

void CDemoCanvas::OnPaint()
{
    CPaintDC dc(this);
    CRect r;
    GetClientRect(&r);
    // A vertical blend from the chosen colour to white.
    for (int y = 0; y < r.Height(); ++y) {
        int t = r.Height() > 1 ? y * 255 / (r.Height() - 1) : 0;
        COLORREF c = RGB(GetRValue(m_colour) + (255 - GetRValue(m_colour)) * t / 255,
                         GetGValue(m_colour) + (255 - GetGValue(m_colour)) * t / 255,
                         GetBValue(m_colour) + (255 - GetBValue(m_colour)) * t / 255);
        dc.FillSolidRect(0, y, r.Width(), 1, c);
    }
    CBrush marker(RGB(20, 20, 60));
    CBrush* old = dc.SelectObject(&marker);
    dc.Ellipse(10 + m_marker, r.Height() / 2 - 10, 30 + m_marker, r.Height() / 2 + 10);
    dc.SelectObject(old);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 0));
    dc.TextOut(6, 4, "Painted canvas");
}

void CDemoCanvas::OnRButtonUp(UINT, CPoint point)
{
    CMenu menu;
    if (!menu.LoadMenu(9000))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    popup->CheckMenuItem(IDM_RED, m_colour == RGB(200, 40, 40) ? MF_CHECKED : MF_UNCHECKED);
    popup->CheckMenuItem(IDM_GREEN, m_colour == RGB(40, 160, 60) ? MF_CHECKED : MF_UNCHECKED);
    popup->CheckMenuItem(IDM_BLUE, m_colour == RGB(40, 70, 200) ? MF_CHECKED : MF_UNCHECKED);
    ClientToScreen(&point);
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, GetParent());
}

void CDemoCanvas::OnColour(UINT id)
{
    m_colour = id == IDM_RED ? RGB(200, 40, 40) : id == IDM_GREEN ? RGB(40, 160, 60) : RGB(40, 70, 200);
    Invalidate(FALSE);
}
