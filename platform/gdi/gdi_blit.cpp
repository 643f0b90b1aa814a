// The block-transfer engine: source sampling and stretching, colour and monochrome conversion, ternary raster
// operations.
#include "gdi/gdi_blit.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "gdi/gdi_colour.h"

namespace gdi {

namespace {

bool UsesSource(uint8_t code) { return ((code >> 2) ^ code) & 0x33; }
bool UsesPattern(uint8_t code) { return ((code >> 4) ^ code) & 0x0F; }

// Turns source pixel values into destination pixel values.
class Converter {
public:
    // sameSurface: the transfer reads the bitmap it writes, so palette indexes stay as they are.
    Converter(const Bitmap& src, const Bitmap& dst, const Dc& dstDc, COLORREF srcBk, bool sameSurface)
        : m_src(src), m_dst(dst), m_reduce(!src.mono && (dst.bpp == 4 || dst.bpp == 8))
    {
        if (sameSurface && dst.Palettized()) {
            m_kind = Kind::Copy;
        } else if (src.mono && !dst.mono) {
            m_kind = Kind::Lut;
            m_lut = {ColourValue(dstDc, dstDc.state.textColour), ColourValue(dstDc, dstDc.state.bkColour)};
        } else if (dst.mono && !src.mono) {
            m_kind = Kind::ToMono;
            m_srcBk = src.ToValue(srcBk);
            // Only the colour bits count: not the fourth byte of 32-bit pixels, nor bits outside the bit fields.
            m_srcMask = src.HasMasks()  ? src.masks[0] | src.masks[1] | src.masks[2]
                        : src.bpp == 32 ? 0x00FFFFFF
                                        : 0xFFFFFFFF;
        } else if (src.Palettized()) {
            m_kind = Kind::Lut;
            size_t n = (size_t)1 << src.bpp;
            m_lut.resize(n);
            for (size_t i = 0; i < n; ++i)
                m_lut[i] = ToDest(src.ToColor((uint32_t)i));
        } else if ((src.bpp == dst.bpp && src.masks == dst.masks) ||
                   (!dst.Palettized() && src.bpp != 16 && dst.bpp != 16 && !src.HasMasks() && !dst.HasMasks())) {
            m_kind = Kind::Copy;
        } else {
            m_kind = Kind::General;
        }
    }
    uint32_t operator()(uint32_t v)
    {
        switch (m_kind) {
        case Kind::Lut: return v < m_lut.size() ? m_lut[v] : 0;
        case Kind::ToMono: return (v & m_srcMask) == m_srcBk ? 1 : 0;
        case Kind::Copy: return v;
        default: {
            auto it = m_cache.find(v);
            if (it != m_cache.end())
                return it->second;
            uint32_t d = ToDest(m_src.ToColor(v));
            if (m_cache.size() < 65536)
                m_cache.emplace(v, d);
            return d;
        }
        }
    }

private:
    // Colours going into 4- and 8-bit tables are first cut to 5 bits a channel, set in the middle of their step.
    uint32_t ToDest(COLORREF c) const
    {
        if (!m_reduce)
            return m_dst.ToValue(c);
        auto cut = [](int v) { return (v & ~7) + 4; };
        return (uint32_t)m_dst.NearestIndex(RGB(cut(GetRValue(c)), cut(GetGValue(c)), cut(GetBValue(c))));
    }
    enum class Kind { Lut, ToMono, Copy, General };
    const Bitmap& m_src;
    const Bitmap& m_dst;
    bool m_reduce;
    Kind m_kind = Kind::General;
    std::vector<uint32_t> m_lut;
    uint32_t m_srcBk = 0;
    uint32_t m_srcMask = 0xFFFFFFFF;
    std::unordered_map<uint32_t, uint32_t> m_cache;
};

// For each destination index, the first source index and the count of source indices it covers.
struct AxisMap {
    std::vector<int> first;
    std::vector<int> count;
};

// Only the destination indices from .. to - 1 (the visible ones) are mapped; entry 0 is index from.
AxisMap MapAxis(int64_t dstLen, int64_t srcStart, int64_t srcLen, bool mirror, int64_t from, int64_t to)
{
    AxisMap m;
    m.first.resize((size_t)(to - from));
    m.count.resize((size_t)(to - from));
    for (int64_t i = from; i < to; ++i) {
        int64_t a = i * srcLen / dstLen, b = (i + 1) * srcLen / dstLen;
        int64_t n = std::max<int64_t>(1, b - a);
        int64_t first = mirror ? srcLen - a - n : a;
        int64_t at = srcStart + first;
        // Indices far outside any bitmap are kept negative, so that they read as outside.
        m.first[(size_t)(i - from)] = (int)std::clamp<int64_t>(at, -(int64_t(1) << 30), int64_t(1) << 30);
        m.count[(size_t)(i - from)] = (int)std::min<int64_t>(n, int64_t(1) << 20);
    }
    return m;
}

// Row copies of a few kilobytes run faster as a plain vector loop than through the string-move instruction.
__attribute__((optimize("no-tree-loop-distribute-patterns"))) void CopyPixels(uint32_t* __restrict d,
                                                                              const uint32_t* __restrict s, int n)
{
    for (int i = 0; i < n; ++i)
        d[i] = s[i];
}

uint32_t Average(const Bitmap& src, int x0, int nx, int y0, int ny)
{
    uint64_t r = 0, g = 0, b = 0, n = 0;
    if ((src.bpp == 32 || src.bpp == 24) && !src.HasMasks()) {
        int step = src.bpp / 8;
        for (int y = y0; y < y0 + ny; ++y) {
            const uint8_t* p = src.Row(y) + (size_t)x0 * step;
            for (int x = 0; x < nx; ++x, p += step) {
                b += p[0];
                g += p[1];
                r += p[2];
            }
        }
        n = (uint64_t)nx * ny;
        return RGB((r + n / 2) / n, (g + n / 2) / n, (b + n / 2) / n);
    }
    for (int y = y0; y < y0 + ny; ++y)
        for (int x = x0; x < x0 + nx; ++x) {
            COLORREF c = src.ToColor(src.Get(x, y));
            r += GetRValue(c);
            g += GetGValue(c);
            b += GetBValue(c);
            ++n;
        }
    return RGB((r + n / 2) / n, (g + n / 2) / n, (b + n / 2) / n);
}

}  // namespace

void Blit(Dc& dest, int x, int y, int width, int height, const BlitSource* source, DWORD rop, int stretchMode)
{
    Bitmap* dst = dest.Surface();
    if (!dst || width == 0 || height == 0)
        return;
    uint8_t code = (uint8_t)(rop >> 16);
    bool needSource = UsesSource(code);
    if (needSource && (!source || !source->bitmap || source->width == 0 || source->height == 0))
        return;
    int64_t dx0 = width < 0 ? (int64_t)x + width : x, dy0 = height < 0 ? (int64_t)y + height : y;
    int64_t dw = std::abs((int64_t)width), dh = std::abs((int64_t)height);

    const Bitmap* src = needSource ? source->bitmap : nullptr;
    // A transfer within one bitmap reads from a copy, so that overlapping areas move intact.
    std::shared_ptr<Bitmap> copy;
    bool sameSurface = src == dst;
    if (sameSurface) {
        copy = MakeBitmap(dst->width, dst->height, dst->bpp, true);
        if (!copy)
            return;
        copy->palette = dst->palette;
        copy->mono = dst->mono;
        copy->masks = dst->masks;
        for (int row = 0; row < dst->height; ++row)
            std::memcpy(copy->Row(row), dst->Row(row), dst->stride);
        src = copy.get();
    }
    int64_t sx0 = 0, sy0 = 0, sw = 0, sh = 0;
    bool mirrorX = false, mirrorY = false;
    if (src) {
        sx0 = source->width < 0 ? (int64_t)source->x + source->width : source->x;
        sy0 = source->height < 0 ? (int64_t)source->y + source->height : source->y;
        sw = std::abs((int64_t)source->width);
        sh = std::abs((int64_t)source->height);
        mirrorX = (width < 0) != (source->width < 0);
        mirrorY = (height < 0) != (source->height < 0);
    }
    RECT v = VisibleBox(dest);
    int top = (int)std::max<int64_t>(dy0, v.top), bottom = (int)std::min<int64_t>(dy0 + dh, v.bottom);
    int left = (int)std::max<int64_t>(dx0, v.left), right = (int)std::min<int64_t>(dx0 + dw, v.right);
    if (top >= bottom || left >= right)
        return;

    bool stretched = src && (sw != dw || sh != dh || mirrorX || mirrorY);
    AxisMap mx, my;
    if (src) {
        mx = MapAxis(dw, sx0, sw, mirrorX, left - dx0, right - dx0);
        my = MapAxis(dh, sy0, sh, mirrorY, top - dy0, bottom - dy0);
    }
    BrushPainter pattern(dest, UsesPattern(code) ? dest.state.brush.get() : nullptr);
    bool patternNull = pattern.IsNull();
    std::optional<Converter> convert;
    if (src)
        convert.emplace(*src, *dst, dest, source->bkColour, sameSurface);
    const uint32_t mask = dst->ValueMask();
    bool combine = stretchMode != COLORONCOLOR && (sw > dw || sh > dh);
    bool halftone = combine && stretchMode == HALFTONE && !dst->Palettized() && !dst->mono;

    std::vector<uint32_t> srow, drow;
    struct RepeatedRow {
        int row, sourceRow, a, b;
    } repeat{-2, -1, 0, 0};
    for (int yy = top; yy < bottom; ++yy) {
        int di = yy - top;
        ForEachClippedSpan(dest, yy, left, right, [&](int a, int b) {
            int n = b - a;
            // Fast paths: same-format 32-bit transfers without stretching.
            if (src && !stretched && src->bpp == 32 && dst->bpp == 32 && src != dst && !src->mono &&
                src->masks == dst->masks) {
                int sy = my.first[di];
                int sx = mx.first[a - left];
                if (sy < 0 || sy >= src->height || sx < 0 || sx + n > src->width)
                    goto general;
                const uint32_t* s = reinterpret_cast<const uint32_t*>(src->Row(sy)) + sx;
                uint32_t* d = reinterpret_cast<uint32_t*>(dst->Row(yy)) + a;
                switch (code) {
                case 0xCC: CopyPixels(d, s, n); return;
                case 0x88:
                    for (int i = 0; i < n; ++i)
                        d[i] &= s[i];
                    return;
                case 0xEE:
                    for (int i = 0; i < n; ++i)
                        d[i] |= s[i];
                    return;
                case 0x66:
                    for (int i = 0; i < n; ++i)
                        d[i] ^= s[i];
                    return;
                default: break;
                }
            }
            if (src && stretched && !combine && src->bpp == 32 && dst->bpp == 32 && code == 0xCC && src != dst &&
                !src->mono && src->masks == dst->masks) {
                int sy = my.first[di];
                if (sy < 0 || sy >= src->height)
                    goto general;
                const uint32_t* s = reinterpret_cast<const uint32_t*>(src->Row(sy));
                uint32_t* d = reinterpret_cast<uint32_t*>(dst->Row(yy)) + a;
                // A row that repeats the previous destination row's source row and span is copied from it.
                if (repeat.row == yy - 1 && repeat.sourceRow == sy && repeat.a == a && repeat.b == b) {
                    std::memcpy(d, reinterpret_cast<const uint32_t*>(dst->Row(yy - 1)) + a, 4 * (size_t)n);
                    repeat.row = yy;
                    return;
                }
                const int* fx = mx.first.data() + (a - left);
                bool inside = true;
                for (int i = 0; i < n && inside; i += std::max(1, n - 1))
                    inside = fx[i] >= 0 && fx[i] < src->width;
                if (!inside)
                    goto general;
                for (int i = 0; i < n; ++i)
                    d[i] = s[fx[i]];
                repeat = RepeatedRow{yy, sy, a, b};
                return;
            }
            // 24-bit pictures (the usual DIBs) copied or stretched by picking pixels onto 32-bit surfaces.
            if (src && src->bpp == 24 && dst->bpp == 32 && code == 0xCC && !combine && !dst->HasMasks()) {
                int sy = my.first[di];
                const int* fx = mx.first.data() + (a - left);
                if (sy < 0 || sy >= src->height || std::min(fx[0], fx[n - 1]) < 0 ||
                    std::max(fx[0], fx[n - 1]) >= src->width)
                    goto general;
                const uint8_t* s = src->Row(sy);
                uint32_t* d = reinterpret_cast<uint32_t*>(dst->Row(yy)) + a;
                for (int i = 0; i < n; ++i) {
                    const uint8_t* p = s + 3 * (size_t)fx[i];
                    d[i] = p[0] | (p[1] << 8) | ((uint32_t)p[2] << 16);
                }
                return;
            }
            if (!src && patternNull == false && pattern.IsSolid() && dst->bpp == 32 && (code == 0xF0 || code == 0x5A)) {
                uint32_t p = pattern.SolidValue();
                uint32_t* d = reinterpret_cast<uint32_t*>(dst->Row(yy)) + a;
                if (code == 0xF0)
                    std::fill(d, d + n, p);
                else
                    for (int i = 0; i < n; ++i)
                        d[i] ^= p;
                return;
            }
        general:
            srow.resize(n);
            drow.resize(n);
            if (src) {
                int sy = my.first[di], ny = my.count[di];
                for (int i = 0; i < n; ++i) {
                    int sx = mx.first[a + i - left], nx = mx.count[a + i - left];
                    // Source pixels outside the source bitmap read as black, as the system does.
                    if (sx < 0 || sy < 0 || sx + (combine ? nx : 1) > src->width ||
                        sy + (combine ? ny : 1) > src->height) {
                        srow[i] = (*convert)(src->ToValue(0));
                        continue;
                    }
                    if (halftone && (nx > 1 || ny > 1)) {
                        srow[i] = dst->ToValue(Average(*src, sx, nx, sy, ny));
                    } else if (combine && (nx > 1 || ny > 1)) {
                        uint32_t acc = stretchMode == BLACKONWHITE ? 0xFFFFFFFFu : 0;
                        for (int yy2 = sy; yy2 < sy + ny; ++yy2)
                            for (int xx = sx; xx < sx + nx; ++xx) {
                                uint32_t s = (*convert)(src->Get(xx, yy2));
                                acc = stretchMode == BLACKONWHITE ? (acc & s) : (acc | s);
                            }
                        srow[i] = acc;
                    } else {
                        srow[i] = (*convert)(src->Get(sx, sy));
                    }
                }
            }
            dst->ReadRow(yy, a, n, drow.data());
            for (int i = 0; i < n; ++i) {
                bool draw = true;
                uint32_t p = patternNull ? 0 : pattern.At(a + i, yy, &draw);
                uint32_t s = src ? srow[i] : 0;
                drow[i] = Rop3(code, p, s, drow[i]) & mask;
            }
            dst->WriteRow(yy, a, n, drow.data());
        });
    }
}

int DibColourCount(const BITMAPINFOHEADER& h)
{
    if (h.biBitCount > 8)
        return h.biClrUsed > 256 ? 256 : (int)h.biClrUsed;
    int full = 1 << h.biBitCount;
    return (h.biClrUsed && (int)h.biClrUsed < full) ? (int)h.biClrUsed : full;
}

std::vector<RGBQUAD> DefaultPalette(int bpp)
{
    std::vector<RGBQUAD> p;
    if (bpp == 1)
        return {RGBQUAD{0, 0, 0, 0}, RGBQUAD{255, 255, 255, 0}};
    if (bpp == 4) {
        static const BYTE vga[16][3] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                        {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                        {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                        {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
        for (auto& c : vga)
            p.push_back(RGBQUAD{c[2], c[1], c[0], 0});
        return p;
    }
    if (bpp == 8) {
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    p.push_back(RGBQUAD{(BYTE)(b * 51), (BYTE)(g * 51), (BYTE)(r * 51), 0});
        for (int i = 0; i < 40; ++i) {
            BYTE v = (BYTE)((i + 1) * 255 / 41);
            p.push_back(RGBQUAD{v, v, v, 0});
        }
        return p;
    }
    return p;
}

bool WrapDib(const BITMAPINFO* info, const void* bits, UINT usage, const Dc* dc, Bitmap& out)
{
    if (!info)
        return false;
    // Packed DIBs from resources or files need not be aligned: the header is read by copy.
    BITMAPINFOHEADER h;
    std::memcpy(&h, info, sizeof h);
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biWidth <= 0 || h.biHeight == 0)
        return false;
    int bpp = h.biBitCount;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return false;
    if (h.biCompression != BI_RGB && !(h.biCompression == BI_BITFIELDS && (bpp == 16 || bpp == 32)))
        return false;
    int64_t height = h.biHeight < 0 ? -(int64_t)h.biHeight : h.biHeight;
    int64_t stride = (((int64_t)h.biWidth * bpp + 31) / 32) * 4;
    if (stride * height > (int64_t)1 << 30)
        return false;
    out.width = h.biWidth;
    out.height = (int)height;
    out.bpp = bpp;
    out.stride = (int)stride;
    out.topDown = h.biHeight < 0;
    out.dib = true;
    out.bits = const_cast<uint8_t*>(static_cast<const uint8_t*>(bits));
    out.header = h;
    out.palette.clear();
    out.masks = {};
    if (h.biCompression == BI_BITFIELDS) {
        // The three colour masks follow a 40-byte header, or are its own fields in the longer headers.
        DWORD m[3];
        std::memcpy(m, reinterpret_cast<const uint8_t*>(info) + sizeof(BITMAPINFOHEADER), sizeof m);
        out.SetMasks(m[0], m[1], m[2]);
    }
    if (bpp <= 8) {
        int n = DibColourCount(h);
        const uint8_t* table = reinterpret_cast<const uint8_t*>(info) + h.biSize;
        out.palette.assign((size_t)1 << bpp, RGBQUAD{0, 0, 0, 0});
        if (usage == DIB_PAL_COLORS) {
            const Palette* pal = dc ? dc->state.palette.get() : nullptr;
            for (int i = 0; i < n; ++i) {
                WORD index;
                std::memcpy(&index, table + 2 * i, 2);
                if (pal && index < pal->entries.size()) {
                    const PALETTEENTRY& e = pal->entries[index];
                    out.palette[i] = RGBQUAD{e.peBlue, e.peGreen, e.peRed, 0};
                }
            }
        } else {
            std::memcpy(out.palette.data(), table, (size_t)n * sizeof(RGBQUAD));
        }
    }
    return out.bits != nullptr;
}

}  // namespace gdi
