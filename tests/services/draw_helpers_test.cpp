// The marker triangle drawn into a 32-bit memory bitmap.
#include <gtest/gtest.h>

#include "services/drawing/draw_helpers.h"
#include "tests/support/canvas.h"

namespace {

TEST(DrawHelpers, TriangleApexDownOnAnEightByFourRectangle)
{
    Canvas canvas(12, 6, RGB(0, 0, 0));
    const COLORREF red = RGB(255, 0, 0);
    DrawTriangle(canvas.dc(), 0, RECT{0, 0, 8, 4}, red);

    // Rows 0 .. 4 run from xl to xr with the end pixel left out; row 4 is empty.
    EXPECT_EQ(canvas.Picture(red), "########....|.######.....|..####......|...##.......|............|............");
}

}  // namespace
