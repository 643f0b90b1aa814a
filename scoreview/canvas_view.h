// CCanvasView: a child window showing a content area of fixed size at a zoom, centred or scrolled.
#pragma once

#include "ui/ui.h"

class CCanvasView : public CWnd {
    DECLARE_DYNCREATE(CCanvasView)
public:
    CCanvasView() = default;

    void Relayout();
    void SetContentSize(int cx, int cy);
    CSize GetContentSize() const;
    bool IsContentEmpty() const;
    void SetZoom(double z);
    double GetZoom() const { return zoom; }
    CPoint ScaleToDevice(int x, int y) const;
    CPoint ScaleToContent(int x, int y) const;
    CPoint ContentToDevice(CPoint content) const;
    CPoint DeviceToContent(CPoint device) const;
    CRect GetPlacementRect() const { return placementRect; }
    CRect GetVisibleContentRect() const { return visibleContentRect; }
    void ScrollBy(int dx, int dy);
    void ScrollTo(int x, int y);
    CPoint GetScrollPosition() const { return CPoint(scrollX, scrollY); }
    void SetZoomKeepCentre(double z);
    void ResetZoom();
    void FitZoom();

    CRect contentRect;
    CRect scaledRect;
    CRect clientRect;
    CRect placementRect;
    CRect visibleDeviceRect;
    CRect visibleContentRect;
    double zoom = 1.0;  // always within 0.1 .. 10.0
    int scrollX = 0;    // scaled pixels, 0 or negative
    int scrollY = 0;

protected:
    afx_msg void OnSize(UINT type, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    void ClampScroll();
    void UpdateVisibleRects();
    void ZoomKeepingCentre(double z);
};
