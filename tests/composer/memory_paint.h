// Paints through a function into a white memory picture and answers its pixels (0x00RRGGBB, top row first).
#pragma once

#include <cstdint>
#include <functional>

#include "tests/support/window/ui_fixture.h"

inline Capture PaintInMemory(int width, int height, const std::function<void(CDC*)>& paint)
{
    Capture c;
    c.width = width;
    c.height = height;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    CDC dc;
    dc.Attach(CreateCompatibleDC(nullptr));
    HGDIOBJ old = SelectObject(dc.m_hDC, bitmap);
    dc.FillSolidRect(0, 0, width, height, RGB(255, 255, 255));
    paint(&dc);
    GdiFlush();
    const uint32_t* p = static_cast<const uint32_t*>(bits);
    c.pixels.assign(p, p + (size_t)width * height);
    for (uint32_t& px : c.pixels)
        px &= 0xFFFFFF;
    SelectObject(dc.m_hDC, old);
    DeleteDC(dc.Detach());
    DeleteObject(bitmap);
    return c;
}
