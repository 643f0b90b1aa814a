// CScoreView: the window's painting of the working page, its cursors and timers, and window-page points.
#include "scoreview/score_view.h"

#include "kernel/resources.h"
#include "services/rounding.h"
#include "ui/window_dc.h"

namespace {

constexpr UINT kPanCursor = 134;

bool SpaceBarDown() { return GetKeyState(VK_SPACE) < 0; }

bool SetResourceCursor(UINT id)
{
    HCURSOR cursor = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(id));
    if (!cursor)
        return false;
    ::SetCursor(cursor);
    return true;
}

}  // namespace

CPoint CScoreView::WindowToPage(CPoint window) const
{
    CPoint content = DeviceToContent(window);
    return CPoint(RoundHalfAway(content.x * zoom), RoundHalfAway(content.y * zoom));
}

CPoint CScoreView::PageToWindow(CPoint page) const
{
    return ContentToDevice(CPoint(RoundHalfAway(page.x / zoom), RoundHalfAway(page.y / zoom)));
}

void CScoreView::OnPaint()
{
    CPaintDC dc(this);
    crossPoint = CPoint(-1, -1);
    CRect source(RoundHalfAway(visibleContentRect.left * zoom), RoundHalfAway(visibleContentRect.top * zoom), 0, 0);
    source.right = source.left + placementRect.Width();
    source.bottom = source.top + placementRect.Height();
    CRect target = placementRect;
    pageBitmap.PaintTo(dc.m_hDC, &source, nullptr, &target, nullptr, SRCCOPY);
}

BOOL CScoreView::OnEraseBkgnd(CDC* dc) { return CCanvasView::OnEraseBkgnd(dc); }

BOOL CScoreView::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    if (SpaceBarDown() || editMode == 0) {
        if (SetResourceCursor(kPanCursor))
            return TRUE;
        return CCanvasView::OnSetCursor(wnd, hitTest, message);
    }
    UINT id = 0;
    bool over = hitKind != 0;
    if (editMode == 1)
        id = over ? 145 : 144;
    else if (editMode == 2)
        id = over ? 132 : 133;
    else if (editMode == 3)
        id = over ? 132 : 0;
    else if (editMode >= 4 && editMode <= 8)
        id = over ? 132 : 146;
    if (id && SetResourceCursor(id))
        return TRUE;
    return CCanvasView::OnSetCursor(wnd, hitTest, message);
}

void CScoreView::OnTimer(UINT_PTR id)
{
    if (id == 0 && SpaceBarDown())
        SetResourceCursor(kPanCursor);
    if (id == 1) {
        CPoint cursor;
        CRect window;
        ::GetCursorPos(&cursor);
        GetWindowRect(&window);
        if (!window.PtInRect(cursor) || !GetTopLevelParent()->IsWindowEnabled())
            DrawInsertCross(true);
    }
    CCanvasView::OnTimer(id);
}
