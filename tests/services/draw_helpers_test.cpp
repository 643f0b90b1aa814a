// The marker triangle drawn into a 32-bit memory bitmap.
#include <gtest/gtest.h>

#include "gdi/wingdi.h"
#include "services/drawing/draw_helpers.h"

namespace {

TEST(DrawHelpers, TriangleApexDownOnAnEightByFourRectangle)
{
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 12;
    info.bmiHeader.biHeight = -6;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bitmap, nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const COLORREF red = RGB(255, 0, 0);
    DrawTriangle(dc, 0, RECT{0, 0, 8, 4}, red);

    // Rows 0 .. 4 run from xl to xr with the end pixel left out; row 4 is empty.
    const int spans[5][2] = {{0, 8}, {1, 7}, {2, 6}, {3, 5}, {4, 4}};
    for (int y = 0; y < 6; y++)
        for (int x = 0; x < 12; x++) {
            bool inside = y <= 4 && x >= spans[y][0] && x < spans[y][1];
            EXPECT_EQ(GetPixel(dc, x, y) == red, inside) << x << "," << y;
        }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

}  // namespace
