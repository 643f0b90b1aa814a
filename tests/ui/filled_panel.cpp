// A window painted in one colour that counts the clicks it takes.
#include "filled_panel.h"

BEGIN_MESSAGE_MAP(FilledPanel, CWnd)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

void FilledPanel::OnPaint()
{
    CPaintDC dc(this);
    CRect r;
    GetClientRect(&r);
    dc.FillSolidRect(&r, fill);
}

void FilledPanel::OnLButtonDown(UINT, CPoint) { ++clicks; }
