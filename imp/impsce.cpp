// impCopy and impSet over regions, channels of interest and masks.
#include "imp/impsce.h"

#include <algorithm>
#include <cstring>

#include "imp/impalloc.h"
#include "imp/imperror.h"
#include "imp/implogic.h"
#include "imp/ownrect.h"

static const char* kModule = "impsce";

namespace {

struct Region {
    char* start;
    int32_t rowStep, count, planeStep, bitOffset;
    bool planar;
    int32_t stride;  // elements between pixels
};

bool regionOf(const ImpHeader* im, Region* r)
{
    if (!impRoiStart(im, &r->start, &r->rowStep, &r->count, &r->planeStep, &r->bitOffset))
        return false;
    r->planar = im->dataOrder == 1;
    r->stride = r->planar ? 1 : im->channels;
    return true;
}

inline bool maskAt(const char* row, int64_t x) { return impGetBit(row, x); }

// Element copy or fill: each pixel's processed channels, under the mask when one is given.
template <typename T>
void elementRows(const Region* s, Region& d, const char* mStart, int32_t mStep, int32_t mBit, int32_t w, int32_t h,
                 T value)
{
    int32_t planes = d.planar ? d.count : 1, per = d.planar ? 1 : d.count;
    for (int32_t p = 0; p < planes; ++p) {
        for (int32_t y = 0; y < h; ++y) {
            T* dr = (T*)(d.start + (int64_t)p * d.planeStep + (int64_t)y * d.rowStep);
            const T* sr = s ? (const T*)(s->start + (int64_t)p * s->planeStep + (int64_t)y * s->rowStep) : nullptr;
            const char* mr = mStart ? mStart + (int64_t)y * mStep : nullptr;
            if (!mr && d.stride == per && (!s || s->stride == per)) {
                int64_t count = (int64_t)w * per;
                if (sr)
                    impCopyBytes(sr, dr, (int64_t)sizeof(T) * count);
                else if (sizeof(T) == 1)
                    impFillBytes(value, dr, count);
                else if (sizeof(T) == 2)
                    impFillWords(value, dr, count);
                else
                    impFillDwords((int32_t)value, dr, count);
                continue;
            }
            for (int32_t x = 0; x < w; ++x) {
                if (mr && !maskAt(mr, mBit + x))
                    continue;
                for (int32_t n = per - 1; n >= 0; --n)
                    dr[(int64_t)x * d.stride + n] = sr ? sr[(int64_t)x * s->stride + n] : value;
            }
        }
    }
}

void dispatchBits(int32_t bits, const Region* s, Region& d, const char* m, int32_t mStep, int32_t mBit, int32_t w,
                  int32_t h, int32_t value)
{
    if (bits == 8)
        elementRows<uint8_t>(s, d, m, mStep, mBit, w, h, (uint8_t)value);
    else if (bits == 16)
        elementRows<uint16_t>(s, d, m, mStep, mBit, w, h, (uint16_t)value);
    else
        elementRows<uint32_t>(s, d, m, mStep, mBit, w, h, (uint32_t)value);
}

// A private untiled header over one part of an image (a tile, a gathered block or the image's own pixels),
// with a copy of the mask moved alike.
struct PartHeader {
    ImpHeader h;
    ImpRoiRecord roi;
    ImpHeader mask;
    ImpRoiRecord maskRoi;

    void make(const ImpHeader* im, int32_t offX, int32_t offY, int32_t width, int32_t height, const ImpHeader* m,
              int32_t maskX, int32_t maskY)
    {
        h = *im;
        h.tileInfo = nullptr;
        h.maskImage = nullptr;
        roi = ImpRoiRecord{im->roi ? im->roi->coi : 0, offX, offY, width, height};
        h.roi = &roi;
        if (m) {
            mask = *m;
            maskRoi = ImpRoiRecord{0, maskX, maskY, width, height};
            mask.roi = &maskRoi;
            h.maskImage = &mask;
        }
    }
    // Pixels of a tile or block in place of the image's own.
    void usePixels(char* data, int32_t width, int32_t height, int32_t step)
    {
        h.imageData = data;
        h.rawData = nullptr;
        h.width = width;
        h.height = height;
        h.widthStep = step;
        h.imageSize = step * height * (h.dataOrder == 1 ? h.channels : 1);
    }
};

// Part sizes of a tile grid: the first part starts at the offset in its tile, the last ends with the region.
struct TileGrid {
    int32_t xIn, yIn, th, tw, col0, row0, cols, rows;
    int32_t partWidth(int32_t i, int32_t w) const
    {
        if (cols == 1)
            return w;
        if (i == 0)
            return tw - xIn;
        if (i == cols - 1)
            return (xIn + w - 1) % tw + 1;
        return tw;
    }
    int32_t partHeight(int32_t j, int32_t h) const
    {
        if (rows == 1)
            return h;
        if (j == 0)
            return th - yIn;
        if (j == rows - 1)
            return (yIn + h - 1) % th + 1;
        return th;
    }
    int32_t partX(int32_t i) const { return i == 0 ? 0 : tw - xIn + (i - 1) * tw; }
    int32_t partY(int32_t j) const { return j == 0 ? 0 : th - yIn + (j - 1) * th; }
};

int32_t roiX(const ImpHeader* im) { return im->roi ? std::max(0, im->roi->offsetX) : 0; }
int32_t roiY(const ImpHeader* im) { return im->roi ? std::max(0, im->roi->offsetY) : 0; }

// impCopy over the tile grid of the tiled side.
void copyTiled(ImpHeader* src, ImpHeader* dst, ImpHeader* mask, int32_t h, int32_t w)
{
    const char* fn = "impCopy";
    ImpHeader* grid = dst->tileInfo ? dst : src;
    TileGrid g;
    impRoiTiles(grid, h, w, &g.xIn, &g.yIn, &g.th, &g.tw, &g.col0, &g.row0, &g.cols, &g.rows);
    int32_t gridStep = impTileRowStep(grid);
    int32_t mx = mask ? roiX(mask) : 0, my = mask ? roiY(mask) : 0;
    for (int32_t j = 0; j < g.rows; ++j) {
        for (int32_t i = 0; i < g.cols; ++i) {
            int32_t pw = g.partWidth(i, w), ph = g.partHeight(j, h), px = g.partX(i), py = g.partY(j);
            int32_t inTileX = i == 0 ? g.xIn : 0, inTileY = j == 0 ? g.yIn : 0;
            int32_t col = g.col0 + i, row = g.row0 + j;
            PartHeader s, d;
            char* block = nullptr;
            grid->tileInfo->callBack(grid, col, row, grid == dst ? IMP_TILE_WRITE : IMP_TILE_READ);
            char* tile = (char*)grid->tileInfo->tileData;
            if (!tile) {
                impRaiseError(-2, fn, grid == dst ? "Error get tile to write" : "Error get tile to read", kModule,
                              grid == dst ? 243 : 255);
                return;
            }
            if (grid == dst) {
                d.make(dst, inTileX, inTileY, pw, ph, mask, mx + px, my + py);
                d.usePixels(tile, dst->tileInfo->width, dst->tileInfo->height, gridStep);
                if (src->tileInfo) {
                    int32_t step = 0;
                    block = impGetBorderedBlock(src, roiX(src) + px, roiY(src) + py, pw, ph, &step);
                    if (!block || impGetStatus() < 0) {
                        dst->tileInfo->tileData = tile;
                        dst->tileInfo->callBack(dst, col, row, IMP_TILE_RELEASE);
                        impFreeBuffer(block);
                        impRaiseError(-1, fn, "", kModule, 249);
                        return;
                    }
                    s.make(src, 0, 0, pw, ph, nullptr, 0, 0);
                    s.usePixels(block, pw, ph, step);
                } else {
                    s.make(src, roiX(src) + px, roiY(src) + py, pw, ph, nullptr, 0, 0);
                }
            } else {
                s.make(src, inTileX, inTileY, pw, ph, nullptr, 0, 0);
                s.usePixels(tile, src->tileInfo->width, src->tileInfo->height, gridStep);
                d.make(dst, roiX(dst) + px, roiY(dst) + py, pw, ph, mask, mx + px, my + py);
            }
            impCopy(&s.h, &d.h);
            grid->tileInfo->tileData = tile;
            grid->tileInfo->callBack(grid, col, row, IMP_TILE_RELEASE);
            impFreeBuffer(block);
            if (impGetStatus() < 0)
                return;
        }
    }
}

}  // namespace

void impCopy(ImpHeader* src, ImpHeader* dst)
{
    const char* fn = "impCopy";
    if (impCheckImage(src)) {
        impRaiseError(impGetStatus(), fn, "Incorrect Image", kModule, 61);
        return;
    }
    if (impCheckImage(dst)) {
        impRaiseError(impGetStatus(), fn, "Incorrect Image", kModule, 62);
        return;
    }
    if (src->depth != dst->depth)
        impRaiseError(-5, fn, "srcImage->depth != dstImage->depth", kModule, 63);
    if (src->origin != dst->origin)
        impRaiseError(-5, fn, "srcImage->origin != dstImage->origin", kModule, 63);
    if (src->depth != 1 && !(src->channels == 1 && dst->channels == 1) && src->dataOrder != dst->dataOrder)
        impRaiseError(-5, fn, "srcImage->dataOrder != dstImage->dataOrder", kModule, 63);
    if (impGetStatus() < 0)
        return;
    if (src == dst)
        return;
    ImpHeader* mask = dst->maskImage ? dst->maskImage : src->maskImage;
    ImpHeader* both = nullptr;
    if (dst->maskImage && src->maskImage && dst->maskImage != src->maskImage) {
        int32_t mh, mw;
        if (!impRoiSize2(src->maskImage, dst->maskImage, &mh, &mw, 1) || mh < 1 || mw < 1)
            return;
        both = impCreateImageHeader(1, 0, 1, "GRAY", "G   ", 1, src->maskImage->origin, 4, mw, mh, nullptr, nullptr,
                                    nullptr, nullptr);
        if (both)
            impAllocateImage(both, 0, 0);
        if (!both || !both->imageData || impGetStatus() < 0) {
            impReleaseImageParts(both, 31);
            if (impGetStatus() >= 0)
                impSetStatus(IMP_StsNoMem);
            impRaiseError(-1, fn, "", kModule, 72);
            return;
        }
        impAnd(src->maskImage, dst->maskImage, both);
        if (impGetStatus() < 0) {
            impReleaseImageParts(both, 31);
            impRaiseError(-1, fn, "", kModule, 77);
            return;
        }
        mask = both;
    }
    auto done = [&] { impReleaseImageParts(both, 31); };
    int32_t h, w;
    if (!impRoiSize3(src, dst, mask, &h, &w, 1) || h < 1 || w < 1)
        return done();

    if (mask && dst->depth == 1) {
        ImpHeader* t = impCreateImageHeader(1, 0, 1, "GRAY", "G", mask->dataOrder, mask->origin, mask->alignment, w, h,
                                            nullptr, nullptr, nullptr, nullptr);
        if (t)
            impAllocateImage(t, 0, 0);
        if (!t || !t->imageData) {
            impReleaseImageParts(t, 3);
            if (impGetStatus() >= 0)
                impSetStatus(IMP_StsNoMem);
            impRaiseError(-1, fn, "", kModule, 118);
            return done();
        }
        ImpHeader *srcMask = src->maskImage, *dstMask = dst->maskImage, *maskMask = mask->maskImage;
        mask->maskImage = nullptr;
        impCopy(mask, t);
        mask->maskImage = maskMask;
        dst->maskImage = t;
        impSet(dst, 0);
        dst->maskImage = nullptr;
        src->maskImage = nullptr;
        impAnd(src, t, t);
        impOr(dst, t, dst);
        src->maskImage = srcMask;
        dst->maskImage = dstMask;
        impReleaseImageParts(t, 3);
        if (impGetStatus() < 0)
            impRaiseError(-1, fn, "", kModule, 118);
        return done();
    }

    if (src->tileInfo || dst->tileInfo) {
        copyTiled(src, dst, mask, h, w);
        return done();
    }
    Region s, d;
    char* mStart = nullptr;
    int32_t mStep = 0, mBit = 0;
    if (!regionOf(src, &s) || !regionOf(dst, &d))
        return done();
    if (mask && !impRoiStartBits(mask, &mStart, &mStep, &mBit))
        return done();
    if (s.count != d.count) {
        impRaiseError(-5, fn, "Number of processed channels of srcImage != Number of processed channels of dstImage",
                      kModule, 281);
        return done();
    }
    int32_t bits = impDepthBits(dst->depth);
    if (bits == 1) {
        impCopyBits1uXor((const unsigned char*)s.start, (unsigned char*)d.start, s.bitOffset, d.bitOffset, w, h,
                         s.rowStep, d.rowStep, 0);
    } else {
        dispatchBits(bits, &s, d, mStart, mStep, mBit, w, h, 0);
    }
    done();
}

void impSet(ImpHeader* image, int32_t value)
{
    const char* fn = "impSet";
    if (impCheckImage(image)) {
        impRaiseError(impGetStatus(), fn, "Incorrect Image", kModule, 395);
        return;
    }
    if (image->depth == 32) {
        impRaiseError(-17, fn, "You should use impSetFP for this image", kModule, 397);
        return;
    }
    value = impClampToDepth(image->depth, value);
    int32_t h, w;
    if (!impRoiSize2(image, image->maskImage, &h, &w, 1) || h < 1 || w < 1)
        return;
    ImpHeader* mask = image->maskImage;
    if (mask && image->depth == 1) {
        image->maskImage = nullptr;
        if (value) {
            impOr(image, mask, image);
        } else {
            impXorS(mask, mask, 1);
            impAnd(image, mask, image);
            impXorS(mask, mask, 1);
        }
        image->maskImage = mask;
        if (impGetStatus() < 0)
            impRaiseError(-1, fn, "", kModule, 433);
        return;
    }
    if (image->tileInfo) {
        TileGrid g;
        impRoiTiles(image, h, w, &g.xIn, &g.yIn, &g.th, &g.tw, &g.col0, &g.row0, &g.cols, &g.rows);
        int32_t step = impTileRowStep(image);
        int32_t mx = mask ? roiX(mask) : 0, my = mask ? roiY(mask) : 0;
        for (int32_t j = 0; j < g.rows; ++j) {
            for (int32_t i = 0; i < g.cols; ++i) {
                int32_t pw = g.partWidth(i, w), ph = g.partHeight(j, h), px = g.partX(i), py = g.partY(j);
                image->tileInfo->callBack(image, g.col0 + i, g.row0 + j, IMP_TILE_WRITE);
                char* tile = (char*)image->tileInfo->tileData;
                if (!tile) {
                    impRaiseError(-2, fn, "Error get tile to write", kModule, 503);
                    return;
                }
                PartHeader part;
                part.make(image, i == 0 ? g.xIn : 0, j == 0 ? g.yIn : 0, pw, ph, mask, mx + px, my + py);
                part.usePixels(tile, image->tileInfo->width, image->tileInfo->height, step);
                impSet(&part.h, value);
                image->tileInfo->tileData = tile;
                image->tileInfo->callBack(image, g.col0 + i, g.row0 + j, IMP_TILE_RELEASE);
                if (impGetStatus() < 0)
                    return;
            }
        }
        return;
    }
    Region d;
    char* mStart = nullptr;
    int32_t mStep = 0, mBit = 0;
    if (!regionOf(image, &d))
        return;
    if (mask && !impRoiStartBits(mask, &mStart, &mStep, &mBit))
        return;
    int32_t bits = impDepthBits(image->depth);
    if (bits == 1) {
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x)
                impPutBit(d.start + (int64_t)y * d.rowStep, d.bitOffset + x, value & 1);
    } else {
        dispatchBits(bits, nullptr, d, mStart, mStep, mBit, w, h, value);
    }
}
