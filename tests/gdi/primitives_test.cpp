// Pixel rules of lines, rectangles, polygons, ellipses, arcs and wide pens.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/canvas.h"

namespace {

const COLORREF kBlack = RGB(0, 0, 0);

struct LineCase {
    int w, h, x0, y0, x1, y1;
    const char* picture;
};

class LineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineTest, DrawsEveryPixelButTheLast)
{
    const LineCase& c = GetParam();
    Canvas canvas(c.w, c.h);
    MoveToEx(canvas.dc(), c.x0, c.y0, nullptr);
    LineTo(canvas.dc(), c.x1, c.y1);
    EXPECT_EQ(canvas.Picture(kBlack), c.picture);
    POINT p;
    GetCurrentPositionEx(canvas.dc(), &p);
    EXPECT_EQ(p.x, c.x1);
    EXPECT_EQ(p.y, c.y1);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LineTest,
    ::testing::Values(LineCase{6, 1, 0, 0, 4, 0, "####.."}, LineCase{4, 1, 3, 0, 0, 0, ".###"},
                      LineCase{3, 4, 1, 0, 1, 3, ".#.|.#.|.#.|..."}, LineCase{4, 4, 0, 0, 3, 3, "#...|.#..|..#.|...."},
                      // Exact ties of the minor coordinate go to the smaller one.
                      LineCase{5, 3, 0, 0, 4, 2, "##...|..##.|....."}, LineCase{5, 3, 4, 2, 0, 0, ".#...|..##.|....#"},
                      LineCase{5, 3, 0, 2, 4, 0, "...#.|.##..|#...."},
                      LineCase{3, 5, 0, 0, 2, 4, "#..|#..|.#.|.#.|..."},
                      LineCase{3, 5, 2, 4, 0, 0, "...|#..|.#.|.#.|..#"}, LineCase{3, 3, 1, 1, 1, 1, "...|...|..."},
                      LineCase{4, 2, -5, 1, 10, 1, "....|####"}));

TEST(Shapes, RectangleFramesWithThePenAndFillsInside)
{
    Canvas canvas(6, 5, RGB(0, 255, 0));
    SelectObject(canvas.dc(), GetStockObject(BLACK_PEN));
    SelectObject(canvas.dc(), GetStockObject(WHITE_BRUSH));
    Rectangle(canvas.dc(), 1, 1, 5, 4);
    EXPECT_EQ(canvas.Picture(kBlack), "......|.####.|.#..#.|.####.|......");
    EXPECT_EQ(canvas.Picture(RGB(255, 255, 255)), "......|......|..##..|......|......");
}

struct OutlineCase {
    int w, h, left, top, right, bottom;
    const char* picture;
};

class DottedRectangleTest : public ::testing::TestWithParam<OutlineCase> {};

// The frame runs anticlockwise from the top right pixel, where the dots start; thin frames keep their dots.
TEST_P(DottedRectangleTest, FrameStartsAtTheTopRight)
{
    const OutlineCase& c = GetParam();
    Canvas canvas(c.w, c.h);
    HPEN pen = CreatePen(PS_DOT, 1, kBlack);
    HGDIOBJ old = SelectObject(canvas.dc(), pen);
    SelectObject(canvas.dc(), GetStockObject(NULL_BRUSH));
    SetBkMode(canvas.dc(), TRANSPARENT);
    Rectangle(canvas.dc(), c.left, c.top, c.right, c.bottom);
    EXPECT_EQ(canvas.Picture(kBlack), c.picture);
    SelectObject(canvas.dc(), old);
    DeleteObject(pen);
}

INSTANTIATE_TEST_SUITE_P(Frames, DottedRectangleTest,
                         ::testing::Values(OutlineCase{5, 4, 0, 0, 5, 4, "..###|....#|#...#|##..."},
                                           OutlineCase{8, 1, 0, 0, 8, 1, "##...###"},
                                           OutlineCase{1, 8, 0, 0, 1, 8, "#|#|#|.|.|.|#|#"},
                                           OutlineCase{3, 3, 1, 1, 2, 2, "...|...|..."}));

TEST(Shapes, SinglePixelRectangleDrawsNothing)
{
    Canvas canvas(3, 3);
    SelectObject(canvas.dc(), GetStockObject(BLACK_BRUSH));
    Rectangle(canvas.dc(), 1, 1, 2, 2);
    EXPECT_EQ(canvas.Count(kBlack), 0);
}

TEST(Shapes, RectangleWithoutPenIsOnePixelSmaller)
{
    Canvas canvas(6, 5);
    SelectObject(canvas.dc(), GetStockObject(NULL_PEN));
    SelectObject(canvas.dc(), GetStockObject(BLACK_BRUSH));
    Rectangle(canvas.dc(), 1, 1, 5, 4);
    EXPECT_EQ(canvas.Picture(kBlack), "......|.###..|.###..|......|......");
}

TEST(Shapes, FillRectLeavesRightAndBottomEdges)
{
    Canvas canvas(6, 5);
    RECT r{1, 1, 5, 4};
    FillRect(canvas.dc(), &r, (HBRUSH)GetStockObject(BLACK_BRUSH));
    EXPECT_EQ(canvas.Picture(kBlack), "......|.####.|.####.|.####.|......");
    canvas.Clear(RGB(255, 255, 255));
    FrameRect(canvas.dc(), &r, (HBRUSH)GetStockObject(BLACK_BRUSH));
    EXPECT_EQ(canvas.Picture(kBlack), "......|.####.|.#..#.|.####.|......");
}

TEST(Shapes, EllipseOutlinesACircle)
{
    Canvas canvas(5, 5);
    SelectObject(canvas.dc(), GetStockObject(NULL_BRUSH));
    Ellipse(canvas.dc(), 0, 0, 5, 5);
    EXPECT_EQ(canvas.Picture(kBlack), ".###.|#...#|#...#|#...#|.###.");
}

TEST(Shapes, PolygonFillModes)
{
    // Two squares wound the same way: the inner one is a hole by ALTERNATE and filled by WINDING.
    POINT pts[10] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0}, {1, 1}, {3, 1}, {3, 3}, {1, 3}, {1, 1}};
    Canvas canvas(4, 4);
    SelectObject(canvas.dc(), GetStockObject(NULL_PEN));
    SelectObject(canvas.dc(), GetStockObject(BLACK_BRUSH));
    SetPolyFillMode(canvas.dc(), ALTERNATE);
    Polygon(canvas.dc(), pts, 10);
    EXPECT_EQ(canvas.Picture(kBlack), "####|#..#|#..#|####");
    canvas.Clear(RGB(255, 255, 255));
    SetPolyFillMode(canvas.dc(), WINDING);
    Polygon(canvas.dc(), pts, 10);
    EXPECT_EQ(canvas.Picture(kBlack), "####|####|####|####");
}

TEST(Shapes, TriangleFillTakesPixelCentres)
{
    Canvas canvas(4, 4);
    POINT tri[3] = {{0, 0}, {4, 0}, {0, 4}};
    HRGN rgn = CreatePolygonRgn(tri, 3, ALTERNATE);
    FillRgn(canvas.dc(), rgn, (HBRUSH)GetStockObject(BLACK_BRUSH));
    DeleteObject(rgn);
    EXPECT_EQ(canvas.Picture(kBlack), "###.|##..|#...|....");
}

TEST(Shapes, ArcRunsCounterClockwiseFromStartToEnd)
{
    Canvas canvas(9, 9);
    // From the right end to the left end counter-clockwise: the upper half only.
    Arc(canvas.dc(), 0, 0, 9, 9, 9, 4, 0, 4);
    int upper = 0, lower = 0;
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x)
            if (canvas.At(x, y) == kBlack)
                (y < 4 ? upper : lower) += y != 4;
    EXPECT_GT(upper, 8);
    EXPECT_EQ(lower, 0);
    canvas.Clear(RGB(255, 255, 255));
    SetArcDirection(canvas.dc(), AD_CLOCKWISE);
    Arc(canvas.dc(), 0, 0, 9, 9, 9, 4, 0, 4);
    EXPECT_EQ(canvas.At(4, 0), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(4, 8), kBlack);
}

TEST(Shapes, WidePenHasRoundCapsAndItsWidth)
{
    Canvas canvas(11, 9);
    HPEN pen = CreatePen(PS_SOLID, 3, kBlack);
    HGDIOBJ old = SelectObject(canvas.dc(), pen);
    MoveToEx(canvas.dc(), 2, 4, nullptr);
    LineTo(canvas.dc(), 8, 4);
    EXPECT_EQ(canvas.Picture(kBlack),
              "...........|...........|...........|.#########.|.#########.|.#########.|..........."
              "|...........|...........");
    canvas.Clear(RGB(255, 255, 255));
    HPEN six = CreatePen(PS_SOLID, 6, kBlack);
    SelectObject(canvas.dc(), six);
    MoveToEx(canvas.dc(), 5, 4, nullptr);
    LineTo(canvas.dc(), 5, 5);
    int widest = 0;
    for (int y = 0; y < 9; ++y) {
        int n = 0;
        for (int x = 0; x < 11; ++x)
            n += canvas.At(x, y) == kBlack;
        widest = std::max(widest, n);
    }
    EXPECT_EQ(widest, 6);
    SelectObject(canvas.dc(), old);
    DeleteObject(pen);
    DeleteObject(six);
}

struct JoinCase {
    DWORD join;
    bool repeatCorner;  // a zero-length segment at the corner changes nothing
    const char* lastRows;
};

class GeometricJoinTest : public ::testing::TestWithParam<JoinCase> {};

TEST_P(GeometricJoinTest, CornerTakesThePensJoin)
{
    const JoinCase& c = GetParam();
    Canvas canvas(11, 11);
    LOGBRUSH brush{BS_SOLID, kBlack, 0};
    HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT | c.join, 5, &brush, 0, nullptr);
    HGDIOBJ old = SelectObject(canvas.dc(), pen);
    std::vector<POINT> pts{{2, 8}, {8, 8}, {8, 2}};
    if (c.repeatCorner)
        pts.insert(pts.begin() + 1, POINT{8, 8});
    Polyline(canvas.dc(), pts.data(), (int)pts.size());
    std::string upper =
        "...........|...........|......#####|......#####|......#####|......#####|..#########|..#########|"
        "..#########|";
    EXPECT_EQ(canvas.Picture(kBlack), upper + c.lastRows);
    SelectObject(canvas.dc(), old);
    DeleteObject(pen);
}

INSTANTIATE_TEST_SUITE_P(Joins, GeometricJoinTest,
                         ::testing::Values(JoinCase{PS_JOIN_MITER, false, "..#########|..#########"},
                                           JoinCase{PS_JOIN_BEVEL, false, "..########.|..#######.."},
                                           JoinCase{PS_JOIN_ROUND, false, "..#########|..########."},
                                           JoinCase{PS_JOIN_MITER, true, "..#########|..#########"},
                                           JoinCase{PS_JOIN_BEVEL, true, "..########.|..#######.."}));

TEST(Shapes, PatternPenStrokesWithItsBrush)
{
    // A 2 x 2 monochrome checkerboard: set bits take the background colour, clear ones the text colour.
    unsigned char cells[4] = {0x80, 0, 0x40, 0};
    HBITMAP pattern = CreateBitmap(2, 2, 1, 1, cells);
    LOGBRUSH brush{BS_PATTERN, 0, (ULONG_PTR)pattern};
    HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, 2, &brush, 0, nullptr);
    DeleteObject(pattern);
    Canvas canvas(6, 4);
    SetBkColor(canvas.dc(), RGB(255, 0, 0));
    HGDIOBJ old = SelectObject(canvas.dc(), pen);
    MoveToEx(canvas.dc(), 0, 2, nullptr);
    LineTo(canvas.dc(), 6, 2);
    EXPECT_EQ(canvas.Picture(kBlack), "......|#.#.#.|.#.#.#|......");
    EXPECT_EQ(canvas.Picture(RGB(255, 0, 0)), "......|.#.#.#|#.#.#.|......");
    SelectObject(canvas.dc(), old);
    DeleteObject(pen);
}

TEST(Shapes, XorLineDrawnTwiceVanishes)
{
    Canvas canvas(8, 8, RGB(10, 20, 30));
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 25, 0));
    SelectObject(canvas.dc(), pen);
    SetROP2(canvas.dc(), R2_NOTXORPEN);
    for (int i = 0; i < 2; ++i) {
        MoveToEx(canvas.dc(), 3, 0, nullptr);
        LineTo(canvas.dc(), 3, 8);
    }
    EXPECT_EQ(canvas.Count(RGB(10, 20, 30)), 64);
    SelectObject(canvas.dc(), GetStockObject(BLACK_PEN));
    DeleteObject(pen);
}

TEST(Shapes, DottedPenAndOpaqueGaps)
{
    Canvas canvas(12, 1);
    HPEN pen = CreatePen(PS_DOT, 1, kBlack);
    SelectObject(canvas.dc(), pen);
    SetBkMode(canvas.dc(), TRANSPARENT);
    MoveToEx(canvas.dc(), 0, 0, nullptr);
    LineTo(canvas.dc(), 12, 0);
    EXPECT_EQ(canvas.Picture(kBlack), "###...###...");
    SetBkMode(canvas.dc(), OPAQUE);
    SetBkColor(canvas.dc(), RGB(255, 0, 0));
    MoveToEx(canvas.dc(), 0, 0, nullptr);
    LineTo(canvas.dc(), 12, 0);
    EXPECT_EQ(canvas.Picture(RGB(255, 0, 0)), "...###...###");
    SelectObject(canvas.dc(), GetStockObject(BLACK_PEN));
    DeleteObject(pen);
}

TEST(Shapes, OriginsAndClippingApply)
{
    Canvas canvas(6, 4);
    SetViewportOrgEx(canvas.dc(), 2, 1, nullptr);
    SetPixel(canvas.dc(), 0, 0, kBlack);
    EXPECT_EQ(canvas.At(0, 0), kBlack);  // read back through the same origin
    SetViewportOrgEx(canvas.dc(), 0, 0, nullptr);
    EXPECT_EQ(canvas.At(2, 1), kBlack);
    canvas.Clear(RGB(255, 255, 255));
    IntersectClipRect(canvas.dc(), 1, 1, 4, 3);
    ExcludeClipRect(canvas.dc(), 2, 1, 3, 2);
    RECT all{0, 0, 6, 4};
    FillRect(canvas.dc(), &all, (HBRUSH)GetStockObject(BLACK_BRUSH));
    SelectClipRgn(canvas.dc(), nullptr);
    EXPECT_EQ(canvas.Picture(kBlack), "......|.#.#..|.###..|......");
    RECT box;
    IntersectClipRect(canvas.dc(), 1, 1, 4, 3);
    EXPECT_EQ(GetClipBox(canvas.dc(), &box), SIMPLEREGION);
    EXPECT_EQ(CRect(box), CRect(1, 1, 4, 3));
}

TEST(Shapes, SaveAndRestoreBringBackAttributes)
{
    Canvas canvas(2, 2);
    int saved = SaveDC(canvas.dc());
    SetTextColor(canvas.dc(), RGB(1, 2, 3));
    SelectObject(canvas.dc(), GetStockObject(NULL_PEN));
    IntersectClipRect(canvas.dc(), 0, 0, 1, 1);
    EXPECT_TRUE(RestoreDC(canvas.dc(), saved));
    EXPECT_EQ(GetTextColor(canvas.dc()), RGB(0, 0, 0));
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_BITMAP), canvas.bitmap());
    RECT box;
    GetClipBox(canvas.dc(), &box);
    EXPECT_EQ(CRect(box), CRect(0, 0, 2, 2));
    EXPECT_FALSE(RestoreDC(canvas.dc(), 1));
}

TEST(Shapes, FrameControlsDrawInsideTheirRectangle)
{
    Canvas canvas(20, 20, RGB(1, 2, 3));
    RECT r{2, 2, 18, 18};
    UINT kinds[][2] = {{DFC_SCROLL, DFCS_SCROLLDOWN}, {DFC_SCROLL, DFCS_SCROLLSIZEGRIP},
                       {DFC_MENU, DFCS_MENUCHECK},    {DFC_SCROLL, DFCS_SCROLLUP | DFCS_PUSHED | DFCS_FLAT},
                       {DFC_BUTTON, DFCS_BUTTONPUSH}, {DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_INACTIVE}};
    for (auto& k : kinds) {
        canvas.Clear(RGB(1, 2, 3));
        EXPECT_TRUE(DrawFrameControl(canvas.dc(), &r, k[0], k[1]));
        EXPECT_EQ(canvas.Count(RGB(1, 2, 3)), 400 - 256) << k[0] << " " << k[1];
    }
    canvas.Clear(RGB(255, 255, 255));
    DrawFrameControl(canvas.dc(), &r, DFC_MENU, DFCS_MENUCHECK);
    EXPECT_GT(canvas.Count(RGB(0, 0, 0)), 10);
}

}  // namespace
