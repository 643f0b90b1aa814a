// Bitmap-header builders.
#include "tests/support/bitmap_headers.h"

#include "gdi/afxgdi.h"

std::vector<unsigned char> InfoFor(int bpp, int width, int height)
{
    std::vector<unsigned char> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
    auto* bi = reinterpret_cast<BITMAPINFO*>(info.data());
    bi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi->bmiHeader.biWidth = width;
    bi->bmiHeader.biHeight = height;
    bi->bmiHeader.biPlanes = 1;
    bi->bmiHeader.biBitCount = (WORD)bpp;
    return info;
}

Bytes InfoFile(int width, int height, int bits, uint32_t compression, uint32_t coloursUsed, uint32_t paletteEntries,
               bool fileHeader)
{
    Bytes out;
    if (fileHeader) {
        Append(out, "BM");
        Put32(out, 0);
        Put32(out, 0);
        Put32(out, 14 + 40 + 4 * paletteEntries);
    }
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, bits);
    Put32(out, compression);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, coloursUsed);
    Put32(out, 0);
    return out;
}

void Palette(Bytes& out, const std::vector<uint32_t>& rgb)
{
    for (uint32_t c : rgb)
        Append(out, {int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF), 0});  // blue, green, red, 0
}
