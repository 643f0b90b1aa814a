// Colour and monochrome transfers, stretching, and DIB reads and writes at every depth.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "kernel/resources.h"
#include "tests/support/bitmap_headers.h"
#include "tests/support/canvas.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

TEST(Blits, ColourToMonochromeThroughTheSourceBackground)
{
    Canvas colour(3, 1);
    SetPixel(colour.dc(), 0, 0, kRed);
    SetPixel(colour.dc(), 1, 0, RGB(0, 255, 0));
    SetPixel(colour.dc(), 2, 0, kRed);
    HDC monoDc = CreateCompatibleDC(colour.dc());
    HBITMAP mono = CreateBitmap(3, 1, 1, 1, nullptr);
    HGDIOBJ old = SelectObject(monoDc, mono);
    SetBkColor(colour.dc(), kRed);
    BitBlt(monoDc, 0, 0, 3, 1, colour.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(monoDc, 0, 0), kWhite);
    EXPECT_EQ(GetPixel(monoDc, 1, 0), kBlack);
    EXPECT_EQ(GetPixel(monoDc, 2, 0), kWhite);
    // Back to colour: 0 bits take the destination's text colour, 1 bits its background colour.
    Canvas dest(3, 1);
    SetTextColor(dest.dc(), kBlue);
    SetBkColor(dest.dc(), RGB(255, 255, 0));
    BitBlt(dest.dc(), 0, 0, 3, 1, monoDc, 0, 0, SRCCOPY);
    EXPECT_EQ(dest.At(0, 0), RGB(255, 255, 0));
    EXPECT_EQ(dest.At(1, 0), kBlue);
    SelectObject(monoDc, old);
    DeleteObject(mono);
    DeleteDC(monoDc);
}

TEST(Blits, TransparentDrawingWithAMask)
{
    // The mask-and-OR way of drawing a picture with a key colour.
    Canvas picture(2, 1);
    SetPixel(picture.dc(), 0, 0, kWhite);  // key colour
    SetPixel(picture.dc(), 1, 0, kRed);
    HDC maskDc = CreateCompatibleDC(nullptr);
    HBITMAP mask = CreateBitmap(2, 1, 1, 1, nullptr);
    HGDIOBJ oldMask = SelectObject(maskDc, mask);
    SetBkColor(picture.dc(), kWhite);
    BitBlt(maskDc, 0, 0, 2, 1, picture.dc(), 0, 0, SRCCOPY);
    SetTextColor(picture.dc(), kWhite);
    SetBkColor(picture.dc(), kBlack);
    BitBlt(picture.dc(), 0, 0, 2, 1, maskDc, 0, 0, SRCAND);
    Canvas dest(4, 2, kBlue);
    SetTextColor(dest.dc(), kBlack);
    SetBkColor(dest.dc(), kWhite);
    SetStretchBltMode(dest.dc(), COLORONCOLOR);
    StretchBlt(dest.dc(), 0, 0, 4, 2, maskDc, 0, 0, 2, 1, SRCAND);
    StretchBlt(dest.dc(), 0, 0, 4, 2, picture.dc(), 0, 0, 2, 1, SRCPAINT);
    EXPECT_EQ(dest.Picture(kBlue), "##..|##..");
    EXPECT_EQ(dest.Picture(kRed), "..##|..##");
    SelectObject(maskDc, oldMask);
    DeleteObject(mask);
    DeleteDC(maskDc);
}

TEST(Blits, StretchModes)
{
    Canvas source(4, 1);
    SetPixel(source.dc(), 1, 0, kBlack);
    SetPixel(source.dc(), 3, 0, kBlack);
    struct Case {
        int mode;
        COLORREF expected;
    } cases[] = {
        {BLACKONWHITE, kBlack}, {WHITEONBLACK, kWhite}, {COLORONCOLOR, kWhite}, {HALFTONE, RGB(128, 128, 128)}};
    for (const Case& c : cases) {
        Canvas dest(2, 1, kBlue);
        SetStretchBltMode(dest.dc(), c.mode);
        StretchBlt(dest.dc(), 0, 0, 2, 1, source.dc(), 0, 0, 4, 1, SRCCOPY);
        EXPECT_EQ(dest.At(0, 0), c.expected) << c.mode;
        EXPECT_EQ(dest.At(1, 0), c.expected) << c.mode;
    }
}

TEST(Blits, StretchEnlargesAndMirrors)
{
    Canvas source(2, 2);
    SetPixel(source.dc(), 0, 0, kRed);
    SetPixel(source.dc(), 1, 1, kBlue);
    Canvas dest(4, 4);
    SetStretchBltMode(dest.dc(), COLORONCOLOR);
    StretchBlt(dest.dc(), 0, 0, 4, 4, source.dc(), 0, 0, 2, 2, SRCCOPY);
    EXPECT_EQ(dest.Picture(kRed), "##..|##..|....|....");
    EXPECT_EQ(dest.Picture(kBlue), "....|....|..##|..##");
    StretchBlt(dest.dc(), 4, 0, -4, 4, source.dc(), 0, 0, 2, 2, SRCCOPY);
    EXPECT_EQ(dest.Picture(kRed), "..##|..##|....|....");
}

TEST(Blits, OverlappingCopyWithinOneSurface)
{
    Canvas canvas(4, 1);
    SetPixel(canvas.dc(), 0, 0, kRed);
    SetPixel(canvas.dc(), 1, 0, kBlue);
    BitBlt(canvas.dc(), 1, 0, 3, 1, canvas.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(canvas.Picture(kRed), "##..");
    EXPECT_EQ(canvas.Picture(kBlue), "..#.");
}

class DibRoundTrip : public ::testing::TestWithParam<int> {};

TEST_P(DibRoundTrip, GetThenSetGivesThePixelsBack)
{
    int bpp = GetParam();
    const COLORREF colours[] = {kBlack, kWhite, kRed, kBlue, RGB(0, 255, 0), kWhite, kBlack};
    int count = bpp == 1 ? 2 : 5;
    Canvas screen(1, 1);
    HBITMAP device = CreateCompatibleBitmap(screen.dc(), 7, 3);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, device);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x)
            SetPixel(dc, x, y, colours[(x + y) % count]);
    SelectObject(dc, old);
    std::vector<unsigned char> info = InfoFor(bpp, 7, 3);
    auto* bi = reinterpret_cast<BITMAPINFO*>(info.data());
    int stride = ((7 * bpp + 31) / 32) * 4;
    std::vector<unsigned char> bits(stride * 3);
    ASSERT_EQ(GetDIBits(dc, device, 0, 3, bits.data(), bi, DIB_RGB_COLORS), 3);
    EXPECT_EQ(bi->bmiHeader.biSizeImage, (DWORD)(stride * 3));
    HBITMAP copy = CreateCompatibleBitmap(screen.dc(), 7, 3);
    ASSERT_EQ(SetDIBits(dc, copy, 0, 3, bits.data(), bi, DIB_RGB_COLORS), 3);
    old = SelectObject(dc, copy);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(GetPixel(dc, x, y), colours[(x + y) % count]) << x << "," << y;
    SelectObject(dc, old);
    DeleteObject(device);
    DeleteObject(copy);
    DeleteDC(dc);
}

INSTANTIATE_TEST_SUITE_P(Depths, DibRoundTrip, ::testing::Values(1, 4, 8, 16, 24, 32));

TEST(Dibs, BottomUpRowsAndByteOrder)
{
    // A 2 x 2 24-bit DIB stored bottom row first: bottom red, green; top blue, white.
    std::vector<unsigned char> info = InfoFor(24, 2, 2);
    unsigned char bits[16] = {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0};
    Canvas canvas(2, 2, kBlack);
    ASSERT_EQ(StretchDIBits(canvas.dc(), 0, 0, 2, 2, 0, 0, 2, 2, bits, reinterpret_cast<BITMAPINFO*>(info.data()),
                            DIB_RGB_COLORS, SRCCOPY),
              2);
    EXPECT_EQ(canvas.At(0, 0), kBlue);
    EXPECT_EQ(canvas.At(1, 0), kWhite);
    EXPECT_EQ(canvas.At(0, 1), kRed);
    EXPECT_EQ(canvas.At(1, 1), RGB(0, 255, 0));
    // The source rectangle counts rows from the bottom: (0, 1) is the top row.
    canvas.Clear(kBlack);
    StretchDIBits(canvas.dc(), 0, 0, 1, 1, 0, 1, 1, 1, bits, reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS,
                  SRCCOPY);
    EXPECT_EQ(canvas.At(0, 0), kBlue);
    canvas.Clear(kBlack);
    SetDIBitsToDevice(canvas.dc(), 0, 0, 2, 2, 0, 0, 0, 2, bits, reinterpret_cast<BITMAPINFO*>(info.data()),
                      DIB_RGB_COLORS);
    EXPECT_EQ(canvas.At(0, 1), kRed);
    EXPECT_EQ(canvas.At(1, 0), kWhite);
}

TEST(Dibs, PaletteDibSectionDrawsThroughItsColourTable)
{
    Canvas canvas(4, 2, kWhite, 8);
    auto* bytes = static_cast<unsigned char*>(canvas.bits());
    EXPECT_EQ(bytes[0], 255);  // white is entry 255 of the test palette
    SetPixel(canvas.dc(), 1, 0, kRed);
    EXPECT_EQ(bytes[1], 250);
    EXPECT_EQ(canvas.At(1, 0), kRed);
    EXPECT_EQ(GetNearestColor(canvas.dc(), RGB(250, 10, 10)), kRed);
    BITMAP bm;
    ASSERT_EQ(GetObject(canvas.bitmap(), sizeof bm, &bm), (int)sizeof bm);
    EXPECT_EQ(bm.bmBitsPixel, 8);
    EXPECT_EQ(bm.bmWidthBytes, 4);
    EXPECT_EQ(bm.bmBits, canvas.bits());
}

TEST(Dibs, SixteenBitFieldsOfFiveSixFive)
{
    std::vector<unsigned char> info = InfoFor(16, 2, -1);
    auto* bi = reinterpret_cast<BITMAPINFO*>(info.data());
    bi->bmiHeader.biCompression = BI_BITFIELDS;
    DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
    std::memcpy(bi->bmiColors, masks, sizeof masks);
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, dib);
    SetPixel(dc, 0, 0, RGB(0, 255, 0));
    SetPixel(dc, 1, 0, RGB(255, 0, 0));
    const auto* px = static_cast<const uint16_t*>(bits);
    EXPECT_EQ(px[0], 0x07E0);
    EXPECT_EQ(px[1], 0xF800);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 255, 0));
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(dib);
}

TEST(Dibs, LoadBitmapReadsABitmapResource)
{
    // A 2 x 1 4-bit BMP file: file header, info header, 16 colours, one row (red, blue).
    static unsigned char file[14 + 40 + 64 + 4] = {'B', 'M'};
    BITMAPINFOHEADER h{};
    h.biSize = 40;
    h.biWidth = 2;
    h.biHeight = 1;
    h.biPlanes = 1;
    h.biBitCount = 4;
    std::memcpy(file + 14, &h, sizeof h);
    const RGBQUAD red{0, 0, 255, 0}, blue{255, 0, 0, 0};
    std::memcpy(file + 54 + 4, &red, 4);
    std::memcpy(file + 54 + 8, &blue, 4);
    file[118] = 0x12;
    static const EmbeddedResource table[] = {{"BITMAP", "901", file, sizeof file}};
    RegisterResourceTable(table, 1);
    HBITMAP bitmap = LoadBitmap(nullptr, MAKEINTRESOURCE(901));
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(LoadBitmap(nullptr, MAKEINTRESOURCE(902)), nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    EXPECT_EQ(GetPixel(dc, 0, 0), kRed);
    EXPECT_EQ(GetPixel(dc, 1, 0), kBlue);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
}

TEST(Dibs, BitmapBitsAreWordAlignedRows)
{
    unsigned char in[4] = {0x80, 0x00, 0x40, 0x00};
    HBITMAP mono = CreateBitmap(3, 2, 1, 1, in);
    unsigned char out[4] = {};
    EXPECT_EQ(GetBitmapBits(mono, 4, out), 4);
    EXPECT_EQ(std::memcmp(in, out, 4), 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, mono);
    EXPECT_EQ(GetPixel(dc, 0, 0), kWhite);
    EXPECT_EQ(GetPixel(dc, 1, 1), kWhite);
    EXPECT_EQ(GetPixel(dc, 1, 0), kBlack);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(mono);
}

}  // namespace
