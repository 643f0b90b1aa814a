// Transfers into and out of DIBs: palette indexes, bit-field layouts and StretchDIBits placement.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "canvas.h"

namespace {

TEST(DibTransfers, CopyWithinOneEightBitDibKeepsIndexes)
{
    Canvas canvas(4, 1, RGB(255, 255, 255), 8);
    // Entries 10 and 20 both hold grey 50.
    RGBQUAD grey{50, 50, 50, 0};
    SetDIBColorTable(canvas.dc(), 10, 1, &grey);
    SetDIBColorTable(canvas.dc(), 20, 1, &grey);
    auto* bytes = static_cast<unsigned char*>(canvas.bits());
    bytes[0] = 20;
    bytes[1] = 251;
    BitBlt(canvas.dc(), 2, 0, 2, 1, canvas.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(bytes[2], 20);
    EXPECT_EQ(bytes[3], 251);
}

TEST(DibTransfers, ColoursIntoAnEightBitDibAreCutToFiveBits)
{
    struct Case {
        COLORREF colour;
        int index;
    } cases[] = {{RGB(0, 0, 0), 4},       {RGB(13, 13, 13), 12}, {RGB(103, 103, 103), 100},
                 {RGB(100, 100, 100), 100}, {RGB(255, 0, 0), 250}};
    Canvas source(1, 1);
    Canvas dest(1, 1, RGB(255, 255, 255), 8);
    for (const Case& c : cases) {
        source.Clear(c.colour);
        BitBlt(dest.dc(), 0, 0, 1, 1, source.dc(), 0, 0, SRCCOPY);
        EXPECT_EQ(*static_cast<unsigned char*>(dest.bits()), c.index) << std::hex << c.colour;
    }
}

}  // namespace
