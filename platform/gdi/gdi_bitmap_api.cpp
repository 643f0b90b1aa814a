// Bitmap functions: device and monochrome bitmaps, DIB sections, and the DIB read and write calls.
#include <algorithm>
#include <cstring>

#include "gdi/gdi_blit.h"
#include "gdi/wingdi.h"

using namespace gdi;

static bool operator==(const RGBQUAD& a, const RGBQUAD& b)
{
    return a.rgbRed == b.rgbRed && a.rgbGreen == b.rgbGreen && a.rgbBlue == b.rgbBlue;
}

namespace {

std::shared_ptr<Bitmap> MakeDevice(int width, int height, int bpp)
{
    auto b = MakeBitmap(width, height, bpp, true);
    if (!b)
        return nullptr;
    if (bpp == 1)
        b->mono = true;
    if (bpp <= 8)
        b->palette = DefaultPalette(bpp);
    return b;
}

// Rows of device bitmaps are exchanged word-aligned, top row first.
int WordStride(const Bitmap& b) { return ((b.width * b.bpp + 15) / 16) * 2; }

bool IsCompatibleMono(const Dc& dc) { return !dc.screen && dc.Surface() && dc.Surface()->mono; }

// Copies picture rows of one bitmap into another of the same size, converting colours.
void ConvertRows(const Bitmap& src, Bitmap& dst, int firstRow, int rows)
{
    std::vector<uint32_t> line(src.width);
    bool sameFormat = src.bpp == dst.bpp && src.masks == dst.masks && (src.bpp > 8 || src.palette == dst.palette);
    for (int y = firstRow; y < firstRow + rows; ++y) {
        if (sameFormat) {
            std::memcpy(dst.Row(y), src.Row(y), std::min(src.stride, dst.stride));
            continue;
        }
        src.ReadRow(y, 0, src.width, line.data());
        for (int x = 0; x < src.width; ++x)
            line[x] = dst.ToValue(src.ToColor(line[x]));
        dst.WriteRow(y, 0, std::min(src.width, dst.width), line.data());
    }
}

}  // namespace

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitCount, const void* bits)
{
    if (width < 0 || height < 0 || planes != 1)
        return nullptr;
    if (width == 0 || height == 0) {
        width = height = 1;
        bitCount = 1;
    }
    int bpp = bitCount <= 1    ? 1
              : bitCount <= 4  ? 4
              : bitCount <= 8  ? 8
              : bitCount <= 16 ? 16
              : bitCount <= 24 ? 24
                               : 32;
    auto b = MakeDevice(width, height, bpp);
    if (!b)
        return nullptr;
    if (bits) {
        int ws = WordStride(*b);
        for (int y = 0; y < height; ++y)
            std::memcpy(b->Row(y), static_cast<const uint8_t*>(bits) + (size_t)y * ws, ws);
    }
    return (HBITMAP)Register(b);
}

HBITMAP CreateBitmapIndirect(const BITMAP* bitmap)
{
    if (!bitmap)
        return nullptr;
    return CreateBitmap(bitmap->bmWidth, bitmap->bmHeight, bitmap->bmPlanes, bitmap->bmBitsPixel, bitmap->bmBits);
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height)
{
    auto dc = LookupDc(hdc);
    if (!dc || width < 0 || height < 0)
        return nullptr;
    if (width == 0 || height == 0)
        return CreateBitmap(1, 1, 1, 1, nullptr);
    auto b = MakeDevice(width, height, IsCompatibleMono(*dc) ? 1 : 32);
    return b ? (HBITMAP)Register(b) : nullptr;
}

HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset)
{
    if (bits)
        *bits = nullptr;
    auto dc = hdc ? LookupDc(hdc) : nullptr;
    Bitmap layout;
    static const uint8_t probe = 0;
    if (!WrapDib(info, &probe, usage, dc.get(), layout))
        return nullptr;
    auto b = MakeBitmap(layout.width, layout.height, layout.bpp, layout.topDown);
    if (!b)
        return nullptr;
    b->dib = true;
    b->masks = layout.masks;
    b->palette = layout.palette;
    std::memcpy(&b->header, info, sizeof b->header);
    b->header.biSize = sizeof(BITMAPINFOHEADER);
    b->header.biSizeImage = (DWORD)(b->stride * b->height);
    if (bits)
        *bits = b->bits;
    return (HBITMAP)Register(b);
}

HBITMAP CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* header, DWORD init, const void* bits, const BITMAPINFO* info,
                       UINT usage)
{
    if (!header)
        return nullptr;
    BITMAPINFOHEADER h;
    std::memcpy(&h, header, sizeof h);
    int width = h.biWidth, height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    auto dc = LookupDc(hdc);
    bool mono = dc ? IsCompatibleMono(*dc) : false;
    HBITMAP result = nullptr;
    if (!dc)
        result = CreateBitmap(width, height, 1, h.biBitCount == 1 ? 1 : 32, nullptr);
    else
        result = mono ? CreateBitmap(width, height, 1, 1, nullptr) : CreateCompatibleBitmap(hdc, width, height);
    if (result && (init & CBM_INIT) && bits && info)
        SetDIBits(hdc, result, 0, (UINT)height, bits, info, usage);
    return result;
}

LONG GetBitmapBits(HBITMAP bitmap, LONG count, LPVOID bits)
{
    auto b = LookupAs<Bitmap>(bitmap, OBJ_BITMAP);
    if (!b)
        return 0;
    int ws = WordStride(*b);
    LONG total = (LONG)ws * b->height;
    if (!bits)
        return total;
    count = std::min(count, total);
    uint8_t* out = static_cast<uint8_t*>(bits);
    for (LONG done = 0, y = 0; done < count; ++y) {
        LONG n = std::min<LONG>(ws, count - done);
        std::memcpy(out + done, b->Row(y), n);
        done += n;
    }
    return count;
}

LONG SetBitmapBits(HBITMAP bitmap, DWORD count, const void* bits)
{
    auto b = LookupAs<Bitmap>(bitmap, OBJ_BITMAP);
    if (!b || !bits)
        return 0;
    int ws = WordStride(*b);
    LONG total = std::min<LONG>((LONG)count, (LONG)ws * b->height);
    const uint8_t* in = static_cast<const uint8_t*>(bits);
    for (LONG done = 0, y = 0; done < total; ++y) {
        LONG n = std::min<LONG>(ws, total - done);
        std::memcpy(b->Row(y), in + done, n);
        done += n;
    }
    return total;
}

int GetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info, UINT usage)
{
    auto dc = LookupDc(hdc);
    auto b = LookupAs<Bitmap>(bitmap, OBJ_BITMAP);
    if (!dc || !b || !info || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER))
        return 0;
    BITMAPINFOHEADER& h = info->bmiHeader;
    if (!bits && h.biBitCount == 0) {
        // Describe the bitmap itself.
        h.biWidth = b->width;
        h.biHeight = b->dib && b->topDown ? -b->height : b->height;
        h.biPlanes = 1;
        h.biBitCount = (WORD)b->bpp;
        h.biCompression = BI_RGB;
        h.biSizeImage = (DWORD)(((b->width * b->bpp + 31) / 32) * 4 * b->height);
        h.biXPelsPerMeter = h.biYPelsPerMeter = 3780;
        h.biClrUsed = 0;
        h.biClrImportant = 0;
        return b->height;
    }
    int bpp = h.biBitCount;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return 0;
    if (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS)
        return 0;
    h.biWidth = b->width;
    if (h.biHeight == 0)
        h.biHeight = b->height;
    bool topDown = h.biHeight < 0;
    h.biHeight = topDown ? -b->height : b->height;
    h.biPlanes = 1;
    h.biCompression = BI_RGB;
    int stride = ((b->width * bpp + 31) / 32) * 4;
    h.biSizeImage = (DWORD)(stride * b->height);
    // The colour table: the bitmap's own at its depth, otherwise the default one of that depth.
    std::vector<RGBQUAD> palette;
    if (bpp <= 8) {
        palette = (b->bpp == bpp && !b->palette.empty()) ? b->palette : DefaultPalette(bpp);
        palette.resize((size_t)1 << bpp, RGBQUAD{0, 0, 0, 0});
        h.biClrUsed = 0;
        if (usage == DIB_RGB_COLORS)
            std::memcpy(info->bmiColors, palette.data(), palette.size() * sizeof(RGBQUAD));
    }
    if (!bits)
        return b->height;
    if (start >= (UINT)b->height)
        return 0;
    lines = std::min<UINT>(lines, (UINT)b->height - start);
    Bitmap out;
    out.width = b->width;
    out.height = b->height;
    out.bpp = bpp;
    out.stride = stride;
    out.topDown = topDown;
    out.palette = palette;
    // Scan lines are counted from the bottom for bottom-up output, from the top otherwise; the buffer holds only them.
    int firstRow = topDown ? (int)start : b->height - (int)start - (int)lines;
    out.bits = static_cast<uint8_t*>(bits) - (size_t)start * stride;
    // Mono device bitmaps read out through the colour table as it stands.
    ConvertRows(*b, out, firstRow, (int)lines);
    out.bits = nullptr;
    return (int)lines;
}

int SetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage)
{
    auto dc = hdc ? LookupDc(hdc) : nullptr;
    auto b = LookupAs<Bitmap>(bitmap, OBJ_BITMAP);
    if (!b || !bits)
        return 0;
    Bitmap dib;
    if (!WrapDib(info, bits, usage, dc.get(), dib))
        return 0;
    if (start >= (UINT)dib.height)
        return 0;
    lines = std::min<UINT>(lines, (UINT)dib.height - start);
    // The given rows are picture rows start .. start + lines - 1 counted from the bottom (bottom-up) or top.
    int fullHeight = dib.height;
    dib.height = (int)lines;
    int top = dib.topDown ? (int)start : fullHeight - (int)start - (int)lines;
    std::vector<uint32_t> line(dib.width);
    int width = std::min(dib.width, b->width);
    for (int y = 0; y < (int)lines; ++y) {
        int target = top + y;
        if (target < 0 || target >= b->height)
            continue;
        dib.ReadRow(y, 0, width, line.data());
        for (int x = 0; x < width; ++x)
            line[x] = b->ToValue(dib.ToColor(line[x]));
        b->WriteRow(target, 0, width, line.data());
    }
    return (int)lines;
}

UINT GetDIBColorTable(HDC hdc, UINT start, UINT count, RGBQUAD* colours)
{
    auto dc = LookupDc(hdc);
    if (!dc || !dc->Surface() || !colours)
        return 0;
    const std::vector<RGBQUAD>& p = dc->Surface()->palette;
    if (!dc->Surface()->dib || start >= p.size())
        return 0;
    count = std::min<UINT>(count, (UINT)p.size() - start);
    std::memcpy(colours, p.data() + start, count * sizeof(RGBQUAD));
    return count;
}

UINT SetDIBColorTable(HDC hdc, UINT start, UINT count, const RGBQUAD* colours)
{
    auto dc = LookupDc(hdc);
    if (!dc || !dc->Surface() || !colours)
        return 0;
    std::vector<RGBQUAD>& p = dc->Surface()->palette;
    if (!dc->Surface()->dib || start >= p.size())
        return 0;
    count = std::min<UINT>(count, (UINT)p.size() - start);
    std::memcpy(p.data() + start, colours, count * sizeof(RGBQUAD));
    return count;
}

BOOL GetBitmapDimensionEx(HBITMAP bitmap, LPSIZE size)
{
    if (!LookupAs<Bitmap>(bitmap, OBJ_BITMAP) || !size)
        return FALSE;
    *size = SIZE{0, 0};
    return TRUE;
}

RECT GdiTakeDrawnRect(HBITMAP bitmap)
{
    auto b = LookupAs<Bitmap>(bitmap, OBJ_BITMAP);
    if (!b)
        return RECT{0, 0, 0, 0};
    RECT r = b->drawn;
    b->drawn = RECT{0, 0, 0, 0};
    return r;
}
