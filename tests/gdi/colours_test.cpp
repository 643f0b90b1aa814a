// Colour references: palette and colour-table indexes, and the two-colour rule of 1-bit DIBs.
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/bitmap_headers.h"
#include "tests/support/canvas.h"

namespace {

TEST(Colours, PaletteIndexSelectsThroughTheContextPalette)
{
    Canvas canvas(2, 1);
    // The default palette's entry 13 is red.
    SetPixel(canvas.dc(), 0, 0, PALETTEINDEX(13));
    EXPECT_EQ(canvas.At(0, 0), RGB(255, 0, 0));
    struct {
        WORD version = 0x300, count = 2;
        PALETTEENTRY entries[2] = {{1, 2, 3, 0}, {40, 50, 60, 0}};
    } log;
    HPALETTE palette = CreatePalette(reinterpret_cast<LOGPALETTE*>(&log));
    HGDIOBJ old = SelectPalette(canvas.dc(), palette, FALSE);
    HBRUSH brush = CreateSolidBrush(PALETTEINDEX(1));
    RECT r{1, 0, 2, 1};
    FillRect(canvas.dc(), &r, brush);
    EXPECT_EQ(canvas.At(1, 0), RGB(40, 50, 60));
    SelectPalette(canvas.dc(), (HPALETTE)old, FALSE);
    DeleteObject(brush);
    DeleteObject(palette);
}

TEST(Colours, IndexesIntoAnEightBitDib)
{
    struct Case {
        COLORREF colour;
        int index;
    } cases[] = {{DIBINDEX(100), 100}, {DIBINDEX(7), 7}, {PALETTEINDEX(13), 250}, {RGB(0, 0, 255), 252}};
    Canvas canvas(1, 1, RGB(255, 255, 255), 8);
    auto* byte = static_cast<unsigned char*>(canvas.bits());
    for (const Case& c : cases) {
        SetPixel(canvas.dc(), 0, 0, c.colour);
        EXPECT_EQ(*byte, c.index) << std::hex << c.colour;
        HPEN pen = CreatePen(PS_SOLID, 1, c.colour);
        HGDIOBJ old = SelectObject(canvas.dc(), pen);
        *byte = 0;
        MoveToEx(canvas.dc(), 0, 0, nullptr);
        LineTo(canvas.dc(), 1, 0);
        EXPECT_EQ(*byte, c.index) << std::hex << c.colour;
        SelectObject(canvas.dc(), old);
        DeleteObject(pen);
    }
}

// A 1-bit top-down DIB section, black and white, in its own context.
struct MonoDib {
    MonoDib()
    {
        std::vector<unsigned char> info = InfoFor(1, 8, -1);
        auto* bi = reinterpret_cast<BITMAPINFO*>(info.data());
        bi->bmiColors[0] = RGBQUAD{0, 0, 0, 0};
        bi->bmiColors[1] = RGBQUAD{255, 255, 255, 0};
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        old = SelectObject(dc, bitmap);
    }
    ~MonoDib()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    int Index() const { return *static_cast<unsigned char*>(bits) >> 7; }
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
    void* bits = nullptr;
};

TEST(Colours, OneBitDibTakesTheBackgroundIndexOrTheOther)
{
    struct Case {
        COLORREF colour, background;
        int index;
    } cases[] = {
        {RGB(0, 0, 0), RGB(0, 0, 0), 0},
        {RGB(255, 255, 255), RGB(0, 0, 0), 1},
        {RGB(200, 200, 200), RGB(255, 255, 255), 0},
        {RGB(50, 50, 50), RGB(0, 0, 0), 1},
        {RGB(50, 50, 50), RGB(50, 50, 50), 0},
        {RGB(200, 200, 200), RGB(200, 200, 200), 1},
    };
    MonoDib dib;
    for (const Case& c : cases) {
        SetBkColor(dib.dc, c.background);
        HBRUSH brush = CreateSolidBrush(c.colour);
        RECT r{0, 0, 1, 1};
        FillRect(dib.dc, &r, brush);
        EXPECT_EQ(dib.Index(), c.index) << std::hex << c.colour << " on " << c.background;
        DeleteObject(brush);
        HPEN pen = CreatePen(PS_SOLID, 1, c.colour);
        HGDIOBJ old = SelectObject(dib.dc, pen);
        PatBlt(dib.dc, 0, 0, 1, 1, c.index ? BLACKNESS : WHITENESS);
        MoveToEx(dib.dc, 0, 0, nullptr);
        LineTo(dib.dc, 1, 0);
        EXPECT_EQ(dib.Index(), c.index) << std::hex << c.colour << " on " << c.background;
        SelectObject(dib.dc, old);
        DeleteObject(pen);
    }
}

}  // namespace
