// Rectangle copy and read, fill routines, and blocks extended past the image by the border rules.
#include <algorithm>
#include <cstring>
#include <vector>

#include "imp/impalloc.h"
#include "imp/ownrect.h"

void impCopyBlock(const char* src, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int64_t srcRowStep,
                  int64_t srcPlaneStep, char* dst, int32_t dstX, int32_t dstY, int64_t dstRowStep, int64_t dstPlaneStep,
                  int32_t bytesPerPixel, int32_t planes)
{
    int32_t sx = x1 >= x0 ? 1 : -1, sy = y1 >= y0 ? 1 : -1;
    int32_t nx = (x1 - x0) * sx + 1, ny = (y1 - y0) * sy + 1;
    if (bytesPerPixel == 0) {
        for (int32_t j = 0; j < ny; ++j) {
            const char* srow = src + (int64_t)(y0 + j * sy) * srcRowStep;
            char* drow = dst + (int64_t)(dstY + j) * dstRowStep;
            for (int32_t i = 0; i < nx; ++i)
                if (impGetBit(srow, x0 + i * sx))
                    impPutBit(drow, dstX + i, true);
        }
        return;
    }
    for (int32_t p = 0; p < planes; ++p) {
        const char* sp = src + p * srcPlaneStep;
        char* dp = dst + p * dstPlaneStep;
        for (int32_t j = 0; j < ny; ++j) {
            const char* srow = sp + (int64_t)(y0 + j * sy) * srcRowStep;
            char* drow = dp + (int64_t)(dstY + j) * dstRowStep + (int64_t)dstX * bytesPerPixel;
            if (sx > 0) {
                memcpy(drow, srow + (int64_t)x0 * bytesPerPixel, (size_t)nx * bytesPerPixel);
            } else {
                for (int32_t i = 0; i < nx; ++i)
                    memcpy(drow + (int64_t)i * bytesPerPixel, srow + (int64_t)(x0 - i) * bytesPerPixel, bytesPerPixel);
            }
        }
    }
}

// First and last row/column of tile t along an axis walked from a to b.
static void tileRange(int32_t t, int32_t ta, int32_t tb, int32_t a, int32_t b, int32_t size, int32_t* from, int32_t* to)
{
    bool up = b >= a;
    *from = t == ta ? a : (up ? t * size : t * size + size - 1);
    *to = t == tb ? b : (up ? t * size + size - 1 : t * size);
}

int32_t impReadRect(ImpHeader* image, int32_t x0, int32_t y0, int32_t x1, int32_t y1, char* dst, int32_t dstX,
                    int32_t dstY, int64_t dstRowStep, int64_t dstPlaneStep, int32_t bytesPerPixel, int32_t planes)
{
    if (!image->tileInfo) {
        impCopyBlock(image->imageData, x0, y0, x1, y1, image->widthStep, (int64_t)image->height * image->widthStep, dst,
                     dstX, dstY, dstRowStep, dstPlaneStep, bytesPerPixel, planes);
        return 0;
    }
    int32_t tw = image->tileInfo->width, th = image->tileInfo->height;
    int64_t tileStep = impTileRowStep(image);
    int32_t tx0 = x0 / tw, tx1 = x1 / tw, ty0 = y0 / th, ty1 = y1 / th;
    int32_t stepX = tx1 >= tx0 ? 1 : -1, stepY = ty1 >= ty0 ? 1 : -1;
    int32_t count = (tx1 - tx0) * stepX + 1;
    std::vector<void*> tiles;
    try {
        tiles.resize(count);
    } catch (...) {
        return 1;
    }
    for (int32_t ty = ty0;; ty += stepY) {
        bool failed = impFetchTileRow(image, tiles.data(), count, tx0, ty, stepX);
        if (!failed) {
            int32_t ya, yb;
            tileRange(ty, ty0, ty1, y0, y1, th, &ya, &yb);
            for (int32_t i = 0; i < count; ++i) {
                int32_t tx = tx0 + i * stepX, xa, xb;
                tileRange(tx, tx0, tx1, x0, x1, tw, &xa, &xb);
                impCopyBlock((const char*)tiles[i], xa - tx * tw, ya - ty * th, xb - tx * tw, yb - ty * th, tileStep,
                             tileStep * th, dst, dstX + std::abs(xa - x0), dstY + std::abs(ya - y0), dstRowStep,
                             dstPlaneStep, bytesPerPixel, planes);
            }
        }
        // Tiles are handed back even when one of the row could not be had.
        impReleaseTileRow(image, tiles.data(), count, tx0, ty, stepX);
        if (failed)
            return 1;
        if (ty == ty1)
            break;
    }
    return 0;
}

void impFillFromCorner(char* buf, int32_t x, int32_t y, int32_t width, int32_t height, int64_t rowStep,
                       int64_t planeStep, int32_t bytesPerPixel, int32_t planes)
{
    impExtendRowsRight(buf, x, y, width, 1, rowStep, planeStep, bytesPerPixel, planes);
    impExtendRowDown(buf, x, y, width, height, rowStep, planeStep, bytesPerPixel, planes);
}

void impExtendRowsRight(char* buf, int32_t x, int32_t y, int32_t width, int32_t height, int64_t rowStep,
                        int64_t planeStep, int32_t bytesPerPixel, int32_t planes)
{
    for (int32_t p = 0; p < (bytesPerPixel ? planes : 1); ++p) {
        for (int32_t j = 0; j < height; ++j) {
            char* row = buf + p * planeStep + (int64_t)(y + j) * rowStep;
            if (bytesPerPixel == 0) {
                if (impGetBit(row, x))
                    for (int32_t i = 1; i < width; ++i)
                        impPutBit(row, x + i, true);
                continue;
            }
            const char* seed = row + (int64_t)x * bytesPerPixel;
            for (int32_t i = 1; i < width; ++i)
                memcpy(row + (int64_t)(x + i) * bytesPerPixel, seed, bytesPerPixel);
        }
    }
}

void impExtendRowDown(char* buf, int32_t x, int32_t y, int32_t width, int32_t height, int64_t rowStep,
                      int64_t planeStep, int32_t bytesPerPixel, int32_t planes)
{
    for (int32_t p = 0; p < (bytesPerPixel ? planes : 1); ++p) {
        const char* first = buf + p * planeStep + (int64_t)y * rowStep;
        for (int32_t j = 1; j < height; ++j) {
            char* row = buf + p * planeStep + (int64_t)(y + j) * rowStep;
            if (bytesPerPixel == 0) {
                for (int32_t i = 0; i < width; ++i)
                    if (impGetBit(first, x + i))
                        impPutBit(row, x + i, true);
            } else {
                memcpy(row + (int64_t)x * bytesPerPixel, first + (int64_t)x * bytesPerPixel,
                       (size_t)width * bytesPerPixel);
            }
        }
    }
}

void impFreeBuffer(void* buffer)
{
    if (buffer)
        impAlignedFree(buffer);
}

// Source coordinate of an outside coordinate c under a side rule over an extent n.
static int32_t mapCoordinate(int32_t kind, int64_t c, int32_t n)
{
    if (c >= 0 && c < n)
        return (int32_t)c;
    switch (kind & 3) {
    case ImpBorderRepeat: return c < 0 ? 0 : n - 1;
    case ImpBorderMirror: {
        int64_t p = ((c % (2 * (int64_t)n)) + 2 * (int64_t)n) % (2 * (int64_t)n);
        return (int32_t)(p < n ? p : 2 * (int64_t)n - 1 - p);
    }
    case ImpBorderCycle: return (int32_t)(((c % n) + n) % n);
    default: return -1;
    }
}

namespace {

// Everything needed to build one bordered block.
struct BlockBuilder {
    ImpHeader* image;
    char* buf;
    int64_t rowStep, planeStep;
    int32_t bytesPerPixel, planes, bytesPerChannel;
    int32_t x, width;
    std::vector<char> span;  // one image row of all planes

    // Writes the fill value of a side into pixel i of block row r.
    void fillPixel(int32_t r, int32_t i, int32_t side)
    {
        int32_t v = image->borderValue[side];
        if (bytesPerPixel == 0) {
            impPutBit(buf + r * rowStep, i, v & 1);
            return;
        }
        int32_t elems = bytesPerPixel / bytesPerChannel;
        for (int32_t p = 0; p < planes; ++p) {
            char* px = buf + p * planeStep + r * rowStep + (int64_t)i * bytesPerPixel;
            for (int32_t e = 0; e < elems; ++e)
                storeValue(px + e * bytesPerChannel, v);
        }
    }

    void storeValue(char* at, int32_t v)
    {
        if (bytesPerChannel == 1)
            *at = (char)v;
        else if (bytesPerChannel == 2) {
            uint16_t h = (uint16_t)v;
            memcpy(at, &h, 2);
        } else if (image->depth == IMP_DEPTH_32F) {
            float f = (float)v;
            memcpy(at, &f, 4);
        } else
            memcpy(at, &v, 4);
    }

    // Fills a whole block row, padding included, with a side's value.
    void fillRow(int32_t r, int32_t side)
    {
        if (bytesPerPixel == 0) {
            memset(buf + r * rowStep, (image->borderValue[side] & 1) ? 0xFF : 0, (size_t)rowStep);
            return;
        }
        int32_t perRow = (int32_t)(rowStep / bytesPerChannel);
        for (int32_t p = 0; p < planes; ++p)
            for (int32_t e = 0; e < perRow; ++e)
                storeValue(buf + p * planeStep + r * rowStep + (int64_t)e * bytesPerChannel, image->borderValue[side]);
    }

    // Copies image row sy into block row r, each column taking the side rule of where it lies.
    bool buildRow(int32_t r, int32_t sy, int32_t columnSide)
    {
        int32_t w = image->width;
        std::vector<int32_t> map(width);
        int32_t lo = INT32_MAX, hi = -1;
        for (int32_t i = 0; i < width; ++i) {
            int64_t c = (int64_t)x + i;
            int32_t side = columnSide >= 0 ? columnSide : (c < 0 ? 2 : 3);
            map[i] = mapCoordinate(image->borderKind[side], c, w);
            if (map[i] >= 0) {
                lo = std::min(lo, map[i]);
                hi = std::max(hi, map[i]);
            }
        }
        if (hi >= 0) {
            int64_t spanStep = bytesPerPixel ? (int64_t)(hi - lo + 1) * bytesPerPixel : (hi - lo + 8) / 8;
            span.assign((size_t)(spanStep * planes), 0);
            if (impReadRect(image, lo, sy, hi, sy, span.data(), 0, 0, spanStep, spanStep, bytesPerPixel, planes))
                return false;
            for (int32_t i = 0; i < width; ++i) {
                if (map[i] < 0)
                    continue;
                if (bytesPerPixel == 0) {
                    impPutBit(buf + r * rowStep, i, impGetBit(span.data(), map[i] - lo));
                    continue;
                }
                for (int32_t p = 0; p < planes; ++p)
                    memcpy(buf + p * planeStep + r * rowStep + (int64_t)i * bytesPerPixel,
                           span.data() + p * spanStep + (int64_t)(map[i] - lo) * bytesPerPixel, bytesPerPixel);
            }
        }
        for (int32_t i = 0; i < width; ++i) {
            if (map[i] >= 0)
                continue;
            int64_t c = (int64_t)x + i;
            fillPixel(r, i, columnSide >= 0 ? columnSide : (c < 0 ? 2 : 3));
        }
        return true;
    }
};

}  // namespace

char* impGetBorderedBlock(ImpHeader* image, int32_t x, int32_t y, int32_t width, int32_t height, int32_t* rowStep)
{
    if (!image || width < 1 || height < 1)
        return nullptr;
    if (image->dataOrder != 0 && image->dataOrder != 1)
        return nullptr;
    uint32_t d = (uint32_t)image->depth;
    if (d != 1 && d != 8 && d != 16 && d != 32 && d != 0x80000008u && d != 0x80000010u && d != 0x80000020u)
        return nullptr;
    int32_t a = image->alignment;
    if (a != 4 && a != 8 && a != 16 && a != 32)
        return nullptr;
    BlockBuilder b{};
    b.image = image;
    b.planes = image->dataOrder == 1 ? image->channels : 1;
    b.bytesPerChannel = impBytesPerChannel(image->depth);
    b.bytesPerPixel = b.bytesPerChannel * (image->dataOrder == 0 ? image->channels : 1);
    int64_t rowBytes = d == 1 ? ((int64_t)width * image->channels + 7) / 8 : (int64_t)width * b.bytesPerPixel;
    b.rowStep = (rowBytes + a - 1) / a * a;
    if (b.rowStep > INT32_MAX)
        return nullptr;
    b.planeStep = b.rowStep * height;
    b.x = x;
    b.width = width;
    b.buf = static_cast<char*>(impAlignedMalloc(b.planes * b.planeStep + 16));
    if (!b.buf)
        return nullptr;
    if (d == 1)
        memset(b.buf, 0, (size_t)b.planeStep);
    *rowStep = (int32_t)b.rowStep;
    bool ok = true;
    for (int32_t r = 0; r < height && ok; ++r) {
        int64_t iy = (int64_t)y + r;
        int32_t side = iy < 0 ? 0 : iy >= image->height ? 1 : -1;
        if (side < 0) {
            ok = b.buildRow(r, (int32_t)iy, -1);
            continue;
        }
        int32_t kind = image->borderKind[side] & 3;
        if (kind == ImpBorderFill) {
            b.fillRow(r, side);
        } else if (kind == ImpBorderRepeat && r > 0 && ((side == 0 && iy > y) || (side == 1 && iy > image->height))) {
            // Every repeated row equals the one before it.
            if (b.bytesPerPixel == 0)
                memset(b.buf + r * b.rowStep, 0, (size_t)b.rowStep);
            impExtendRowDown(b.buf, 0, r - 1, width, 2, b.rowStep, b.planeStep, b.bytesPerPixel, b.planes);
        } else {
            ok = b.buildRow(r, mapCoordinate(kind, iy, image->height), side);
        }
    }
    if (!ok) {
        impAlignedFree(b.buf);
        return nullptr;
    }
    return b.buf;
}
