// WaveView range editing: pressing, dragging and releasing the left button marks the range; an edge near the
// press is taken and moved, a press elsewhere starts a new range.
#include <cstdlib>
#include <utility>

#include "audio/window_layer/wave_view.h"

namespace {

constexpr int kEdgeReach = 3;  // pixels either side of an edge that take it
constexpr UINT kEdgeCursor = 153;

void ShowEdgeCursor() { ::SetCursor(LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(kEdgeCursor))); }

}  // namespace

void WaveView::OnLButtonDown(UINT flags, CPoint point)
{
    // No range on an empty wave: its duration would divide the fractions below.
    if (m_bPlaying || TotalMs() <= 0) {
        CWnd::OnLButtonDown(flags, point);
        return;
    }
    Layout();
    const int ms = XToTime(point.x);
    if (m_nRangeEnd > m_nRangeStart && std::abs(point.x - TimeToX(m_nRangeStart)) <= kEdgeReach) {
        m_nDrag = 1;
    } else if (m_nRangeEnd > m_nRangeStart && std::abs(point.x - TimeToX(m_nRangeEnd)) <= kEdgeReach) {
        m_nDrag = 2;
    } else {
        m_nRangeStart = m_nRangeEnd = ms;
        m_nDrag = 2;
    }
    SetCapture();
    ShowEdgeCursor();
    Invalidate(FALSE);
}

void WaveView::OnMouseMove(UINT flags, CPoint point)
{
    if (!m_nDrag) {
        CWnd::OnMouseMove(flags, point);
        return;
    }
    const int ms = XToTime(point.x);
    (m_nDrag == 1 ? m_nRangeStart : m_nRangeEnd) = ms;
    // An edge dragged over the other one becomes that one, so the start never passes the end.
    if (m_nRangeStart > m_nRangeEnd) {
        std::swap(m_nRangeStart, m_nRangeEnd);
        m_nDrag = 3 - m_nDrag;
    }
    ShowEdgeCursor();
    Invalidate(FALSE);
    UpdateWindow();
}

void WaveView::OnLButtonUp(UINT flags, CPoint point)
{
    if (!m_nDrag) {
        CWnd::OnLButtonUp(flags, point);
        return;
    }
    EndDrag();
    ReleaseCapture();
}

// A drag whose capture is taken away ends where the pointer last was, as on a release.
void WaveView::OnCaptureChanged(CWnd* wnd)
{
    if (m_nDrag)
        EndDrag();
    CWnd::OnCaptureChanged(wnd);
}

void WaveView::EndDrag()
{
    m_nDrag = 0;
    const double total = TotalMs();
    m_nPosition = m_nRangeStart;
    m_wave.SetStartFraction(m_nRangeStart / total);
    m_wave.SetEndFraction(m_nRangeEnd / total);
    Invalidate(FALSE);
}

BOOL WaveView::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    if (m_nDrag) {
        ShowEdgeCursor();
        return TRUE;
    }
    return CWnd::OnSetCursor(wnd, hitTest, message);
}
