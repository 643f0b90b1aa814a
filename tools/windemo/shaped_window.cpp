// The demo's shaped window.
#include "shaped_window.h"

BEGIN_MESSAGE_MAP(CShapedWindow, CWnd)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_RBUTTONUP()
END_MESSAGE_MAP()

BOOL CShapedWindow::CreateAt(int x, int y)
{
    if (!CreateEx(WS_EX_TOOLWINDOW, nullptr, "Shaped", WS_POPUP, x, y, 160, 110, nullptr, nullptr))
        return FALSE;
    SetWindowRgn(::CreateEllipticRgn(0, 0, 160, 110), TRUE);
    ShowWindow(SW_SHOW);
    return TRUE;
}

void CShapedWindow::OnPaint()
{
    CPaintDC dc(this);
    CRect r;
    GetClientRect(&r);
    dc.FillSolidRect(&r, RGB(250, 200, 60));
    dc.SetBkMode(TRANSPARENT);
    dc.DrawText("Drag me\nright-click closes", &r, DT_CENTER | DT_WORDBREAK);
}

void CShapedWindow::OnLButtonDown(UINT flags, CPoint point)
{
    PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
    CWnd::OnLButtonDown(flags, point);
}

void CShapedWindow::OnRButtonUp(UINT, CPoint) { DestroyWindow(); }
