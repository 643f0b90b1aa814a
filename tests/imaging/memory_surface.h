// A 32-bit memory drawing surface for the imaging tests.
#pragma once

#include "gdi/afxgdi.h"

class MemorySurface {
public:
    MemorySurface(int width, int height, COLORREF fill) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        dc = ::CreateCompatibleDC(nullptr);
        previous = ::SelectObject(dc, bitmap);
        RECT all = {0, 0, width, height};
        HBRUSH brush = ::CreateSolidBrush(fill);
        ::FillRect(dc, &all, brush);
        ::DeleteObject(brush);
    }
    MemorySurface(const MemorySurface&) = delete;
    MemorySurface& operator=(const MemorySurface&) = delete;
    ~MemorySurface() {
        ::SelectObject(dc, previous);
        ::DeleteDC(dc);
        ::DeleteObject(bitmap);
    }
    COLORREF At(int x, int y) const { return ::GetPixel(dc, x, y); }

    HDC dc;

private:
    HBITMAP bitmap;
    HGDIOBJ previous;
};
