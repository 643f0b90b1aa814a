// Every binary and ternary raster operation, checked bit by bit against its truth table.
#include <gtest/gtest.h>

#include "tests/support/canvas.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

TEST(RasterOps, EveryMixModeFollowsItsTruthTable)
{
    const COLORREF pen = RGB(0x0F, 0x33, 0x55), dest = RGB(0x00, 0xFF, 0x5A);
    for (int mode = R2_BLACK; mode <= R2_WHITE; ++mode) {
        Canvas canvas(1, 1, dest);
        HPEN p = CreatePen(PS_SOLID, 1, pen);
        HGDIOBJ old = SelectObject(canvas.dc(), p);
        EXPECT_EQ(SetROP2(canvas.dc(), mode), R2_COPYPEN);
        EXPECT_EQ(GetROP2(canvas.dc()), mode);
        MoveToEx(canvas.dc(), 0, 0, nullptr);
        LineTo(canvas.dc(), 1, 0);
        // Bit (2 * pen bit + dest bit) of (mode - 1) gives each result bit.
        DWORD expected = 0;
        for (int bit = 0; bit < 24; ++bit) {
            int pb = (pen >> bit) & 1, db = (dest >> bit) & 1;
            expected |= (DWORD)(((mode - 1) >> (2 * pb + db)) & 1) << bit;
        }
        EXPECT_EQ(canvas.At(0, 0), expected) << "mode " << mode;
        SelectObject(canvas.dc(), old);
        DeleteObject(p);
    }
}

TEST(RasterOps, EveryTernaryCodeOnATwoByTwoPattern)
{
    // Source columns black, white; destination rows black, white; brush black then white: all eight inputs.
    Canvas source(2, 2);
    SetPixel(source.dc(), 0, 0, kBlack);
    SetPixel(source.dc(), 0, 1, kBlack);
    Canvas dest(2, 2);
    for (int code = 0; code < 256; ++code) {
        for (int p = 0; p < 2; ++p) {
            dest.Clear(kWhite);
            SetPixel(dest.dc(), 0, 0, kBlack);
            SetPixel(dest.dc(), 1, 0, kBlack);
            HBRUSH brush = CreateSolidBrush(p ? kWhite : kBlack);
            HGDIOBJ old = SelectObject(dest.dc(), brush);
            DWORD rop = (DWORD)code << 16;
            ASSERT_TRUE(BitBlt(dest.dc(), 0, 0, 2, 2, source.dc(), 0, 0, rop));
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 2; ++x) {
                    int s = x, d = y;
                    int bit = (code >> (4 * p + 2 * s + d)) & 1;
                    EXPECT_EQ(dest.At(x, y), bit ? kWhite : kBlack) << "rop " << code << " p " << p;
                }
            SelectObject(dest.dc(), old);
            DeleteObject(brush);
        }
    }
}

TEST(RasterOps, NamedCodesOnColours)
{
    struct Case {
        DWORD rop;
        COLORREF expected;
    } cases[] = {
        {SRCCOPY, RGB(0xF0, 0x0F, 0x33)},    {SRCAND, RGB(0x50, 0x05, 0x00)},     {SRCPAINT, RGB(0xF5, 0x5F, 0x77)},
        {SRCINVERT, RGB(0xA5, 0x5A, 0x77)},  {NOTSRCCOPY, RGB(0x0F, 0xF0, 0xCC)}, {DSTINVERT, RGB(0xAA, 0xAA, 0xBB)},
        {BLACKNESS, RGB(0, 0, 0)},           {WHITENESS, RGB(255, 255, 255)},     {PATCOPY, RGB(0x12, 0x34, 0x56)},
        {PATINVERT, RGB(0x47, 0x61, 0x12)},  {MERGECOPY, RGB(0x10, 0x04, 0x12)},  {SRCERASE, RGB(0xA0, 0x0A, 0x33)},
        {NOTSRCERASE, RGB(0x0A, 0xA0, 0x88)}};
    Canvas source(1, 1, RGB(0xF0, 0x0F, 0x33));
    for (const Case& c : cases) {
        Canvas dest(1, 1, RGB(0x55, 0x55, 0x44));
        HBRUSH brush = CreateSolidBrush(RGB(0x12, 0x34, 0x56));
        HGDIOBJ old = SelectObject(dest.dc(), brush);
        BitBlt(dest.dc(), 0, 0, 1, 1, source.dc(), 0, 0, c.rop);
        EXPECT_EQ(dest.At(0, 0), c.expected) << std::hex << c.rop;
        SelectObject(dest.dc(), old);
        DeleteObject(brush);
    }
}

TEST(RasterOps, PatBltRefusesCodesThatNeedASource)
{
    Canvas dest(2, 2);
    EXPECT_FALSE(PatBlt(dest.dc(), 0, 0, 2, 2, SRCCOPY));
    EXPECT_TRUE(PatBlt(dest.dc(), 0, 0, 1, 2, BLACKNESS));
    EXPECT_EQ(dest.Picture(kBlack), "#.|#.");
}

// 32-bit pixels keep their fourth byte through mix modes and transfers.
TEST(RasterOps, ThirtyTwoBitPixelsKeepAllBits)
{
    struct Case {
        int mode;
        DWORD rop;
        uint32_t expected;
    } cases[] = {{R2_NOT, 0, 0x55EEDDCCu},      {R2_XORPEN, 0, 0xAAEEDD33u}, {R2_WHITE, 0, 0xFFFFFFFFu},
                 {R2_MERGEPEN, 0, 0xAAFFFF33u}, {0, DSTINVERT, 0x55EEDDCCu}, {0, SRCCOPY, 0x80000102u},
                 {0, SRCINVERT, 0x2A112331u},   {0, SRCPAINT, 0xAA112333u},  {0, NOTSRCCOPY, 0x7FFFFEFDu},
                 {0, WHITENESS, 0xFFFFFFFFu}};
    Canvas source(1, 1);
    *static_cast<uint32_t*>(source.bits()) = 0x80000102u;
    for (const Case& c : cases) {
        Canvas canvas(1, 1);
        auto* pixel = static_cast<uint32_t*>(canvas.bits());
        *pixel = 0xAA112233u;
        if (c.mode) {
            HPEN pen = CreatePen(PS_SOLID, 1, RGB(0xFF, 0xFF, 0x00));
            HGDIOBJ old = SelectObject(canvas.dc(), pen);
            SetROP2(canvas.dc(), c.mode);
            MoveToEx(canvas.dc(), 0, 0, nullptr);
            LineTo(canvas.dc(), 1, 0);
            SelectObject(canvas.dc(), old);
            DeleteObject(pen);
        } else {
            BitBlt(canvas.dc(), 0, 0, 1, 1, source.dc(), 0, 0, c.rop);
        }
        EXPECT_EQ(*pixel, c.expected) << c.mode << " " << std::hex << c.rop;
    }
}

TEST(RasterOps, SetPixelAppliesTheMixMode)
{
    struct Case {
        int mode;
        COLORREF expected;
    } cases[] = {{R2_COPYPEN, RGB(0xF0, 0x0F, 0x00)},
                 {R2_XORPEN, RGB(0xA5, 0x5A, 0x44)},
                 {R2_NOP, RGB(0x55, 0x55, 0x44)},
                 {R2_NOT, RGB(0xAA, 0xAA, 0xBB)}};
    for (const Case& c : cases) {
        Canvas canvas(1, 1, RGB(0x55, 0x55, 0x44));
        SetROP2(canvas.dc(), c.mode);
        SetPixel(canvas.dc(), 0, 0, RGB(0xF0, 0x0F, 0x00));
        EXPECT_EQ(canvas.At(0, 0), c.expected) << c.mode;
    }
}

struct HatchCase {
    int hatch;
    const char* picture;
};

class HatchTest : public ::testing::TestWithParam<HatchCase> {};

TEST_P(HatchTest, LinesSitInTheirRowAndColumnOfTheCell)
{
    Canvas canvas(8, 8);
    HBRUSH hatch = CreateHatchBrush(GetParam().hatch, kBlack);
    RECT r{0, 0, 8, 8};
    FillRect(canvas.dc(), &r, hatch);
    EXPECT_EQ(canvas.Picture(kBlack), GetParam().picture);
    DeleteObject(hatch);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, HatchTest,
    ::testing::Values(HatchCase{HS_HORIZONTAL,
                                "........|........|........|########|........|........|........|........"},
                      HatchCase{HS_VERTICAL, "....#...|....#...|....#...|....#...|....#...|....#...|....#...|....#..."},
                      HatchCase{HS_CROSS, "....#...|....#...|....#...|########|....#...|....#...|....#...|....#..."}));

TEST(RasterOps, HatchBrushLeavesGapsWhenTransparent)
{
    Canvas canvas(8, 8, RGB(0, 0, 255));
    HBRUSH hatch = CreateHatchBrush(HS_CROSS, kBlack);
    SetBkMode(canvas.dc(), TRANSPARENT);
    RECT r{0, 0, 8, 8};
    FillRect(canvas.dc(), &r, hatch);
    EXPECT_EQ(canvas.Count(kBlack), 15);
    EXPECT_EQ(canvas.Count(RGB(0, 0, 255)), 49);
    SetBkMode(canvas.dc(), OPAQUE);
    FillRect(canvas.dc(), &r, hatch);
    EXPECT_EQ(canvas.Count(kWhite), 49);
    DeleteObject(hatch);
}

}  // namespace
