// CSkinRangeBar: a skinned strip showing a position and a marked range in percent, with draggable markers.
#pragma once

#include "imaging/raster_image.h"
#include "ui/ui.h"

class CSkinRangeBar : public CDialog {
public:
    explicit CSkinRangeBar(CWnd* pParent = nullptr);

    // nWidth: the bar's width in pixels (the converter uses the skin pictures at their own size).
    void Setup(CWnd* pNotifyWnd, UINT nMsg, UINT nId, int* pbFadeIn, int* pbFadeOut, int* pbFixedLength,
               int* pnFadePercent, double* pdFixedLength, int nWidth);
    void Paint(CDC* pDC);
    void BuildRangeOverlay();

    BOOL OnInitDialog() override;

    double m_dPos = 0;
    double m_dStart = 0;
    double m_dEnd = 100.0;

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    void BuildBackground(CRasterImage& strip, int nWidth);
    int MarkerX(double percent, int width) const;
    void Drag(CPoint point);
    void Notify(LPARAM lParam);

    CRasterImage m_imgBackground;
    CRasterImage m_imgPosMarker;
    CRasterImage m_imgRangeMarker;
    CRasterImage m_imgRangeFill;
    CRasterImage m_imgRangeOverlay;
    CRect m_rcTrack;
    double m_dDragStart = 0;
    double m_dDragEnd = 0;
    CRect m_rcPosMarker;
    CRect m_rcStartMarker;
    CRect m_rcEndMarker;
    CRect m_rcRange;
    CRect m_rcLastRange;
    COLORREF m_clrMarkerKey = 0;
    int m_nLastFadeWidth = 0;
    // The fade switches the overlay was last built with; each bar keeps its own.
    int m_nLastFadeIn = -1;
    int m_nLastFadeOut = -1;
    CWnd* m_pNotifyWnd = nullptr;
    UINT m_nNotifyMsg = 0;
    UINT m_nNotifyId = 0;
    int* m_pbFixedLength = nullptr;
    int* m_pbFadeIn = nullptr;
    int* m_pbFadeOut = nullptr;
    int* m_pnFadePercent = nullptr;
    double* m_pdFixedLength = nullptr;
    int m_nHitMode = -1;
    bool m_bMarkersMeet = false;
    CPoint m_ptDown;
};
