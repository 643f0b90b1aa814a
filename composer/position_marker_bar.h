// CPositionMarkerBar: the thin strip above the score with the grid ticks, the play-position mark and a
// draggable marker whose positions go to the owner as notifications.
#pragma once

#include "ui/dialog.h"

class CPositionMarkerBar : public CDialog {
public:
    enum { IDD = 151 };
    static constexpr int kTickCapacity = 200;
    static constexpr COLORREF kBackground = RGB(150, 151, 210);

    explicit CPositionMarkerBar(CWnd* parent = nullptr);

    void SetNotify(CWnd* notify, UINT message, WPARAM code);
    void SetPlayPosition(int x);
    void SetSecondPosition(int x);
    void SetMarker(int x);
    // The ticks, the play-position mark and, once placed, the marker, for a strip of that size.
    void PaintBar(CDC* dc, int width, int height) const;

    int m_nPlayX = 0;
    int m_nSecondX = 0;
    // Filled by the score view: the x of each grid step; a negative entry is a full-height tick.
    int m_nTickCapacity = kTickCapacity;
    int m_nTickCount = 0;
    int m_nTicks[kTickCapacity] = {};
    int m_nMajorTickInterval = 0;  // every so many ticks is a major tick; 0 none
    int m_nMarkerX = 0;

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    DECLARE_MESSAGE_MAP()

private:
    void PaintTicks(CDC* dc, int width, int height) const;
    void PaintPlayMark(CDC* dc, int height) const;
    void PaintMarker(CDC* dc, int height) const;
    int ClientHeight() const;

    CWnd* m_pNotify = nullptr;
    UINT m_nMessage = 0;
    WPARAM m_nCode = 0;
    BOOL m_bDragMarker = FALSE;
    BOOL m_bMarkerPlaced = FALSE;
    CPoint m_ptDown;
};
