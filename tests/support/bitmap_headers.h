// Bitmap-header builders: BITMAPINFO blocks for the drawing functions and BMP file headers for the codecs.
#pragma once

#include <cstdint>
#include <vector>

#include "tests/support/byte_builders.h"

// A zeroed BITMAPINFO with room for 256 colours, its header set for the size and depth.
std::vector<unsigned char> InfoFor(int bpp, int width, int height);

// BMP file header + 40-byte info header; palette and pixels are appended by the caller.
Bytes InfoFile(int width, int height, int bits, uint32_t compression, uint32_t coloursUsed, uint32_t paletteEntries,
               bool fileHeader = true);
// Palette entries of a BMP file from 0xRRGGBB colours.
void Palette(Bytes& out, const std::vector<uint32_t>& rgb);
