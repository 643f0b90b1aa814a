// Canvas: a small DIB section selected into a memory context, with pixel pictures for comparing drawings.
#pragma once

#include <string>
#include "gdi/afxgdi.h"

class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = RGB(255, 255, 255), int bpp = 32);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return m_dc; }
    HBITMAP bitmap() const { return m_bitmap; }
    void* bits() const { return m_bits; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    COLORREF At(int x, int y) const { return GetPixel(m_dc, x, y); }
    void Clear(COLORREF fill);
    // Rows of the picture, '#' where the pixel has the colour and '.' elsewhere, rows joined by '|'.
    std::string Picture(COLORREF ink) const;
    // Number of pixels of the colour.
    int Count(COLORREF ink) const;

private:
    int m_width;
    int m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    void* m_bits = nullptr;
};
