// CSkinRangeBar: hit testing, cursors, and the drags of the markers and the range, each reported to the owner.
#include "skinui/skin_range_bar.h"

#include <algorithm>

#include "services/deliverable.h"
#include "skinui/skin_track_resources.h"

BEGIN_MESSAGE_MAP(CSkinRangeBar, CDialog)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_SETCURSOR()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

BOOL CSkinRangeBar::OnEraseBkgnd(CDC* pDC)
{
    if (!m_imgBackground.IsEmpty()) {
        CRect r;
        GetClientRect(&r);
        m_imgBackground.Draw(pDC->m_hDC, r.left, r.top);
    }
    return TRUE;
}

void CSkinRangeBar::OnPaint()
{
    CPaintDC dc(this);
    Paint(&dc);
}

BOOL CSkinRangeBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_nHitMode == 3) {
        ::SetCursor(LoadSkinThumbCursor());
        return TRUE;
    }
    if (m_nHitMode >= 0) {
        ::SetCursor(LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(IsConverterDeliverable() ? 256 : 132)));
        return TRUE;
    }
    return (BOOL)Default();
}

void CSkinRangeBar::Notify(LPARAM lParam)
{
    if (m_pNotifyWnd)
        m_pNotifyWnd->PostMessage(m_nNotifyMsg, m_nNotifyId, lParam);
}

void CSkinRangeBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_ptDown = point;
    SetCapture();
    if (m_nHitMode == 3) {
        m_dDragStart = m_dStart;
        m_dDragEnd = m_dEnd;
    } else if (m_nHitMode == -1 && m_rcTrack.PtInRect(point) && m_rcTrack.Width() > 0) {
        m_dPos = (point.x - m_rcTrack.left) * 100.0 / m_rcTrack.Width();
        Notify(0);
        Invalidate(FALSE);
    }
    Default();
}

void CSkinRangeBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    ::ReleaseCapture();
    Default();
}

void CSkinRangeBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!(nFlags & MK_LBUTTON)) {
        CRect range = m_rcRange;
        range.InflateRect(1, 0);
        m_nHitMode = m_rcPosMarker.PtInRect(point)     ? 0
                     : m_rcStartMarker.PtInRect(point) ? 1
                     : m_rcEndMarker.PtInRect(point)   ? 2
                     : range.PtInRect(point)           ? 3
                                                       : -1;
        // Over both range markers the drag's direction picks the one that can follow it.
        m_bMarkersMeet = m_nHitMode == 1 && m_rcEndMarker.PtInRect(point);
    } else if (m_nHitMode >= 0 && m_rcTrack.Width() > 0) {
        Drag(point);
    }
    Default();
}

void CSkinRangeBar::Drag(CPoint point)
{
    int trackWidth = m_rcTrack.Width();
    double p = (point.x - m_rcTrack.left) * 100 / (double)trackWidth;
    bool fixed = m_pbFixedLength && *m_pbFixedLength && m_pdFixedLength;
    if (m_bMarkersMeet && point.x != m_ptDown.x) {
        m_nHitMode = point.x < m_ptDown.x ? 1 : 2;
        m_bMarkersMeet = false;
    }
    if (m_nHitMode == 0) {
        m_dPos = std::clamp(p, 0.0, 100.0);
    } else if (m_nHitMode == 1) {
        double s = std::max(std::min(p, m_dEnd), 0.0);
        if (!fixed || s + *m_pdFixedLength >= m_dEnd)
            m_dStart = s;
    } else if (m_nHitMode == 2) {
        double e = std::min(std::max(p, m_dStart), 100.0);
        if (!fixed || e <= m_dStart + *m_pdFixedLength)
            m_dEnd = e;
    } else if (m_nHitMode == 3) {
        // A drag past an end stops the range against it.
        double d = std::clamp((point.x - m_ptDown.x) * 100 / (double)trackWidth, -m_dDragStart, 100 - m_dDragEnd);
        m_dStart = m_dDragStart + d;
        m_dEnd = m_dDragEnd + d;
    }
    Notify(m_nHitMode == 0 && !IsConverterDeliverable() ? 1 : 0);
    CClientDC dc(this);
    Paint(&dc);
}
