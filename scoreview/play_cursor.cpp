// CScoreView: the play cursor, an XOR line on the window placed through the canvas mapping.
#include "scoreview/score_view.h"

#include <algorithm>

#include "ui/window_dc.h"

bool CScoreView::PlayCursorLine(int pageX, CPoint& top, CPoint& bottom) const
{
    // Page pixels are the canvas's scaled pixels: only the scroll and the placement move them.
    if (pageX < 0 || pageX >= scaledRect.Width())
        return false;
    int x = pageX + scrollX + placementRect.left;
    if (x < placementRect.left || x >= placementRect.right)
        return false;
    top = CPoint(x, std::max<int>(placementRect.top, placementRect.top + scrollY));
    bottom = CPoint(x, std::min<int>(placementRect.bottom, placementRect.top + scrollY + scaledRect.Height()));
    return true;
}

void CScoreView::DrawPlayCursor(bool eraseOld)
{
    if (!m_hWnd)
        return;
    CClientDC dc(this);
    int x = TickToStripX(score.playTick);
    CPen pen(PS_SOLID, 1, kPlayCursorColour);
    CPen* oldPen = dc.SelectObject(&pen);
    int oldRop = dc.SetROP2(R2_NOTXORPEN);
    CPoint top, bottom;
    if (eraseOld && playCursorX != -1 && PlayCursorLine(playCursorX, top, bottom)) {
        dc.MoveTo(top);
        dc.LineTo(bottom);
    }
    if (PlayCursorLine(x, top, bottom)) {
        dc.MoveTo(top);
        dc.LineTo(bottom);
    }
    dc.SetROP2(oldRop);
    dc.SelectObject(oldPen);
    playCursorX = x;
}
