// impZoom over tiled images: destination tiles or 64 x 64 blocks, sources gathered with their borders.
#include <algorithm>
#include <cmath>

#include "imp/impalloc.h"
#include "imp/imperror.h"
#include "imp/impgeom.h"
#include "imp/impzoom_core.h"
#include "imp/impzoom_kernels.h"
#include "imp/ownrect.h"

static const char* kModule = "impZoom";

int32_t impZoomTileGrid(const ImpHeader* src, const ImpHeader* dst, double xRatio, double yRatio, int32_t* height,
                        int32_t* width, int32_t* xOffset, int32_t* yOffset, int32_t* tileHeight, int32_t* tileWidth,
                        int32_t* firstColumn, int32_t* firstRow, int32_t* columns, int32_t* rows)
{
    ImpZoomExtent se = impZoomRegion(src), de = impZoomRegion(dst);
    if (de.width <= 0 || de.height <= 0)
        return 0;
    // A destination without tiles is walked in blocks of 64 x 64.
    int32_t tw = dst->tileInfo ? dst->tileInfo->width : 64, th = dst->tileInfo ? dst->tileInfo->height : 64;
    int32_t w = std::max(1, std::min(de.width, impFloorEps(se.width / xRatio)));
    int32_t h = std::max(1, std::min(de.height, impFloorEps(se.height / yRatio)));
    *width = w;
    *height = h;
    *tileWidth = tw;
    *tileHeight = th;
    *firstColumn = de.offX / tw;
    *xOffset = de.offX % tw;
    *columns = (de.offX + w - 1) / tw - *firstColumn + 1;
    *firstRow = de.offY / th;
    *yOffset = de.offY % th;
    *rows = (de.offY + h - 1) / th - *firstRow + 1;
    return 1;
}

namespace {

// A header copy with its own region and a mask copy with its own region.
struct PieceHeader {
    ImpHeader h;
    ImpRoiRecord roi;
    ImpHeader mask;
    ImpRoiRecord maskRoi;

    void make(const ImpHeader* im, int32_t x, int32_t y, int32_t w, int32_t hgt)
    {
        h = *im;
        roi = ImpRoiRecord{im->roi ? im->roi->coi : 0, x, y, w, hgt};
        h.roi = &roi;
        h.tileInfo = nullptr;
        h.maskImage = nullptr;
    }
    void moveMask(const ImpHeader* m, int32_t x, int32_t y, int32_t w, int32_t hgt)
    {
        if (!m)
            return;
        mask = *m;
        maskRoi = ImpRoiRecord{0, x, y, w, hgt};
        mask.roi = &maskRoi;
        h.maskImage = &mask;
    }
    void usePixels(char* data, int32_t w, int32_t hgt, int32_t step)
    {
        h.imageData = data;
        h.rawData = nullptr;
        h.width = w;
        h.height = hgt;
        h.widthStep = step;
        h.imageSize = step * hgt * (h.dataOrder == 1 ? h.channels : 1);
    }
};

// One axis of a block: its size, its offset from the region's start, its source index and start fraction.
struct BlockAxis {
    int32_t size, offset, source;
    double fraction;
};

BlockAxis blockAxis(int32_t index, int32_t count, int32_t inTile, int32_t tile, int32_t extent, int32_t sourceStart,
                    double step)
{
    BlockAxis a{};
    if (count == 1)
        a.size = extent;
    else if (index == 0)
        a.size = tile - inTile;
    else if (index == count - 1)
        a.size = (inTile + extent - 1) % tile + 1;
    else
        a.size = tile;
    if (index == 0) {
        a.offset = 0;
        a.source = sourceStart;
        a.fraction = 0.0;
    } else {
        a.offset = index * tile - inTile;
        double s = sourceStart + a.offset * step;
        a.source = impFloorEps(s);
        a.fraction = s - a.source;
    }
    return a;
}

// Columns or rows gathered around a block of a tiled source: (before, widened size, unwidened size).
void gatherSpan(int32_t blockSize, double ratio, int32_t interpolate, int32_t source, int32_t imageExtent,
                int32_t* before, int32_t* widened, int32_t* plain)
{
    int32_t n = (ratio > 1.0 ? (int32_t)std::ceil(blockSize * ratio) : blockSize) + 1;
    *plain = n;
    int32_t w = n;
    if (interpolate != IMP_INTER_NN) {
        w = std::min(n + 1, std::max(n, imageExtent - source));
        if (interpolate == IMP_INTER_CUBIC && source + w + 1 <= imageExtent)
            w += 1;
    }
    *widened = w;
    if (interpolate == IMP_INTER_LINEAR)
        *before = source > 0 ? 1 : 0;
    else if (interpolate == IMP_INTER_CUBIC)
        *before = w == 3 ? 2 : w == 2 ? 3 : 1;
    else
        *before = 0;
}

}  // namespace

int32_t impZoomTiled(ImpHeader* src, ImpHeader* dst, double xRatio, double yRatio, int32_t interpolate, double xStep,
                     double yStep)
{
    const char* fn = "impZoom";
    int32_t H, W, ox, oy, th, tw, c0, r0, cols, rows;
    if (!impZoomTileGrid(src, dst, xRatio, yRatio, &H, &W, &ox, &oy, &th, &tw, &c0, &r0, &cols, &rows))
        return 0;
    ImpZoomExtent se = impZoomRegion(src), de = impZoomRegion(dst);
    const ImpHeader* sm = src->maskImage;
    const ImpHeader* dm = dst->maskImage;
    int32_t smX = sm && sm->roi ? sm->roi->offsetX : 0, smY = sm && sm->roi ? sm->roi->offsetY : 0;
    int32_t dmX = dm && dm->roi ? dm->roi->offsetX : 0, dmY = dm && dm->roi ? dm->roi->offsetY : 0;
    int32_t tileStep = dst->tileInfo ? impTileRowStep(dst) : 0;
    for (int32_t r = 0; r < rows; ++r) {
        BlockAxis by = blockAxis(r, rows, oy, th, H, se.offY, yStep);
        for (int32_t c = 0; c < cols; ++c) {
            BlockAxis bx = blockAxis(c, cols, ox, tw, W, se.offX, xStep);
            PieceHeader d, s;
            char* tile = nullptr;
            if (dst->tileInfo) {
                dst->tileInfo->callBack(dst, c0 + c, r0 + r, IMP_TILE_WRITE);
                tile = (char*)dst->tileInfo->tileData;
                if (!tile)
                    return impRaiseError(-2, fn, "Error get tile to write", kModule, src->tileInfo ? 884 : 1360);
                d.make(dst, c == 0 ? ox : 0, r == 0 ? oy : 0, bx.size, by.size);
                d.usePixels(tile, dst->tileInfo->width, dst->tileInfo->height, tileStep);
            } else {
                d.make(dst, de.offX + bx.offset, de.offY + by.offset, bx.size, by.size);
            }
            d.moveMask(dm, dmX + bx.offset, dmY + by.offset, bx.size, by.size);
            char* block = nullptr;
            if (src->tileInfo) {
                int32_t beforeX, wideX, plainX, beforeY, wideY, plainY, step = 0;
                gatherSpan(bx.size, xRatio, interpolate, bx.source, src->width, &beforeX, &wideX, &plainX);
                gatherSpan(by.size, yRatio, interpolate, by.source, src->height, &beforeY, &wideY, &plainY);
                block = impGetBorderedBlock(src, bx.source - beforeX, by.source - beforeY, wideX + beforeX,
                                            wideY + beforeY, &step);
                if (!block || impGetStatus() < 0) {
                    if (tile) {
                        dst->tileInfo->tileData = tile;
                        dst->tileInfo->callBack(dst, c0 + c, r0 + r, IMP_TILE_RELEASE);
                    }
                    impFreeBuffer(block);
                    if (impGetStatus() >= 0)
                        impSetStatus(IMP_StsNoMem);
                    return impRaiseError(IMP_StsBackTrace, fn, "", kModule, 1400);
                }
                s.make(src, beforeX, beforeY, plainX, plainY);
                s.usePixels(block, wideX + beforeX, wideY + beforeY, step);
            } else {
                s.make(src, bx.source, by.source, se.width - (bx.source - se.offX), se.height - (by.source - se.offY));
            }
            if (sm) {
                int32_t mx = c == 0 ? smX : impFloorEps(smX + bx.offset * xStep);
                int32_t my = r == 0 ? smY : impFloorEps(smY + by.offset * yStep);
                s.moveMask(sm, mx, my, std::max(1, sm->width - mx), std::max(1, sm->height - my));
            }
            impZoomCore(&s.h, &d.h, xRatio, yRatio, interpolate, bx.fraction, by.fraction, xStep, yStep, 0);
            impFreeBuffer(block);
            if (tile) {
                dst->tileInfo->tileData = tile;
                dst->tileInfo->callBack(dst, c0 + c, r0 + r, IMP_TILE_RELEASE);
            }
            if (impGetStatus() < 0)
                return impGetStatus();
        }
    }
    return 0;
}
