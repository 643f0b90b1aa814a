// SHAppBarMessage: the task bar is the desktop panel whose strip the window manager keeps out of the work area.
#include "ui/appbar.h"

#include "ui/wx_windows.h"

namespace {

// The widest strip of the screen left out of the work area, with its edge; false when there is none.
bool PanelStrip(const wxRect& screen, const wxRect& work, UINT* edge, RECT* strip)
{
    const int left = work.GetLeft() - screen.GetLeft();
    const int top = work.GetTop() - screen.GetTop();
    const int right = screen.GetRight() - work.GetRight();
    const int bottom = screen.GetBottom() - work.GetBottom();
    const struct {
        int size;
        UINT edge;
        RECT rect;
    } sides[] = {
        {bottom, ABE_BOTTOM, {screen.GetLeft(), work.GetBottom() + 1, screen.GetRight() + 1, screen.GetBottom() + 1}},
        {top, ABE_TOP, {screen.GetLeft(), screen.GetTop(), screen.GetRight() + 1, work.GetTop()}},
        {left, ABE_LEFT, {screen.GetLeft(), screen.GetTop(), work.GetLeft(), screen.GetBottom() + 1}},
        {right, ABE_RIGHT, {work.GetRight() + 1, screen.GetTop(), screen.GetRight() + 1, screen.GetBottom() + 1}},
    };
    const auto* widest = &sides[0];
    for (const auto& side : sides)
        if (side.size > widest->size)
            widest = &side;
    if (widest->size <= 0)
        return false;
    *edge = widest->edge;
    *strip = widest->rect;
    return true;
}

}  // namespace

UINT_PTR SHAppBarMessage(DWORD message, PAPPBARDATA data)
{
    if (message != ABM_GETTASKBARPOS || !data || !wxTheApp || wxDisplay::GetCount() == 0)
        return 0;
    wxDisplay primary(0u);
    return PanelStrip(primary.GetGeometry(), primary.GetClientArea(), &data->uEdge, &data->rc) ? TRUE : FALSE;
}
