// CSkinSlider: a horizontal slider of a track and a thumb picture, bound to an owner's integer variable.
#pragma once

#include "imaging/raster_image.h"
#include "ui/ui.h"

class CSkinSlider : public CDialog {
public:
    explicit CSkinSlider(CWnd* pParent = nullptr);

    void Setup(int nParam1, BOOL bNotifyByTimer, int nParam3, int nParam4, int* pnValue, int nMin, int nMax,
               CString strTip, CString strTrackImage, CString strThumbImage, CRect rcTrack, CWnd* pNotifyWnd, UINT nMsg,
               UINT nId);
    int GetValue() const { return m_pnValue ? *m_pnValue : 0; }
    void SetValuePointer(int* pnValue);
    void DrawThumb(CDC* pDC);
    void DrawTrack(CDC* pDC);

    BOOL OnInitDialog() override;

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point) {}
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    DECLARE_MESSAGE_MAP()

private:
    void Notify(LPARAM lParam);
    void EndDrag();

    int m_nParam1 = 0;
    int m_bNotifyByTimer = 0;
    int m_nParam3 = 0;
    int m_nParam4 = 0;
    UINT m_nToolId = 0;
    int* m_pnValue = nullptr;
    int m_nMin = 0;
    int m_nMax = 0;
    CWnd* m_pNotifyWnd = nullptr;
    UINT m_nNotifyMsg = 0;
    UINT m_nNotifyId = 0;
    int m_nThumbOffset = 0;
    CString m_strTip;
    CRect m_rcTrack;
    CRect m_rcThumb;
    int m_bOverThumb = 0;
    int m_bDragging = 0;  // between the press and its release or the loss of the capture
    CRasterImage m_imgTrack;
    CRasterImage m_imgThumb;
};
