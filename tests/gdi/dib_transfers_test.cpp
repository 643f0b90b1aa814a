// Transfers into and out of DIBs: palette indexes, bit-field layouts and StretchDIBits placement.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/support/bitmap_headers.h"
#include "tests/support/canvas.h"

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
    } cases[] = {{RGB(0, 0, 0), 4},
                 {RGB(13, 13, 13), 12},
                 {RGB(103, 103, 103), 100},
                 {RGB(100, 100, 100), 100},
                 {RGB(255, 0, 0), 250}};
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
    uint32_t pixel;    // a stored pixel ...
    COLORREF read;     // ... and the colour it reads as
    COLORREF written;  // a colour drawn ...
    uint32_t stored;   // ... and the pixel it is stored as
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
    DIBSECTION section{};
    ASSERT_EQ(GetObject(dib, sizeof section, &section), (int)sizeof section);
    EXPECT_EQ(section.dsBitfields[0], c.red);
    EXPECT_EQ(section.dsBitfields[2], c.blue);
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

INSTANTIATE_TEST_SUITE_P(Layouts, BitFieldTest,
                         ::testing::Values(FieldCase{16, 0x0F00, 0x00F0, 0x000F, 0x0F5A, RGB(0xFF, 0x55, 0xAA),
                                                     RGB(0x12, 0x34, 0x56), 0x0135},
                                           FieldCase{32, 0x0000FF, 0x00FF00, 0xFF0000, 0x00332211,
                                                     RGB(0x11, 0x22, 0x33), RGB(1, 2, 3), 0x00030201},
                                           FieldCase{32, 0x3FF00000, 0x000FFC00, 0x000003FF, 0x3FF80001,
                                                     RGB(255, 128, 0), RGB(0x80, 0x40, 0xFF), 0x202407FF}));

// A 2 x 3 32-bit picture, top row A B, middle C D, bottom E F, stored top-down or bottom-up.
const COLORREF kLetters[6] = {RGB(10, 0, 0), RGB(20, 0, 0), RGB(30, 0, 0), RGB(40, 0, 0), RGB(50, 0, 0), RGB(60, 0, 0)};

std::string Letters(const Canvas& canvas)
{
    std::string out;
    for (int y = 0; y < canvas.height(); ++y) {
        if (y)
            out += '|';
        for (int x = 0; x < canvas.width(); ++x) {
            char c = '.';
            for (int i = 0; i < 6; ++i)
                if (canvas.At(x, y) == kLetters[i])
                    c = (char)('A' + i);
            out += c;
        }
    }
    return out;
}

struct PlacementCase {
    bool topDown;
    int x, y, w, h, sx, sy, sw, sh;
    const char* picture;
};

class StretchDibPlacementTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(StretchDibPlacementTest, PlacesAndFlips)
{
    const PlacementCase& c = GetParam();
    std::vector<unsigned char> info = InfoFor(32, 2, c.topDown ? -3 : 3);
    uint32_t pixels[6];
    for (int row = 0; row < 3; ++row)
        for (int x = 0; x < 2; ++x) {
            COLORREF colour = kLetters[row * 2 + x];
            pixels[(c.topDown ? row : 2 - row) * 2 + x] = GetRValue(colour) << 16;
        }
    Canvas canvas(3, 3);
    SetStretchBltMode(canvas.dc(), COLORONCOLOR);
    StretchDIBits(canvas.dc(), c.x, c.y, c.w, c.h, c.sx, c.sy, c.sw, c.sh, pixels,
                  reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS, SRCCOPY);
    EXPECT_EQ(Letters(canvas), c.picture);
}

INSTANTIATE_TEST_SUITE_P(Rectangles, StretchDibPlacementTest,
                         ::testing::Values(PlacementCase{false, 0, 0, 1, 1, 0, 0, 1, 1, "E..|...|..."},
                                           PlacementCase{true, 0, 0, 1, 1, 0, 0, 1, 1, "E..|...|..."},
                                           PlacementCase{true, 0, 0, 2, 2, 0, 1, 2, 2, "AB.|CD.|..."},
                                           PlacementCase{true, 1, 1, 2, 1, 0, 1, 2, 1, "...|.CD|..."},
                                           PlacementCase{false, 2, 0, -2, 1, 0, 2, 2, 1, ".BA|...|..."},
                                           PlacementCase{true, 0, 0, 2, 1, 1, 2, -2, 1, "BA.|...|..."},
                                           PlacementCase{false, 0, 2, 1, -2, 0, 0, 1, 2, "...|E..|C.."},
                                           PlacementCase{true, 0, 0, 1, 2, 0, 1, 1, -2, "E..|C..|..."},
                                           PlacementCase{false, 1, 1, -2, -2, 1, 2, -2, -2, "AB.|CD.|..."}));

TEST(DibTransfers, StretchDibitsExpandsRunLengthData)
{
    std::vector<unsigned char> info = InfoFor(8, 3, 2);
    auto* bi = reinterpret_cast<BITMAPINFO*>(info.data());
    bi->bmiHeader.biCompression = BI_RLE8;
    bi->bmiColors[1] = RGBQUAD{0, 0, 255, 0};
    bi->bmiColors[2] = RGBQUAD{0, 255, 0, 0};
    bi->bmiColors[3] = RGBQUAD{255, 0, 0, 0};
    // Bottom row: a run of three 1s; top row: an absolute run 2 3 2, padded; then the picture's end.
    const unsigned char data[] = {3, 1, 0, 0, 0, 3, 2, 3, 2, 0, 0, 0, 0, 1};
    bi->bmiHeader.biSizeImage = sizeof data;
    Canvas canvas(3, 2);
    EXPECT_EQ(StretchDIBits(canvas.dc(), 0, 0, 3, 2, 0, 0, 3, 2, data, bi, DIB_RGB_COLORS, SRCCOPY), 2);
    EXPECT_EQ(canvas.Picture(RGB(255, 0, 0)), "...|###");
    EXPECT_EQ(canvas.Picture(RGB(0, 255, 0)), "#.#|...");
    EXPECT_EQ(canvas.Picture(RGB(0, 0, 255)), ".#.|...");
}

}  // namespace
