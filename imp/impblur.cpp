// impBlur: argument checks, the blur region and mask, bordered copies of the source, tiles of the destination.
#include "imp/impblur.h"

#include <algorithm>

#include "imp/impalloc.h"
#include "imp/impbands.h"
#include "imp/impblur_pass.h"
#include "imp/imperror.h"
#include "imp/implogic.h"
#include "imp/impsce.h"
#include "imp/ownrect.h"

namespace {

struct Region {
    int32_t x = 0, y = 0, width = 0, height = 0, first = 1, last = 0;
};

// The image's region and channel range; false when its alpha channel leaves it unusable.
bool blurRegion(const ImpHeader* h, Region* r)
{
    *r = Region{0, 0, h->width, h->height, 1, h->channels};
    if (h->roi) {
        r->x = h->roi->offsetX, r->y = h->roi->offsetY;
        r->width = std::min(h->roi->width, h->width - r->x);
        r->height = std::min(h->roi->height, h->height - r->y);
        if (h->roi->coi) {
            r->first = r->last = h->roi->coi;
            return true;
        }
    }
    if (!h->alphaIndex)
        return true;
    if (h->alphaIndex != h->channels)
        return false;
    r->last = h->channels - 1;
    return r->last >= 1;
}

struct Blur {
    ImpHeader* src;
    ImpHeader* dst;
    int32_t nCols, nRows, anchorX, anchorY;
    Region rs, rd;
    ImpHeader* mask = nullptr;

    ~Blur() { impReleaseImageParts(mask, 31); }

    // The one mask, or both ANDed, copied into an image of the work size whose pixel (0, 0) governs the region's
    // first output pixel. impConvolve2D builds the same AND but reads a lone mask in place at its region offset;
    // the blur's runs address the mask from the work origin only, so it always copies.
    bool buildMask(int32_t w, int32_t h)
    {
        ImpHeader* a = src->maskImage;
        ImpHeader* b = dst->maskImage;
        ImpHeader* like = a ? a : b;
        mask = impCreateImageHeader(1, 0, IMP_DEPTH_1U, "GRAY", "GRAY", like->dataOrder, like->origin, like->alignment,
                                    w, h, nullptr, nullptr, nullptr, nullptr);
        if (!mask)
            return false;
        impAllocateImage(mask, 1, 0);
        if (!mask->imageData)
            return false;
        if (a && b)
            impAnd(a, b, mask);
        else
            impCopy(like, mask);
        return true;
    }

    // Output pixels (ox, oy) .. of the region, whose first window starts at pixel (bx, by) of the source pixels in
    // copy, into pixel (dx, dy) of pixels laid out like the destination.
    bool runBlock(const char* copy, int64_t copyStep, int64_t copyPlane, int32_t bx, int32_t by, char* out,
                  int64_t outStep, int64_t outPlane, int32_t ox, int32_t oy, int32_t dx, int32_t dy, int32_t w,
                  int32_t h)
    {
        int32_t depth = src->depth;
        ImpBlurRun run{nullptr, copyStep, 1, 1, nullptr, outStep, 1, w, h, nCols, nRows, nullptr, 0, 0, 0, 1};
        if (mask)
            run.maskBits = mask->imageData, run.maskStep = mask->widthStep, run.maskX = ox, run.maskY = oy;
        copy += by * copyStep;
        if (depth == IMP_DEPTH_1U)
            return runBits(copy, copyStep, bx, out, outStep, dx, dy, run);
        int32_t e = impBytesPerChannel(depth), n = rs.last - rs.first + 1, cs = rs.first - 1, cd = rd.first - 1;
        bool pixel = src->dataOrder == IMP_DATA_ORDER_PIXEL;
        if (pixel && n == src->channels && n == dst->channels) {
            run.src = copy + (int64_t)bx * n * e;
            run.dst = out + dy * outStep + (int64_t)dx * n * e;
            run.count = w * n;
            run.tapStep = run.maskRepeat = n;
            return impBlurPass(depth, run);
        }
        if (pixel)
            run.elemStep = run.tapStep = src->channels, run.dstElemStep = dst->channels;
        for (int32_t c = 0; c < n; ++c) {
            run.src = pixel ? copy + ((int64_t)bx * src->channels + cs + c) * e
                            : copy + (cs + c) * copyPlane + (int64_t)bx * e;
            run.dst = pixel ? out + dy * outStep + ((int64_t)dx * dst->channels + cd + c) * e
                            : out + (cd + c) * outPlane + dy * outStep + (int64_t)dx * e;
            if (!impBlurPass(depth, run))
                return false;
        }
        return true;
    }

    // 1-bit pixels through bytes of 0 and 1.
    bool runBits(const char* copy, int64_t copyStep, int32_t ox, char* out, int64_t outStep, int32_t dx, int32_t dy,
                 ImpBlurRun run)
    {
        int32_t bw = run.count + nCols - 1, bh = run.rows + nRows - 1;
        auto* in = static_cast<uint8_t*>(impAlignedMalloc((int64_t)bw * bh));
        auto* res = in ? static_cast<uint8_t*>(impAlignedMalloc((int64_t)run.count * run.rows)) : nullptr;
        bool ok = res != nullptr;
        if (ok) {
            for (int32_t i = 0; i < bh; ++i)
                for (int32_t j = 0; j < bw; ++j)
                    in[(int64_t)i * bw + j] = impGetBit(copy + i * copyStep, ox + j);
            for (int32_t i = 0; i < run.rows; ++i)
                for (int32_t j = 0; j < run.count; ++j)
                    res[(int64_t)i * run.count + j] = impGetBit(out + (dy + i) * outStep, dx + j);
            run.src = (const char*)in, run.srcStep = bw, run.dst = (char*)res, run.dstStep = run.count;
            ok = impBlurPass(IMP_DEPTH_1U, run);
            for (int32_t i = 0; i < run.rows && ok; ++i)
                for (int32_t j = 0; j < run.count; ++j)
                    impPutBit(out + (dy + i) * outStep, dx + j, res[(int64_t)i * run.count + j]);
        }
        impAlignedFree(in);
        impAlignedFree(res);
        return ok;
    }

    // Output pixels (ox, oy) .. through a bordered copy of their windows, into the untiled destination.
    bool copyPiece(int32_t ox, int32_t oy, int32_t w, int32_t h)
    {
        if (w < 1 || h < 1)
            return true;
        int32_t step = 0, bh = h + nRows - 1;
        char* copy = impGetBorderedBlock(src, rs.x + ox - anchorX, rs.y + oy - anchorY, w + nCols - 1, bh, &step);
        bool ok = copy && runBlock(copy, step, (int64_t)step * bh, 0, 0, dst->imageData, dst->widthStep,
                                   (int64_t)dst->widthStep * dst->height, ox, oy, rd.x + ox, rd.y + oy, w, h);
        impFreeBuffer(copy);
        return ok;
    }

    // Distinct untiled images: the bands whose windows reach past the source's edges go through bordered copies,
    // the interior is read in place.
    bool strips(int32_t w, int32_t h)
    {
        int32_t left = anchorX, top = anchorY, right = nCols - 1 - anchorX, bottom = nRows - 1 - anchorY;
        int32_t y0 = rs.y, h0 = h, x0 = rs.x, w0 = w, tH = 0, bH = 0, lW = 0, rW = 0;
        if (y0 < top)
            tH = std::min(h0, top - y0);
        if (!copyPiece(0, 0, w, tH))
            return false;
        y0 += tH, h0 -= tH;
        if (h0 > 0 && y0 + h0 > src->height - bottom)
            bH = std::min(h0, y0 + h0 - (src->height - bottom));
        if (!copyPiece(0, tH + h0 - bH, w, bH))
            return false;
        h0 -= bH;
        if (h0 < 1)
            return true;
        if (x0 < left)
            lW = std::min(w0, left - x0);
        if (!copyPiece(0, tH, lW, h0))
            return false;
        x0 += lW, w0 -= lW;
        if (w0 > 0 && x0 + w0 > src->width - right)
            rW = std::min(w0, x0 + w0 - (src->width - right));
        if (!copyPiece(lW + w0 - rW, tH, rW, h0))
            return false;
        w0 -= rW;
        if (w0 < 1)
            return true;
        return runBlock(src->imageData, src->widthStep, (int64_t)src->widthStep * src->height, x0 - left, y0 - top,
                        dst->imageData, dst->widthStep, (int64_t)dst->widthStep * dst->height, lW, tH, rd.x + lW,
                        rd.y + tH, w0, h0);
    }

    // One band of output rows from its bordered block: into the untiled destination, or tile by tile.
    bool writeBand(const char* copy, int32_t step, int32_t oy, int32_t rows, int32_t w)
    {
        int64_t plane = (int64_t)step * (rows + nRows - 1);
        if (!dst->tileInfo)
            return runBlock(copy, step, plane, 0, 0, dst->imageData, dst->widthStep,
                            (int64_t)dst->widthStep * dst->height, 0, oy, rd.x, rd.y + oy, w, rows);
        ImpTileSpec* t = dst->tileInfo;
        int32_t tw = t->width, th = t->height, y0 = rd.y + oy;
        int64_t tileStep = impRowStep(dst->dataOrder, dst->depth, dst->alignment, dst->channels, tw);
        for (int32_t row = y0 / th; row <= (y0 + rows - 1) / th; ++row)
            for (int32_t col = rd.x / tw; col <= (rd.x + w - 1) / tw; ++col) {
                int32_t px = std::max(rd.x, col * tw), py = std::max(y0, row * th);
                int32_t pw = std::min(rd.x + w, (col + 1) * tw) - px, ph = std::min(y0 + rows, (row + 1) * th) - py;
                t->callBack(dst, col, row, IMP_TILE_WRITE);
                if (!t->tileData)
                    return false;
                bool ok = runBlock(copy, step, plane, px - rd.x, py - y0, (char*)t->tileData, tileStep, tileStep * th,
                                   px - rd.x, py - rd.y, px - col * tw, py - row * th, pw, ph);
                t->callBack(dst, col, row, IMP_TILE_RELEASE);
                if (!ok)
                    return false;
            }
        return true;
    }

    // Tiled images, or one image in place: bands of destination tile rows, each through a bordered copy of its
    // windows. A band's copy is made before the band above it is written, so the same image may be source and
    // destination whatever the anchor, and memory stays within two bands and their margins.
    bool run(int32_t w, int32_t h)
    {
        if (src != dst && !src->tileInfo && !dst->tileInfo)
            return strips(w, h);
        const ImpTileSpec* tiles = dst->tileInfo ? dst->tileInfo : src->tileInfo;
        ImpRowBands bands(dst->tileInfo ? rd.y : rs.y, tiles ? tiles->height : 64, anchorY);
        auto fetch = [&](int32_t oy, int32_t rows, int32_t* step) {
            return impGetBorderedBlock(src, rs.x - anchorX, rs.y + oy - anchorY, w + nCols - 1, rows + nRows - 1, step);
        };
        int32_t oy = 0, rows = bands.rows(0, h), step = 0, nextStep = 0;
        char* copy = fetch(0, rows, &step);
        bool ok = copy != nullptr;
        while (ok && oy < h) {
            int32_t nextRows = oy + rows < h ? bands.rows(oy + rows, h) : 0;
            char* next = nextRows ? fetch(oy + rows, nextRows, &nextStep) : nullptr;
            ok = (!nextRows || next) && writeBand(copy, step, oy, rows, w);
            impFreeBuffer(copy);
            copy = next, step = nextStep, oy += rows, rows = nextRows;
        }
        impFreeBuffer(copy);
        return ok;
    }
};

}  // namespace

void impBlur(ImpHeader* srcImage, ImpHeader* dstImage, int32_t nCols, int32_t nRows, int32_t anchorX, int32_t anchorY)
{
    auto fail = [](int32_t status, const char* text) { impRaiseError(status, "impBlur", text, "impblur", 0); };
    int32_t status = impCheckImage(srcImage);
    if (status == 0)
        status = impCheckImage(dstImage);
    if (status != 0)
        return fail(status, "Incorrect Image");
    if (srcImage->depth != dstImage->depth)
        return fail(IMP_StsBadArg, "(srcImage->depth!=dstImage->depth)");
    if (nRows < 0 || nCols < 0)
        return fail(IMP_StsBadArg, "(nRows<0||nCols<0)");
    if (anchorX < 0 || anchorY < 0)
        return fail(IMP_StsBadArg, "(anchorX<0||anchorY<0)");
    if (anchorX >= nCols || anchorY >= nRows)
        return fail(IMP_StsBadArg, "(anchorX>=nCols||anchorY>=nRows)");
    if (nCols == 1 && nRows == 1)
        return impCopy(srcImage, dstImage);
    // One-channel and 1-bit pixels lie the same way in either order; more channels would be addressed wrongly.
    bool sameLayout = srcImage->depth == IMP_DEPTH_1U || (srcImage->channels == 1 && dstImage->channels == 1);
    if (srcImage->dataOrder != dstImage->dataOrder && !sameLayout)
        return fail(IMP_StsBadArg, "(srcImage->dataOrder!=dstImage->dataOrder)");
    Blur b{srcImage, dstImage, nCols, nRows, anchorX, anchorY, {}, {}};
    if (!blurRegion(dstImage, &b.rd) || !blurRegion(srcImage, &b.rs))
        return fail(-18, "bad alpha channel's number");
    int32_t w = std::min(b.rs.width, b.rd.width), h = std::min(b.rs.height, b.rd.height);
    if (b.rs.last - b.rs.first != b.rd.last - b.rd.first)
        return fail(-15, "bad channel's number");
    for (ImpHeader* m : {srcImage->maskImage, dstImage->maskImage}) {
        Region r;
        if (!m)
            continue;
        if (!blurRegion(m, &r))
            return fail(-18, "bad alpha channel's number");
        w = std::min(w, r.width), h = std::min(h, r.height);
    }
    if (w < 1 || h < 1)
        return;
    if ((srcImage->maskImage || dstImage->maskImage) && !b.buildMask(w, h))
        return fail(IMP_StsNoMem, "Allocation failure");
    if (!b.run(w, h))
        return fail(IMP_StsNoMem, "Allocation failure");
}
