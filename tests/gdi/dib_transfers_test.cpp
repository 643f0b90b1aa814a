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

struct FieldCase {
    int bpp;
    DWORD red, green, blue;
    uint32_t pixel;     // a stored pixel ...
    COLORREF read;      // ... and the colour it reads as
    COLORREF written;   // a colour drawn ...
    uint32_t stored;    // ... and the pixel it is stored as
};

class BitFieldTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(BitFieldTest, MasksPlaceTheChannels)
{
    const FieldCase& c = GetParam();
    std::vector<unsigned char> info = InfoFor(c.bpp, 1, -1);
    auto* bi = reinterpret_cast<BITMAPINFO*>(info.data());
    bi->bmiHeader.biCompression = BI_BITFIELDS;
    DWORD masks[3] = {c.red, c.green, c.blue};
    std::memcpy(bi->bmiColors, masks, sizeof masks);
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, dib);
    auto pixel = [&] {
        uint32_t v = 0;
        std::memcpy(&v, bits, c.bpp / 8);
        return v;
    };
    std::memcpy(bits, &c.pixel, c.bpp / 8);
    EXPECT_EQ(GetPixel(dc, 0, 0), c.read);
    Canvas screen(1, 1, RGB(1, 1, 1));
    BitBlt(screen.dc(), 0, 0, 1, 1, dc, 0, 0, SRCCOPY);
    EXPECT_EQ(screen.At(0, 0), c.read);
    SetPixel(dc, 0, 0, c.written);
    EXPECT_EQ(pixel(), c.stored);
    std::memset(bits, 0, 4);
    screen.Clear(c.written);
    BitBlt(dc, 0, 0, 1, 1, screen.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(pixel(), c.stored);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(dib);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, BitFieldTest,
    ::testing::Values(FieldCase{16, 0x0F00, 0x00F0, 0x000F, 0x0F5A, RGB(0xFF, 0x55, 0xAA), RGB(0x12, 0x34, 0x56), 0x0135},
                      FieldCase{32, 0x0000FF, 0x00FF00, 0xFF0000, 0x00332211, RGB(0x11, 0x22, 0x33), RGB(1, 2, 3),
                                0x00030201},
                      FieldCase{32, 0x3FF00000, 0x000FFC00, 0x000003FF, 0x3FF80001, RGB(255, 128, 0),
                                RGB(0x80, 0x40, 0xFF), 0x202407FF}));

}  // namespace
