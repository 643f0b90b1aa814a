// The demo's owner-drawn button.
#include "demo_button.h"

void CDemoButton::DrawItem(LPDRAWITEMSTRUCT dis)
{
    CDC* dc = CDC::FromHandle(dis->hDC);
    CRect r(dis->rcItem);
    bool pressed = (dis->itemState & ODS_SELECTED) != 0;
    dc->FillSolidRect(&r, ::GetSysColor(COLOR_BTNFACE));
    CBrush face(pressed ? RGB(90, 120, 200) : RGB(120, 160, 240));
    CPen edge(PS_SOLID, 1, RGB(30, 50, 110));
    CBrush* oldBrush = dc->SelectObject(&face);
    CPen* oldPen = dc->SelectObject(&edge);
    dc->RoundRect(r.left, r.top, r.right, r.bottom, 10, 10);
    dc->SelectObject(oldBrush);
    dc->SelectObject(oldPen);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(RGB(255, 255, 255));
    CRect text = r;
    if (pressed)
        text.OffsetRect(1, 1);
    dc->DrawText("Drawn", &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (dis->itemState & ODS_FOCUS) {
        CRect focus = r;
        focus.DeflateRect(3, 3);
        dc->DrawFocusRect(&focus);
    }
}
