// The warp driver: inverse map, covered spans and kernel choice, tile by tile for tiled images.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "imp/impalloc.h"
#include "imp/imperror.h"
#include "imp/impwarp.h"
#include "imp/impwarp_geom.h"
#include "imp/impwarp_kernels.h"
#include "imp/impwarp_quad.h"
#include "imp/ownrect.h"

static const char* kModule = "impwarp";

namespace {

// The inverse map of one transform kind: destination point to source point.
struct InverseMap {
    int32_t kind;
    double m[6];
    ImpQuadMap quad;
    int32_t orientation;

    InverseMap(int32_t k, const int32_t b[4], const double corners[8]) : kind(k), m{}, quad{}
    {
        if (kind == IMP_WARP_PERSPECTIVE)
            impPerspectiveFromQuad(b[0], b[1], b[2], b[3], corners, quad.c, &orientation, 0);
        else if (kind == IMP_WARP_BILINEAR)
            impBilinearFromQuad(b[0], b[1], b[2], b[3], corners, &quad.bilinear, &orientation);
        else
            impAffineFromQuad(b[0], b[1], b[2], b[3], corners, m, &orientation, 0);
    }

    void corners(int32_t x0, int32_t y0, int32_t x1, int32_t y1, double q[8]) const
    {
        if (kind == IMP_WARP_PERSPECTIVE)
            impPerspectiveQuadCorners(quad.c, x0, y0, x1, y1, q);
        else if (kind == IMP_WARP_BILINEAR)
            impBilinearInverseCorners(quad.bilinear, x0, y0, x1, y1, q);
        else
            impAffineQuadCorners(m, x0, y0, x1, y1, q);
    }
};

// Maps a destination rectangle back to the source and returns its bounding box in whole pixels.
void sourceBox(const InverseMap& map, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t box[4])
{
    double q[8];
    map.corners(x0, y0, x1, y1, q);
    for (double& v : q)
        v = std::isfinite(v) ? v : 0.0;
    double xmin = std::min({q[0], q[2], q[4], q[6]}), xmax = std::max({q[0], q[2], q[4], q[6]});
    double ymin = std::min({q[1], q[3], q[5], q[7]}), ymax = std::max({q[1], q[3], q[5], q[7]});
    box[0] = (int32_t)std::max(std::floor(xmin), -1e9);
    box[1] = (int32_t)std::max(std::floor(ymin), -1e9);
    box[2] = (int32_t)std::min(std::ceil(xmax), 1e9);
    box[3] = (int32_t)std::min(std::ceil(ymax), 1e9);
}

void warpUntiled(ImpHeader* src, ImpHeader* dst, const double corners[8], int32_t mode, const char* name,
                 const int32_t db[4], const InverseMap& map, int32_t clip)
{
    ImpRowCursor cs, cd;
    if (!impRoiCursor(src, &cs, clip) || !impRoiCursor(dst, &cd, clip))
        return;
    if (cs.channelsToProcess != cd.channelsToProcess) {
        impRaiseError(-5, name, "Number of processed channels of srcImage != Number of processed channels of dstImage",
                      kModule, 1270);
        return;
    }
    int32_t *firstCol = nullptr, *lastCol = nullptr, firstRow = 0, lastRow = 0;
    if (!impWarpSpans(corners, db[0], db[1], db[2], db[3], &firstCol, &lastCol, &firstRow, &lastRow)) {
        if (impGetStatus() < 0)
            impRaiseError(-1, name, "", kModule, 1276);
        return;
    }
    bool planar = src->dataOrder == IMP_DATA_ORDER_PLANE && !(cs.channels == 1 && cd.channels == 1);
    ImpWarpRun run;
    run.src = impPixelPtr(src, 0, 0, cs.firstChannel);
    run.dst = impPixelPtr(dst, 0, firstRow, cd.firstChannel);
    run.srcStep = src->widthStep;
    run.dstStep = dst->widthStep;
    run.srcStride = planar ? (int64_t)src->height * src->widthStep : src->channels;
    run.dstStride = planar ? (int64_t)dst->height * dst->widthStep : dst->channels;
    run.channels = cs.channelsToProcess;
    run.firstRow = firstRow;
    run.lastRow = lastRow;
    run.firstCol = firstCol;
    run.lastCol = lastCol;
    std::memcpy(run.m, map.m, sizeof(run.m));
    run.maxX = src->width - 1;
    run.maxY = src->height - 1;
    if (src->depth == 1) {
        run.src = src->imageData;
        run.dst = dst->imageData + (int64_t)firstRow * dst->widthStep;
    }
    if (map.kind == IMP_WARP_AFFINE) {
        if (src->depth == 1)
            impWarpAffine1u(run);
        else
            ImpWarpAffineKernels[(src->depth == 16 ? 6 : 0) + (planar ? 3 : 0) + mode](run);
    } else {
        void* work = impAlignedMalloc(((int64_t)(db[2] - db[0]) * 2 + 2) * 8);
        if (!work) {
            impAlignedFree(firstCol);
            impAlignedFree(lastCol);
            impSetStatus(IMP_StsNoMem);
            impRaiseError(-1, name, "", kModule, 1290);
            return;
        }
        bool perspective = map.kind == IMP_WARP_PERSPECTIVE;
        if (src->depth == 1)
            (perspective ? impWarpPerspective1u : impWarpBilinear1u)(run, map.quad, mode, work);
        else
            (perspective
                 ? ImpWarpPerspectiveKernels
                 : ImpWarpBilinearKernels)[(src->depth == 16 ? 2 : 0) + (planar ? 1 : 0)](run, map.quad, mode, work);
        impAlignedFree(work);
    }
    impAlignedFree(firstCol);
    impAlignedFree(lastCol);
}

// A private header over one block or tile: the given header's fields with its own region and no tiles.
struct PartHeader {
    ImpHeader h;
    ImpRoiRecord roi;
    PartHeader(const ImpHeader* of, int32_t x, int32_t y, int32_t w, int32_t hgt) : h(*of)
    {
        roi = ImpRoiRecord{of->roi ? of->roi->coi : 0, x, y, w, hgt};
        h.roi = &roi;
        h.tileInfo = nullptr;
        h.maskImage = nullptr;
    }
};

void warpTiled(ImpHeader* src, ImpHeader* dst, const double corners[8], int32_t mode, const char* name, int32_t kind,
               const int32_t sb[4], const int32_t db[4], const InverseMap& map)
{
    int32_t dw = db[2] - db[0] + 1, dh = db[3] - db[1] + 1;
    int32_t xIn, yIn, th, tw, col0, row0, cols, rows;
    impRoiTiles(dst, dh, dw, &xIn, &yIn, &th, &tw, &col0, &row0, &cols, &rows);
    for (int32_t r = row0; r < row0 + rows; ++r) {
        for (int32_t c = col0; c < col0 + cols; ++c) {
            int32_t tx0 = c * tw, ty0 = r * th, tx1 = tx0 + tw - 1, ty1 = ty0 + th - 1;
            int32_t box[4];
            sourceBox(map, tx0, ty0, tx1, ty1, box);
            if (box[2] < sb[0] || box[0] > sb[2] || box[3] < sb[1] || box[1] > sb[3])
                continue;
            int32_t bx0 = std::max(box[0] - 3, 0), by0 = std::max(box[1] - 3, 0);
            int32_t bx1 = std::min(box[2] + 3, src->width - 1), by1 = std::min(box[3] + 3, src->height - 1);
            if (bx1 < bx0 || by1 < by0)
                continue;
            int32_t blockStep = 0;
            char* block = impGetBorderedBlock(src, bx0, by0, bx1 - bx0 + 1, by1 - by0 + 1, &blockStep);
            if (!block || impGetStatus() < 0) {
                impFreeBuffer(block);
                impRaiseError(-1, name, "", kModule, 1330);
                return;
            }
            PartHeader s(src, sb[0] - bx0, sb[1] - by0, sb[2] - sb[0] + 1, sb[3] - sb[1] + 1);
            s.h.imageData = block;
            s.h.width = bx1 - bx0 + 1;
            s.h.height = by1 - by0 + 1;
            s.h.widthStep = blockStep;
            int32_t px0 = std::max(tx0, db[0]), py0 = std::max(ty0, db[1]);
            int32_t px1 = std::min(tx1, db[2]), py1 = std::min(ty1, db[3]);
            double q[8];
            std::memcpy(q, corners, sizeof(q));
            PartHeader d(dst, px0, py0, px1 - px0 + 1, py1 - py0 + 1);
            if (dst->tileInfo) {
                dst->tileInfo->callBack(dst, c, r, IMP_TILE_WRITE);
                if (!dst->tileInfo->tileData) {
                    impFreeBuffer(block);
                    impRaiseError(-2, name, "Error get tile to write", kModule, 1347);
                    return;
                }
                d.h.imageData = (char*)dst->tileInfo->tileData;
                d.h.width = tw;
                d.h.height = th;
                d.h.widthStep = impTileRowStep(dst);
                d.roi.offsetX -= tx0;
                d.roi.offsetY -= ty0;
                for (int i = 0; i < 4; ++i) {
                    q[2 * i] -= tx0;
                    q[2 * i + 1] -= ty0;
                }
            }
            impWarpGeneric(&s.h, &d.h, q, mode, name, kind, 0);
            impFreeBuffer(block);
            if (dst->tileInfo)
                dst->tileInfo->callBack(dst, c, r, IMP_TILE_RELEASE);
            if (impGetStatus() < 0)
                return;
        }
    }
}

}  // namespace

void impWarpGeneric(ImpHeader* src, ImpHeader* dst, const double corners[8], int32_t interpolate, const char* name,
                    int32_t kind, int32_t clip)
{
    int32_t mode = interpolate & ~IMP_SMOOTH_EDGE;
    int32_t w, h;
    if (!impRoiSize(src, &h, &w, clip))
        return;
    if (w < 2 || h < 2) {
        impRaiseError(-5, name, "srcImage Rectangle ROI is degenerate to length or point", kModule, 1250);
        return;
    }
    int32_t sb[4], db[4];
    if (!impRoiBounds(src, sb, clip) || !impRoiBounds(dst, db, clip))
        return;
    // Neighbourhoods that must lie inside the source image.
    if (mode < IMP_INTER_NN || mode > IMP_INTER_CUBIC)
        mode = IMP_INTER_CUBIC;
    if (src->depth == 1)
        mode = IMP_INTER_NN;
    else if (mode == IMP_INTER_CUBIC && (src->width < 4 || src->height < 4))
        mode = IMP_INTER_LINEAR;
    InverseMap map(kind, sb, corners);
    if (!src->tileInfo && !dst->tileInfo)
        warpUntiled(src, dst, corners, mode, name, db, map, clip);
    else
        warpTiled(src, dst, corners, mode, name, kind, sb, db, map);
    if ((interpolate & IMP_SMOOTH_EDGE) && clip && impGetStatus() >= 0)
        impWarpSmoothEdges(dst, corners, db, map.orientation);
}
