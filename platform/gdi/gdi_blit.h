// The block-transfer engine shared by the blit functions and the DIB functions.
#pragma once

#include "gdi/gdi_objects.h"
#include "gdi/gdi_raster.h"

namespace gdi {

struct BlitSource {
    const Bitmap* bitmap = nullptr;
    COLORREF bkColour = RGB(255, 255, 255);   // the source context's background colour, for colour-to-monochrome
    int x = 0, y = 0, width = 0, height = 0;  // device pixels of the source; negative sizes mirror
};

// Transfers into the destination context's device rectangle (negative sizes mirror) with a ternary raster operation.
void Blit(Dc& dest, int x, int y, int width, int height, const BlitSource* source, DWORD rop, int stretchMode);

// Wraps packed DIB data (header, colour table, rows) as a read-only bitmap; false when the description is invalid.
bool WrapDib(const BITMAPINFO* info, const void* bits, UINT usage, const Dc* dc, Bitmap& out);
// The number of colour-table entries that follow a DIB header.
int DibColourCount(const BITMAPINFOHEADER& h);
// The colour table a new bitmap of a palette depth gets when none is given.
std::vector<RGBQUAD> DefaultPalette(int bpp);

}  // namespace gdi
