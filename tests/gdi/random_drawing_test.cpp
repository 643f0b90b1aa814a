// Random sequences of drawing calls on surfaces of every depth: nothing may write outside a surface or fail hard.
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/canvas.h"

namespace {

class Random {
public:
    explicit Random(unsigned seed) : m_state(seed) {}
    int Next(int n)
    {
        m_state = m_state * 6364136223846793005ull + 1442695040888963407ull;
        return (int)((m_state >> 33) % (unsigned)n);
    }
    int Coord() { return Next(20) == 0 ? (Next(2) ? 1 : -1) * (1 << Next(31)) : Next(120) - 40; }

private:
    unsigned long long m_state;
};

void RandomCall(Random& r, HDC dc, HDC other)
{
    int a = r.Coord(), b = r.Coord(), c = r.Coord(), d = r.Coord();
    switch (r.Next(22)) {
    case 0:
        MoveToEx(dc, a, b, nullptr);
        LineTo(dc, c, d);
        break;
    case 1: Rectangle(dc, a, b, c, d); break;
    case 2: Ellipse(dc, a, b, a + r.Next(60), b + r.Next(60)); break;
    case 3: Arc(dc, a, b, a + r.Next(60), b + r.Next(60), c, d, r.Coord(), r.Coord()); break;
    case 4: Pie(dc, a, b, a + r.Next(60), b + r.Next(60), c, d, r.Coord(), r.Coord()); break;
    case 5: Chord(dc, a, b, a + r.Next(60), b + r.Next(60), c, d, r.Coord(), r.Coord()); break;
    case 6: {
        std::vector<POINT> pts(1 + r.Next(6));
        for (POINT& p : pts)
            p = POINT{r.Coord(), r.Coord()};
        if (r.Next(2))
            Polygon(dc, pts.data(), (int)pts.size());
        else
            Polyline(dc, pts.data(), (int)pts.size());
        break;
    }
    case 7: BitBlt(dc, a, b, c, d, other, r.Coord(), r.Coord(), (DWORD)r.Next(256) << 16); break;
    case 8:
        SetStretchBltMode(dc, 1 + r.Next(4));
        StretchBlt(dc, a, b, c, d, other, r.Coord(), r.Coord(), r.Coord(), r.Coord(), SRCCOPY);
        break;
    case 9: PatBlt(dc, a, b, c, d, r.Next(2) ? PATINVERT : PATCOPY); break;
    case 10: TextOut(dc, a, b, "K\xE9\x9F\xB3\xA1&x", 7); break;
    case 11: {
        RECT rc{a, b, c, d};
        DrawText(dc, "Kes&trin wraps\r\nlines \xA1\xA2 and ellipsis", -1, &rc, (UINT)r.Next(0x10000));
        break;
    }
    case 12: {
        RECT rc{a, b, c, d};
        FillRect(dc, &rc, (HBRUSH)GetStockObject(r.Next(6)));
        FrameRect(dc, &rc, (HBRUSH)GetStockObject(BLACK_BRUSH));
        InvertRect(dc, &rc);
        DrawFocusRect(dc, &rc);
        break;
    }
    case 13:
        SetPixel(dc, a, b, RGB(r.Next(256), 0, 0));
        GetPixel(dc, c, d);
        break;
    case 14: {
        HRGN rgn = r.Next(2) ? CreateEllipticRgn(a, b, c, d) : CreateRectRgn(a, b, c, d);
        if (r.Next(2))
            SelectClipRgn(dc, rgn);
        else
            FillRgn(dc, rgn, (HBRUSH)GetStockObject(GRAY_BRUSH));
        DeleteObject(rgn);
        break;
    }
    case 15:
        SelectClipRgn(dc, nullptr);
        IntersectClipRect(dc, a, b, c, d);
        break;
    case 16: {
        HPEN pen = CreatePen(r.Next(7), r.Next(12), RGB(0, r.Next(256), 0));
        DeleteObject(SelectObject(dc, pen));
        break;
    }
    case 17: SetROP2(dc, 1 + r.Next(16)); break;
    case 18: {
        RECT rc{a, b, c, d};
        DrawFrameControl(dc, &rc, 1 + r.Next(4), (UINT)r.Next(0x10000));
        DrawEdge(dc, &rc, (UINT)r.Next(16), (UINT)r.Next(0x10000));
        break;
    }
    case 19:
        SetViewportOrgEx(dc, r.Next(20) - 10, r.Next(20) - 10, nullptr);
        SetWindowOrgEx(dc, r.Next(20) - 10, 0, nullptr);
        break;
    case 20: {
        HBRUSH brush = r.Next(2) ? CreateHatchBrush(r.Next(6), RGB(0, 0, 255)) : CreateSolidBrush(RGB(9, 9, 9));
        DeleteObject(SelectObject(dc, brush));
        break;
    }
    default: {
        HFONT font = CreateFont(r.Next(80) - 40, r.Next(20), 0, 0, r.Next(1000), r.Next(2), r.Next(2), r.Next(2), 0, 0,
                                0, r.Next(6), 0, r.Next(2) ? "Arial" : "Nothing Like It");
        DeleteObject(SelectObject(dc, font));
        SetBkMode(dc, 1 + r.Next(2));
        SetTextAlign(dc, (UINT)r.Next(32));
        break;
    }
    }
}

TEST(RandomDrawing, StaysInsideEverySurface)
{
    for (int bpp : {1, 4, 8, 24, 32}) {
        Canvas canvas(37, 23, RGB(255, 255, 255), bpp);
        Canvas other(19, 11, RGB(0, 128, 255), bpp == 1 ? 8 : bpp);
        Random r(1000 + bpp);
        for (int i = 0; i < 1500; ++i)
            RandomCall(r, canvas.dc(), other.dc());
        // Leave stock objects selected so that the random ones can go.
        DeleteObject(SelectObject(canvas.dc(), GetStockObject(BLACK_PEN)));
        DeleteObject(SelectObject(canvas.dc(), GetStockObject(WHITE_BRUSH)));
        DeleteObject(SelectObject(canvas.dc(), GetStockObject(SYSTEM_FONT)));
    }
}

}  // namespace
