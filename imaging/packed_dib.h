// CPackedDib: a bitmap resource held as one packed block with its palette, painted by rectangles.
#pragma once

#include "imaging/packed_dib_functions.h"

class CPackedDib {
public:
    CPackedDib() = default;
    CPackedDib(const CPackedDib&) = delete;
    CPackedDib& operator=(const CPackedDib&) = delete;
    ~CPackedDib();

    bool LoadFromResource(UINT id, HMODULE module = nullptr);
    void Init();
    void PaintRect(HDC dc, int x, int y, int sourceX, int sourceY, int width, int height);
    bool RealizePalette();
    CPalette* GetPalette() const { return palette; }
    SIZE GetSize() const { return size; }
    const BYTE* GetDib() const { return dib; }

private:
    BYTE* dib = nullptr;
    CPalette* palette = nullptr;
    SIZE size = {1, 1};
    int paletteRealised = 0;
};
