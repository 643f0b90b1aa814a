// A window painted in one colour that counts the clicks it takes, for tests of where windows show and click.
#pragma once

#include "tests/support/window/ui_fixture.h"

class FilledPanel : public CWnd {
public:
    COLORREF fill = RGB(0, 0, 0);
    int clicks = 0;

protected:
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT, CPoint);
    DECLARE_MESSAGE_MAP()
};
