// The demo's shaped window: an elliptic popup without a caption, dragged by its face.
#pragma once

#include "ui/ui.h"

class CShapedWindow : public CWnd {
public:
    BOOL CreateAt(int x, int y);

protected:
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnRButtonUp(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
