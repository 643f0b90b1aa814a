// Every ternary raster operation on one-row surfaces of every pixel format, compared on the raw pixel values:
// 32-bit transfers have fast forms of their own, so the general one is seen only on the other formats.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "gdi/afxgdi.h"
#include "tests/support/bitmap_headers.h"

namespace {

// A one-row DIB section of a bit depth, selected into a memory context. Palettes are grey ramps, so that
// each index's colour is its own and a transfer between two such surfaces keeps the indices it is given.
class Row {
public:
    Row(int bpp, int width) : m_bpp(bpp)
    {
        std::vector<unsigned char> info = InfoFor(bpp, width, -1);
        auto* bi = reinterpret_cast<BITMAPINFO*>(info.data());
        if (bpp <= 8) {
            int top = (1 << bpp) - 1;
            for (int i = 0; i <= top; ++i) {
                BYTE v = (BYTE)(i * 255 / top);
                bi->bmiColors[i] = RGBQUAD{v, v, v, 0};
            }
        }
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDIBSection(m_dc, bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
        m_old = SelectObject(m_dc, m_bitmap);
    }
    ~Row()
    {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    Row(const Row&) = delete;
    Row& operator=(const Row&) = delete;

    HDC dc() const { return m_dc; }
    // The raw value of pixel x: bits from the most significant end of a byte, bytes of wider pixels low first.
    uint32_t Get(int x) const
    {
        if (m_bpp < 8) {
            int bit = x * m_bpp;
            return (m_bits[bit / 8] >> (8 - m_bpp - bit % 8)) & ((1u << m_bpp) - 1);
        }
        uint32_t v = 0;
        for (int b = 0; b < m_bpp / 8; ++b)
            v |= (uint32_t)m_bits[x * m_bpp / 8 + b] << (8 * b);
        return v;
    }
    void Set(int x, uint32_t v)
    {
        if (m_bpp < 8) {
            int bit = x * m_bpp, shift = 8 - m_bpp - bit % 8;
            uint8_t& byte = m_bits[bit / 8];
            byte = (uint8_t)((byte & ~(((1u << m_bpp) - 1) << shift)) | (v << shift));
            return;
        }
        for (int b = 0; b < m_bpp / 8; ++b)
            m_bits[x * m_bpp / 8 + b] = (uint8_t)(v >> (8 * b));
    }

private:
    int m_bpp;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    uint8_t* m_bits = nullptr;
};

// Bit by bit, the code's bit (4p + 2s + d) for each combination of pattern, source and destination bits.
uint32_t TruthTable(uint8_t code, uint32_t p, uint32_t s, uint32_t d)
{
    uint32_t r = 0;
    for (int bit = 0; bit < 32; ++bit) {
        int i = (int)(((p >> bit) & 1) << 2 | ((s >> bit) & 1) << 1 | ((d >> bit) & 1));
        r |= (uint32_t)((code >> i) & 1) << bit;
    }
    return r;
}

// The raw value a raster operation without a source leaves in a pixel of a fresh surface.
uint32_t ValueOf(int bpp, HBRUSH brush, DWORD rop)
{
    Row row(bpp, 1);
    HGDIOBJ old = SelectObject(row.dc(), brush);
    PatBlt(row.dc(), 0, 0, 1, 1, rop);
    SelectObject(row.dc(), old);
    return row.Get(0);
}

TEST(RasterOpsOnEveryFormat, EachCodeCombinesTheRawValues)
{
    const int kWidth = 9;
    const uint32_t kSource[kWidth] = {0x5A3C96E1, 0xFFFFFFFF, 0x00000000, 0x12345678, 0xA5A5A5A5,
                                      0x0F0F0F0F, 0xC3C3C3C3, 0x80000001, 0x7E7E7E7E};
    const uint32_t kDest[kWidth] = {0x33333333, 0xF0F0F0F0, 0xFFFFFFFF, 0x9ABCDEF0, 0x00000000,
                                    0x5A5A5A5A, 0x3C3C3C3C, 0x01010101, 0xE7E7E7E7};
    HBRUSH brushes[2] = {CreateSolidBrush(RGB(0, 0, 0)), CreateSolidBrush(RGB(255, 255, 255))};
    for (int bpp : {1, 4, 8, 16, 24, 32}) {
        // Bits outside the pixel's value (the unused top bit of 16-bit pixels) are left as whiteness leaves them.
        const uint32_t valueBits = ValueOf(bpp, brushes[0], WHITENESS);
        ASSERT_NE(valueBits, 0u) << bpp;
        // Source indices of 8-bit pixels sit in the middle of a step of 8, where colour reduction keeps them.
        auto source = [&](int x) { return bpp == 8 ? (kSource[x] & 0xF8) | 4 : kSource[x] & valueBits; };
        Row src(bpp, kWidth);
        for (int x = 0; x < kWidth; ++x)
            src.Set(x, source(x));
        for (HBRUSH brush : brushes) {
            const uint32_t p = ValueOf(bpp, brush, PATCOPY);
            for (int code = 0; code < 256; ++code) {
                Row dst(bpp, kWidth);
                for (int x = 0; x < kWidth; ++x)
                    dst.Set(x, kDest[x] & valueBits);
                HGDIOBJ old = SelectObject(dst.dc(), brush);
                // Unaligned on both sides: pixels 1..7 of the destination from pixels 2..8 of the source.
                ASSERT_TRUE(BitBlt(dst.dc(), 1, 0, kWidth - 2, 1, src.dc(), 2, 0, (DWORD)code << 16));
                SelectObject(dst.dc(), old);
                for (int x = 0; x < kWidth; ++x) {
                    uint32_t d = kDest[x] & valueBits;
                    uint32_t want =
                        x == 0 || x == kWidth - 1 ? d : TruthTable((uint8_t)code, p, source(x + 1), d) & valueBits;
                    ASSERT_EQ(dst.Get(x), want) << bpp << "-bit, code " << code << ", pattern " << p << ", pixel " << x;
                }
            }
        }
    }
    for (HBRUSH brush : brushes)
        DeleteObject(brush);
}

}  // namespace
