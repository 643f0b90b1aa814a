// The demo's painted canvas: a colour field with a moving marker and a popup menu on the right button.
#pragma once

#include "ui/ui.h"

#define IDM_RED 9101
#define IDM_GREEN 9102
#define IDM_BLUE 9103
#define IDM_SHAPED 9104

class CDemoCanvas : public CWnd {
public:
    static void RegisterWindowClass();
    void Step();  // moves the marker one step
    COLORREF m_colour = RGB(200, 40, 40);

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnRButtonUp(UINT flags, CPoint point);
    afx_msg void OnColour(UINT id);
    DECLARE_MESSAGE_MAP()

private:
    int m_marker = 0;
};
