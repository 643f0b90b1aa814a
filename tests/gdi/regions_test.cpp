// Regions: combination modes, bands and their rectangles, polygon regions, hit tests and region painting.
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/canvas.h"

namespace {

std::vector<RECT> RectsOf(HRGN rgn)
{
    DWORD size = GetRegionData(rgn, 0, nullptr);
    std::vector<char> buffer(size);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    EXPECT_EQ(GetRegionData(rgn, size, data), size);
    const RECT* r = reinterpret_cast<const RECT*>(buffer.data() + sizeof(RGNDATAHEADER));
    return std::vector<RECT>(r, r + data->rdh.nCount);
}

TEST(Regions, CombineModes)
{
    struct Case {
        int mode;
        int kind;
        std::vector<CRect> rects;
    } cases[] = {
        {RGN_AND, SIMPLEREGION, {CRect(2, 2, 4, 4)}},
        {RGN_OR, COMPLEXREGION, {CRect(0, 0, 4, 2), CRect(0, 2, 6, 4), CRect(2, 4, 6, 6)}},
        {RGN_XOR, COMPLEXREGION, {CRect(0, 0, 4, 2), CRect(0, 2, 2, 4), CRect(4, 2, 6, 4), CRect(2, 4, 6, 6)}},
        {RGN_DIFF, COMPLEXREGION, {CRect(0, 0, 4, 2), CRect(0, 2, 2, 4)}},
        {RGN_COPY, SIMPLEREGION, {CRect(0, 0, 4, 4)}},
    };
    for (const Case& c : cases) {
        HRGN a = CreateRectRgn(0, 0, 4, 4), b = CreateRectRgn(2, 2, 6, 6), d = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(CombineRgn(d, a, b, c.mode), c.kind) << c.mode;
        std::vector<RECT> got = RectsOf(d);
        ASSERT_EQ(got.size(), c.rects.size()) << c.mode;
        for (size_t i = 0; i < got.size(); ++i)
            EXPECT_EQ(CRect(got[i]), c.rects[i]) << c.mode << " " << i;
        DeleteObject(a);
        DeleteObject(b);
        DeleteObject(d);
    }
}

TEST(Regions, DisjointDifferenceToNothingAndBackToARectangle)
{
    HRGN a = CreateRectRgn(0, 0, 3, 3), d = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(d, a, a, RGN_DIFF), NULLREGION);
    // Pixel-by-pixel removal and re-adding merges back into one rectangle.
    HRGN shape = CreateRectRgn(0, 0, 4, 2);
    for (int y = 0; y < 2; ++y) {
        HRGN dot = CreateRectRgn(1, y, 2, y + 1);
        CombineRgn(shape, shape, dot, RGN_DIFF);
        CombineRgn(shape, shape, dot, RGN_OR);
        DeleteObject(dot);
    }
    HRGN whole = CreateRectRgn(0, 0, 4, 2);
    EXPECT_TRUE(EqualRgn(shape, whole));
    EXPECT_EQ(RectsOf(shape).size(), 1u);
    DeleteObject(a);
    DeleteObject(d);
    DeleteObject(shape);
    DeleteObject(whole);
}

TEST(Regions, InPlaceRectangleEditsMatchTheGeneralCombination)
{
    // Pseudo-random rectangles added and removed: once in place (destination is the first operand), once not.
    HRGN inPlace = CreateRectRgn(0, 0, 40, 30), general = CreateRectRgn(0, 0, 40, 30);
    unsigned seed = 12345;
    auto next = [&](int n) {
        seed = seed * 1103515245u + 12345u;
        return (int)((seed >> 16) % (unsigned)n);
    };
    for (int i = 0; i < 400; ++i) {
        int l = next(45) - 2, t = next(35) - 2;
        HRGN r = CreateRectRgn(l, t, l + 1 + next(6), t + 1 + next(6));
        int mode = next(3) ? RGN_DIFF : RGN_OR;
        CombineRgn(inPlace, inPlace, r, mode);
        HRGN result = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(result, general, r, mode);
        CombineRgn(general, result, nullptr, RGN_COPY);
        DeleteObject(result);
        DeleteObject(r);
        ASSERT_TRUE(EqualRgn(inPlace, general)) << i;
    }
    DeleteObject(inPlace);
    DeleteObject(general);
}

TEST(Regions, QueriesAndOffset)
{
    HRGN r = CreateEllipticRgn(0, 0, 10, 6);
    RECT box;
    EXPECT_EQ(GetRgnBox(r, &box), COMPLEXREGION);
    EXPECT_EQ(CRect(box), CRect(0, 0, 10, 6));
    EXPECT_TRUE(PtInRegion(r, 5, 3));
    EXPECT_FALSE(PtInRegion(r, 0, 0));
    OffsetRgn(r, 100, 50);
    EXPECT_TRUE(PtInRegion(r, 105, 53));
    RECT probe{100, 50, 101, 51};
    EXPECT_FALSE(RectInRegion(r, &probe));
    DeleteObject(r);
}

TEST(Regions, FilledPolygonBandMatchesTheBeamShape)
{
    // A sloped band as the beam painter builds it: five points, winding fill.
    POINT band[5] = {{0, 0}, {0, 2}, {8, 6}, {8, 4}, {0, 0}};
    HRGN r = CreatePolygonRgn(band, 5, WINDING);
    Canvas canvas(8, 7);
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 0));
    FillRgn(canvas.dc(), r, brush);
    EXPECT_EQ(canvas.Count(RGB(0, 0, 0)), 16);
    for (int x = 0; x < 8; ++x) {
        int n = 0;
        for (int y = 0; y < 7; ++y)
            n += canvas.At(x, y) == RGB(0, 0, 0);
        EXPECT_EQ(n, 2) << x;
    }
    DeleteObject(brush);
    DeleteObject(r);
}

TEST(Regions, ClipRegionIsInDeviceUnits)
{
    Canvas canvas(4, 4);
    HRGN r = CreateRectRgn(1, 1, 3, 3);
    SetViewportOrgEx(canvas.dc(), 1, 0, nullptr);
    SelectClipRgn(canvas.dc(), r);
    RECT all{-10, -10, 10, 10};
    FillRect(canvas.dc(), &all, (HBRUSH)GetStockObject(BLACK_BRUSH));
    EXPECT_EQ(canvas.Count(RGB(0, 0, 0)), 4);
    SetViewportOrgEx(canvas.dc(), 0, 0, nullptr);
    EXPECT_EQ(canvas.Picture(RGB(0, 0, 0)), "....|.##.|.##.|....");
    DeleteObject(r);
}

TEST(Regions, FrameRgnDrawsTheBorder)
{
    Canvas canvas(5, 5);
    HRGN r = CreateRectRgn(0, 0, 5, 5);
    FrameRgn(canvas.dc(), r, (HBRUSH)GetStockObject(BLACK_BRUSH), 1, 1);
    EXPECT_EQ(canvas.Picture(RGB(0, 0, 0)), "#####|#...#|#...#|#...#|#####");
    DeleteObject(r);
}

}  // namespace
