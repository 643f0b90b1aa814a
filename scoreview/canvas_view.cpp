// CCanvasView: content size, zoom, centring, scrolling and the mapping between content and window points.
#include "scoreview/canvas_view.h"

#include <algorithm>

#include "services/rounding.h"

IMPLEMENT_DYNCREATE(CCanvasView, CWnd)

BEGIN_MESSAGE_MAP(CCanvasView, CWnd)
ON_WM_SIZE()
END_MESSAGE_MAP()

void CCanvasView::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    GetClientRect(&clientRect);
    Relayout();
}

void CCanvasView::Relayout()
{
    if (contentRect.IsRectEmpty())
        contentRect = clientRect;
    scaledRect = contentRect;
    scaledRect.right = RoundHalfAway(contentRect.right * zoom);
    scaledRect.bottom = RoundHalfAway(contentRect.bottom * zoom);
    placementRect = clientRect;
    if (scaledRect.Width() < clientRect.Width()) {
        int offset = (clientRect.Width() - scaledRect.Width()) / 2;
        placementRect.left = offset;
        placementRect.right = offset + scaledRect.Width();
        scrollX = 0;
    }
    if (scaledRect.Height() < clientRect.Height()) {
        int offset = (clientRect.Height() - scaledRect.Height()) / 2;
        placementRect.top = offset;
        placementRect.bottom = offset + scaledRect.Height();
        scrollY = 0;
    }
    ClampScroll();
    UpdateVisibleRects();
}

void CCanvasView::ClampScroll()
{
    auto clamp = [](int& offset, int scaled, int placed) {
        if (scaled > placed) {
            int minimum = placed - scaled;
            if (offset < minimum)
                offset = minimum;
            else if (offset >= 1)
                offset = 0;
        } else {
            offset = 0;
        }
    };
    clamp(scrollX, scaledRect.Width(), placementRect.Width());
    clamp(scrollY, scaledRect.Height(), placementRect.Height());
}

void CCanvasView::UpdateVisibleRects()
{
    visibleDeviceRect = scaledRect;
    if (visibleDeviceRect.Width() > placementRect.Width())
        visibleDeviceRect.right = visibleDeviceRect.left + placementRect.Width();
    if (visibleDeviceRect.Height() > placementRect.Height())
        visibleDeviceRect.bottom = visibleDeviceRect.top + placementRect.Height();
    visibleDeviceRect.OffsetRect(-scrollX, -scrollY);
    CPoint topLeft = ScaleToContent(visibleDeviceRect.left, visibleDeviceRect.top);
    CPoint bottomRight = ScaleToContent(visibleDeviceRect.right, visibleDeviceRect.bottom);
    visibleContentRect.SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
}

void CCanvasView::SetContentSize(int cx, int cy)
{
    contentRect.SetRect(0, 0, cx, cy);
    Relayout();
}

CSize CCanvasView::GetContentSize() const { return CSize(contentRect.Width(), contentRect.Height()); }

bool CCanvasView::IsContentEmpty() const { return contentRect.IsRectEmpty(); }

void CCanvasView::SetZoom(double z)
{
    zoom = std::clamp(z, 0.1, 10.0);
    Relayout();
}

CPoint CCanvasView::ScaleToDevice(int x, int y) const
{
    return CPoint(RoundHalfAway(x * zoom), RoundHalfAway(y * zoom));
}

CPoint CCanvasView::ScaleToContent(int x, int y) const
{
    return CPoint(RoundHalfAway(x / zoom), RoundHalfAway(y / zoom));
}

CPoint CCanvasView::ContentToDevice(CPoint content) const
{
    CPoint p = ScaleToDevice(content.x, content.y);
    return CPoint(p.x + scrollX + placementRect.left, p.y + scrollY + placementRect.top);
}

CPoint CCanvasView::DeviceToContent(CPoint device) const
{
    return ScaleToContent(device.x - placementRect.left - scrollX, device.y - placementRect.top - scrollY);
}

void CCanvasView::ScrollBy(int dx, int dy) { ScrollTo(scrollX + dx, scrollY + dy); }

void CCanvasView::ScrollTo(int x, int y)
{
    if (contentRect.IsRectEmpty())
        return;
    int oldX = scrollX, oldY = scrollY;
    scrollX = x;
    scrollY = y;
    ClampScroll();
    if (scrollX == oldX && scrollY == oldY)
        return;
    UpdateVisibleRects();
}

void CCanvasView::ZoomKeepingCentre(double z)
{
    CPoint centre((clientRect.left + clientRect.right) / 2, (clientRect.top + clientRect.bottom) / 2);
    CPoint p = DeviceToContent(centre);
    SetZoom(z);
    CPoint q((visibleContentRect.left + visibleContentRect.right) / 2,
             (visibleContentRect.top + visibleContentRect.bottom) / 2);
    CPoint dq = ContentToDevice(q);
    CPoint dp = ContentToDevice(p);
    ScrollBy(dq.x - dp.x, dq.y - dp.y);
}

void CCanvasView::SetZoomKeepCentre(double z)
{
    ZoomKeepingCentre(z);
    if (m_hWnd)
        Invalidate();
}

void CCanvasView::ResetZoom()
{
    if (zoom != 1.0)
        ZoomKeepingCentre(1.0);
}

void CCanvasView::FitZoom()
{
    int w = contentRect.Width(), h = contentRect.Height();
    if (w == 0 || h == 0)
        return;
    double W = clientRect.Width(), H = clientRect.Height();
    double fit = W / H < double(w) / h ? W / w : H / h;
    if (fit != zoom)
        SetZoom(fit);
}
