// The test canvas.
#include "tests/support/canvas.h"

#include <vector>

#include "tests/support/bitmap_headers.h"

Canvas::Canvas(int width, int height, COLORREF fill, int bpp) : m_width(width), m_height(height)
{
    std::vector<unsigned char> info = InfoFor(bpp, width, -height);
    auto* bi = reinterpret_cast<BITMAPINFO*>(info.data());
    if (bpp == 8) {
        // A grey ramp with pure primaries at the end, so that test colours map exactly.
        for (int i = 0; i < 250; ++i)
            bi->bmiColors[i] = RGBQUAD{(BYTE)i, (BYTE)i, (BYTE)i, 0};
        bi->bmiColors[250] = RGBQUAD{0, 0, 255, 0};
        bi->bmiColors[251] = RGBQUAD{0, 255, 0, 0};
        bi->bmiColors[252] = RGBQUAD{255, 0, 0, 0};
        bi->bmiColors[255] = RGBQUAD{255, 255, 255, 0};
    }
    m_dc = CreateCompatibleDC(nullptr);
    m_bitmap = CreateDIBSection(m_dc, bi, DIB_RGB_COLORS, &m_bits, nullptr, 0);
    m_old = SelectObject(m_dc, m_bitmap);
    Clear(fill);
}

Canvas::~Canvas()
{
    SelectObject(m_dc, m_old);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
}

void Canvas::Clear(COLORREF fill)
{
    HBRUSH brush = CreateSolidBrush(fill);
    RECT r{0, 0, m_width, m_height};
    FillRect(m_dc, &r, brush);
    DeleteObject(brush);
}

std::string Canvas::Picture(COLORREF ink) const
{
    std::string out;
    for (int y = 0; y < m_height; ++y) {
        if (y)
            out += '|';
        for (int x = 0; x < m_width; ++x)
            out += At(x, y) == ink ? '#' : '.';
    }
    return out;
}

int Canvas::Count(COLORREF ink) const
{
    int n = 0;
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            n += At(x, y) == ink;
    return n;
}
