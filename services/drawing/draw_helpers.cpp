// Line-drawn markers on a device context.
#include "services/drawing/draw_helpers.h"

#include <algorithm>

#include "gdi/wingdi.h"

namespace {

// Selects a 1-pixel solid pen of a colour for the life of the object.
class SolidPen {
public:
    SolidPen(HDC dc, COLORREF colour) : m_dc(dc), m_pen(CreatePen(PS_SOLID, 1, colour))
    {
        m_previous = SelectObject(m_dc, m_pen);
    }
    ~SolidPen()
    {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_pen);
    }
    SolidPen(const SolidPen&) = delete;
    SolidPen& operator=(const SolidPen&) = delete;

private:
    HDC m_dc;
    HPEN m_pen;
    HGDIOBJ m_previous;
};

void Line(HDC dc, int x1, int y1, int x2, int y2)
{
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

}  // namespace

void DrawTriangle(HDC hdc, int direction, const RECT& rect, COLORREF colour)
{
    SolidPen pen(hdc, colour);
    int left = rect.left, top = rect.top, right = rect.right, bottom = rect.bottom;
    int midX = (left + right) / 2;
    int midY = (top + bottom) / 2;
    if (direction == 0 || direction == 2) {
        if (bottom == top)
            return;
        for (int y = top; y <= bottom; y++) {
            int distance = direction == 0 ? bottom - y : y - top;
            int xl = midX + (left - midX) * distance / (bottom - top);
            Line(hdc, xl, y, 2 * midX - xl, y);
        }
    } else if (direction == 1 || direction == 3) {
        if (right == left)
            return;
        for (int x = left; x <= right; x++) {
            int distance = direction == 1 ? right - x : x - left;
            int yt = midY + (top - midY) * distance / (right - left);
            Line(hdc, x, yt, x, 2 * midY - yt);
        }
    }
}

void DrawSquareMarker(HDC hdc, POINT point, int d)
{
    SolidPen pen(hdc, RGB(255, 255, 255));
    MoveToEx(hdc, point.x - d, point.y - d, nullptr);
    LineTo(hdc, point.x + d, point.y - d);
    LineTo(hdc, point.x + d, point.y + d);
    LineTo(hdc, point.x - d, point.y + d);
    LineTo(hdc, point.x - d, point.y - d);
}

void DrawColourBox(HDC hdc, int kind, const RECT& rect)
{
    static const COLORREF kColours[3] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(255, 255, 255)};
    int left = std::min(rect.left, rect.right), right = std::max(rect.left, rect.right);
    int top = std::min(rect.top, rect.bottom), bottom = std::max(rect.top, rect.bottom);
    if (kind >= 0 && kind < 3) {
        SolidPen fill(hdc, kColours[kind]);
        for (int y = top; y < bottom; y++)
            Line(hdc, left, y, right, y);
    }
    SolidPen outline(hdc, RGB(255, 255, 255));
    MoveToEx(hdc, left, top, nullptr);
    LineTo(hdc, right, top);
    LineTo(hdc, right, bottom);
    LineTo(hdc, left, bottom);
    LineTo(hdc, left, top);
}
