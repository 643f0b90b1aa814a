// CPositionMarkerBar: the thin strip above the score with the grid ticks, the play-position mark and a
// draggable marker whose positions go to the owner as notifications.
#include "composer/position_marker_bar.h"

#include <cstdlib>

#include "kernel/resources.h"

namespace {

constexpr int kDragCursorId = 153;

void FillTriangle(CDC* dc, POINT a, POINT b, POINT c, COLORREF colour)
{
    CPen pen(PS_SOLID, 1, colour);
    CBrush brush(colour);
    CPen* oldPen = dc->SelectObject(&pen);
    CBrush* oldBrush = dc->SelectObject(&brush);
    const POINT points[3] = {a, b, c};
    dc->Polygon(points, 3);
    dc->SelectObject(oldPen);
    dc->SelectObject(oldBrush);
}

}  // namespace

BEGIN_MESSAGE_MAP(CPositionMarkerBar, CDialog)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CPositionMarkerBar::CPositionMarkerBar(CWnd* parent) : CDialog(IDD, parent) {}

void CPositionMarkerBar::SetNotify(CWnd* notify, UINT message, WPARAM code)
{
    m_pNotify = notify;
    m_nMessage = message;
    m_nCode = code;
}

void CPositionMarkerBar::SetPlayPosition(int x)
{
    m_nPlayX = x;
    Invalidate(FALSE);
}

void CPositionMarkerBar::SetSecondPosition(int x)
{
    m_nSecondX = x;
    m_bMarkerPlaced = TRUE;
    Invalidate(FALSE);
}

void CPositionMarkerBar::SetMarker(int x)
{
    m_nMarkerX = x;
    m_bMarkerPlaced = TRUE;
    Invalidate(FALSE);
}

int CPositionMarkerBar::ClientHeight() const
{
    CRect client;
    GetClientRect(&client);
    return client.Height();
}

void CPositionMarkerBar::PaintTicks(CDC* dc, int width, int height) const
{
    dc->FillSolidRect(0, 0, width, height, kBackground);
    CPen grey(PS_SOLID, 1, RGB(128, 128, 128));
    CPen white(PS_SOLID, 1, RGB(255, 255, 255));
    CPen* old = dc->SelectObject(&grey);
    for (int i = 0; i < m_nTickCount && i < m_nTickCapacity; ++i) {
        const int entry = m_nTicks[i];
        const int x = std::abs(entry);
        int length = 6;
        if (entry < 0)
            length = height;
        else if (m_nMajorTickInterval != 0 && i % m_nMajorTickInterval == 0)
            length = 2 * height / 3;
        // An etched tick standing on the bottom edge: grey with a white line beside it.
        dc->SelectObject(&grey);
        dc->MoveTo(x, height);
        dc->LineTo(x, height - length);
        dc->SelectObject(&white);
        dc->MoveTo(x + 1, height);
        dc->LineTo(x + 1, height - length);
    }
    dc->SelectObject(old);
}

void CPositionMarkerBar::PaintPlayMark(CDC* dc, int height) const
{
    CPen pen(PS_SOLID, 6, RGB(255, 0, 100));
    CPen* old = dc->SelectObject(&pen);
    const int oldMode = dc->SetROP2(R2_NOTXORPEN);
    dc->MoveTo(m_nPlayX, height / 2 - 1);
    dc->LineTo(m_nPlayX, height / 2 + 1);
    dc->SetROP2(oldMode);
    dc->SelectObject(old);
}

void CPositionMarkerBar::PaintMarker(CDC* dc, int height) const
{
    FillTriangle(dc, {m_nSecondX - 3, 0}, {m_nSecondX + 3, 0}, {m_nSecondX, 6}, RGB(255, 255, 255));
    const int half = height / 3;
    const COLORREF cyan = RGB(0, 255, 255);
    FillTriangle(dc, {m_nMarkerX - half, 0}, {m_nMarkerX + half, 0}, {m_nMarkerX, height / 2}, cyan);
    FillTriangle(dc, {m_nMarkerX - half, height - 1}, {m_nMarkerX + half, height - 1},
                 {m_nMarkerX, height - 1 - height / 2}, cyan);
}

void CPositionMarkerBar::PaintBar(CDC* dc, int width, int height) const
{
    PaintTicks(dc, width, height);
    PaintPlayMark(dc, height);
    if (m_bMarkerPlaced)
        PaintMarker(dc, height);
}

void CPositionMarkerBar::OnPaint()
{
    PAINTSTRUCT paint;
    CDC* dc = BeginPaint(&paint);
    CRect client;
    GetClientRect(&client);
    PaintBar(dc, client.Width(), client.Height());
    EndPaint(&paint);
}

BOOL CPositionMarkerBar::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, kBackground);
    return TRUE;
}

void CPositionMarkerBar::OnLButtonDown(UINT, CPoint point)
{
    m_ptDown = point;
    SetCapture();
}

void CPositionMarkerBar::OnMouseMove(UINT flags, CPoint point)
{
    const int height = ClientHeight();
    if (!(flags & MK_LBUTTON)) {
        m_bDragMarker = std::abs(point.x - m_nMarkerX) <= height / 2 && point.y >= 0 && point.y < height;
        return;
    }
    if (m_bDragMarker && m_pNotify)
        m_pNotify->PostMessage(m_nMessage, m_nCode, point.x < 0 ? 0 : point.x);
}

void CPositionMarkerBar::OnLButtonUp(UINT, CPoint)
{
    ReleaseCapture();
    if (m_bDragMarker && m_pNotify)
        m_pNotify->PostMessage(m_nMessage, m_nCode, 0);
    m_bDragMarker = FALSE;
}

BOOL CPositionMarkerBar::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    if (!m_bDragMarker)
        return CDialog::OnSetCursor(wnd, hitTest, message);
    ::SetCursor(LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(kDragCursorId)));
    return TRUE;
}
