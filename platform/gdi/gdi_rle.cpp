// Expansion of BI_RLE8 pictures: runs, absolute runs, line ends, deltas and the picture end.
#include "gdi/gdi_rle.h"

#include <cstring>

namespace gdi {

bool ExpandRle8(const BITMAPINFO* info, const void* bits, UINT usage, ExpandedDib& out)
{
    if (!info || !bits)
        return false;
    BITMAPINFOHEADER h;
    std::memcpy(&h, info, sizeof h);
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biCompression != BI_RLE8 || h.biBitCount != 8 || h.biWidth <= 0 ||
        h.biHeight <= 0)
        return false;
    int64_t stride = ((int64_t)h.biWidth + 3) & ~int64_t(3);
    if (stride * h.biHeight > (int64_t)1 << 30)
        return false;
    int colours = h.biClrUsed && h.biClrUsed < 256 ? (int)h.biClrUsed : 256;
    size_t table = (size_t)colours * (usage == DIB_PAL_COLORS ? 2 : sizeof(RGBQUAD));
    size_t size = h.biSizeImage, at = 0;
    out.info.assign(sizeof h + table, 0);
    std::memcpy(out.info.data() + sizeof h, reinterpret_cast<const uint8_t*>(info) + h.biSize, table);
    h.biSize = sizeof h;
    h.biCompression = BI_RGB;
    h.biSizeImage = 0;
    std::memcpy(out.info.data(), &h, sizeof h);
    out.bits.assign((size_t)(stride * h.biHeight), 0);

    const uint8_t* in = static_cast<const uint8_t*>(bits);
    int64_t x = 0, y = 0;  // y counts rows from the bottom, as they are stored
    auto put = [&](uint8_t index) {
        if (x < h.biWidth && y < h.biHeight)
            out.bits[(size_t)(y * stride + x)] = index;
        ++x;
    };
    while (at + 2 <= size && y < h.biHeight) {
        uint8_t count = in[at], value = in[at + 1];
        at += 2;
        if (count) {
            for (int i = 0; i < count; ++i)
                put(value);
        } else if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            if (at + 2 > size)
                break;
            x += in[at];
            y += in[at + 1];
            at += 2;
        } else {
            if (at + value > size)
                break;
            for (int i = 0; i < value; ++i)
                put(in[at + i]);
            at += value + (value & 1);  // absolute runs are padded to a word
        }
    }
    return true;
}

}  // namespace gdi
