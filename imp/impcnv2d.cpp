// impConvolve2D: argument checks, work rectangles, the effective mask, border strips, banded copies and tiles.
#include <algorithm>
#include <vector>

#include "imp/impalloc.h"
#include "imp/impbands.h"
#include "imp/impcnv2d_plan.h"
#include "imp/impcnv2d_rows.h"
#include "imp/imperror.h"
#include "imp/implogic.h"
#include "imp/impsce.h"
#include "imp/ownrect.h"

namespace {

// Pixels of an image, a bordered block or a tile, with the layout of the image they come from.
struct View {
    char* data;
    int64_t rowStep, planeStep;
    int32_t channels, alphaIndex, depth, order;
};

struct Rect {
    int32_t coi, x, y, width, height;
};

View viewOf(const ImpHeader& h, char* data, int64_t rowStep, int32_t height)
{
    return View{data, rowStep, rowStep * height, h.channels, h.alphaIndex, h.depth, h.dataOrder};
}

void clampBorderValues(ImpHeader& h)
{
    for (int32_t& v : h.borderValue)
        v = h.depth == IMP_DEPTH_1U ? (v > 0) : impClampToDepth(h.depth, v);
}

// The header's region clipped to the image, narrowed to its mask's size.
Rect workRect(const ImpHeader& h)
{
    Rect r{0, 0, 0, h.width, h.height};
    if (h.roi) {
        r = Rect{h.roi->coi, h.roi->offsetX, h.roi->offsetY, std::min(h.roi->width, h.width - h.roi->offsetX),
                 std::min(h.roi->height, h.height - h.roi->offsetY)};
    }
    if (const ImpHeader* m = h.maskImage) {
        int32_t mw = m->width, mh = m->height;
        if (m->roi) {
            mw = std::min(m->roi->width, m->width - std::max(m->roi->offsetX, 0));
            mh = std::min(m->roi->height, m->height - std::max(m->roi->offsetY, 0));
        }
        r.width = std::min(r.width, mw);
        r.height = std::min(r.height, mh);
    }
    return r;
}

int32_t channelsToProcess(const ImpHeader& h, const Rect& r) { return r.coi ? 1 : h.channels - (h.alphaIndex ? 1 : 0); }

struct Core {
    ImpConvJob job{};
    ImpHeader src{}, dst{};
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    // The effective mask: pixel (maskX + i, maskY + j) governs output pixel (i, j). It is the one mask read in
    // place, or both masks ANDed into an image of the work size that the core owns.
    const ImpHeader* mask = nullptr;
    ImpHeader* ownMask = nullptr;
    int32_t maskX = 0, maskY = 0;
    Rect rs{}, rd{};

    ~Core() { impReleaseImageParts(ownMask, IMP_RELEASE_DATA | IMP_RELEASE_HEADER); }

    ImpMaskRows maskAt(int32_t x, int32_t y) const
    {
        ImpMaskRows m;
        if (mask)
            m = ImpMaskRows{mask->imageData, mask->widthStep, maskX + x, maskY + y, 1};
        return m;
    }

    // One rectangle of output, its windows readable around (sx, sy) in the source view.
    int32_t runPiece(const View& s, int32_t sx, int32_t sy, const View& d, int32_t dx, int32_t dy, int32_t w, int32_t h,
                     ImpMaskRows m) const
    {
        if (s.depth == IMP_DEPTH_1U)
            return runBits(s, sx, sy, d, dx, dy, w, h, m);
        int32_t e = impBytesPerChannel(s.depth), n = channelsToProcess(src, rs);
        int32_t cs = rs.coi ? rs.coi - 1 : 0, cd = rd.coi ? rd.coi - 1 : 0;
        auto element = [e](const View& v, int32_t x, int32_t y, int32_t c) {
            if (v.order == IMP_DATA_ORDER_PLANE)
                return v.data + c * v.planeStep + y * v.rowStep + (int64_t)x * e;
            return v.data + y * v.rowStep + ((int64_t)x * v.channels + c) * e;
        };
        ImpRowRun run{nullptr, s.rowStep, 1, 1, nullptr, d.rowStep, 1, w, h, left, top, m};
        bool wholeRows = s.order == IMP_DATA_ORDER_PIXEL && !rs.coi && !rd.coi && !s.alphaIndex && !d.alphaIndex &&
                         s.channels == d.channels;
        if (wholeRows) {
            run.src = element(s, sx - left, sy - top, 0);
            run.dst = element(d, dx, dy, 0);
            run.count = w * s.channels;
            run.tapStep = s.channels;
            run.mask.repeat = s.channels;
            return impConvolveRun(job, run);
        }
        if (s.order == IMP_DATA_ORDER_PIXEL) {
            run.elemStep = run.tapStep = s.channels;
            run.dstElemStep = d.channels;
        }
        for (int32_t c = 0; c < n; ++c) {
            run.src = element(s, sx - left, sy - top, cs + c);
            run.dst = element(d, dx, dy, cd + c);
            if (int32_t r = impConvolveRun(job, run))
                return r;
        }
        return 0;
    }

    // 1-bit images: the windows' bits and the destination's bits as bytes of 0 and 1, worked as 8-bit rows.
    int32_t runBits(const View& s, int32_t sx, int32_t sy, const View& d, int32_t dx, int32_t dy, int32_t w, int32_t h,
                    ImpMaskRows m) const
    {
        int32_t bw = w + left + right, bh = h + top + bottom;
        auto* in = static_cast<uint8_t*>(impAlignedMalloc((int64_t)bw * bh));
        auto* out = in ? static_cast<uint8_t*>(impAlignedMalloc((int64_t)w * h)) : nullptr;
        if (!out) {
            impAlignedFree(in);
            return 3;
        }
        for (int32_t i = 0; i < bh; ++i)
            for (int32_t j = 0; j < bw; ++j)
                in[(int64_t)i * bw + j] = impGetBit(s.data + (sy - top + i) * s.rowStep, sx - left + j);
        for (int32_t i = 0; i < h; ++i)
            for (int32_t j = 0; j < w; ++j)
                out[(int64_t)i * w + j] = impGetBit(d.data + (dy + i) * d.rowStep, dx + j);
        ImpRowRun run{(const char*)in, bw, 1, 1, (char*)out, w, 1, w, h, left, top, m};
        int32_t r = impConvolveRun(job, run);
        for (int32_t i = 0; i < h; ++i)
            for (int32_t j = 0; j < w; ++j)
                impPutBit(d.data + (dy + i) * d.rowStep, dx + j, out[(int64_t)i * w + j] != 0);
        impAlignedFree(in);
        impAlignedFree(out);
        return r;
    }

    // A source rectangle through a bordered copy of it and its margins.
    int32_t copyPiece(int32_t sx, int32_t sy, int32_t w, int32_t h, const View& d, int32_t dx, int32_t dy,
                      ImpMaskRows m)
    {
        if (w < 1 || h < 1)
            return 0;
        int32_t step = 0, bh = h + top + bottom;
        char* block = impGetBorderedBlock(&src, sx - left, sy - top, w + left + right, bh, &step);
        if (!block)
            return 3;
        int32_t r = runPiece(viewOf(src, block, step, bh), left, top, d, dx, dy, w, h, m);
        impFreeBuffer(block);
        return r;
    }

    // Distinct untiled images: strips whose windows reach past the image edge go through bordered copies, the
    // interior is read in place.
    int32_t strips(int32_t w, int32_t h)
    {
        View s = viewOf(src, src.imageData, src.widthStep, src.height),
             d = viewOf(dst, dst.imageData, dst.widthStep, dst.height);
        int32_t x0 = rs.x, y0 = rs.y, w0 = w, h0 = h, tH = 0, bH = 0, lW = 0, rW = 0, r = 0;
        if (y0 < top)
            tH = std::min(h0, top - y0);
        if ((r = copyPiece(x0, y0, w0, tH, d, rd.x, rd.y, maskAt(0, 0))))
            return r;
        y0 += tH, h0 -= tH;
        if (h0 > 0 && y0 + h0 > src.height - bottom)
            bH = std::min(h0, y0 + h0 - (src.height - bottom));
        if ((r = copyPiece(x0, y0 + h0 - bH, w0, bH, d, rd.x, rd.y + tH + h0 - bH, maskAt(0, tH + h0 - bH))))
            return r;
        h0 -= bH;
        if (h0 < 1)
            return 0;
        if (x0 < left)
            lW = std::min(w0, left - x0);
        if ((r = copyPiece(x0, y0, lW, h0, d, rd.x, rd.y + tH, maskAt(0, tH))))
            return r;
        x0 += lW, w0 -= lW;
        if (w0 > 0 && x0 + w0 > src.width - right)
            rW = std::min(w0, x0 + w0 - (src.width - right));
        if ((r = copyPiece(x0 + w0 - rW, y0, rW, h0, d, rd.x + lW + w0 - rW, rd.y + tH, maskAt(lW + w0 - rW, tH))))
            return r;
        w0 -= rW;
        if (w0 < 1)
            return 0;
        return runPiece(s, x0, y0, d, rd.x + lW, rd.y + tH, w0, h0, maskAt(lW, tH));
    }

    // One band of output rows from its bordered block: into the untiled destination, or tile by tile.
    int32_t writeBand(char* block, int32_t step, int32_t oy, int32_t rows, int32_t w)
    {
        View s = viewOf(src, block, step, rows + top + bottom);
        if (!dst.tileInfo)
            return runPiece(s, left, top, viewOf(dst, dst.imageData, dst.widthStep, dst.height), rd.x, rd.y + oy, w,
                            rows, maskAt(0, oy));
        ImpTileSpec* t = dst.tileInfo;
        int32_t tw = t->width, th = t->height, y0 = rd.y + oy;
        int64_t tileStep = impRowStep(dst.dataOrder, dst.depth, dst.alignment, dst.channels, tw);
        for (int32_t row = y0 / th; row <= (y0 + rows - 1) / th; ++row)
            for (int32_t col = rd.x / tw; col <= (rd.x + w - 1) / tw; ++col) {
                int32_t px = std::max(rd.x, col * tw), py = std::max(y0, row * th);
                int32_t pw = std::min(rd.x + w, (col + 1) * tw) - px, ph = std::min(y0 + rows, (row + 1) * th) - py;
                t->callBack(&dst, col, row, IMP_TILE_WRITE);
                if (!t->tileData)
                    return 3;
                View d = viewOf(dst, (char*)t->tileData, tileStep, th);
                int32_t ox = px - rd.x;
                int32_t r = runPiece(s, left + ox, top + py - y0, d, px - col * tw, py - row * th, pw, ph,
                                     maskAt(ox, py - rd.y));
                t->callBack(&dst, col, row, IMP_TILE_RELEASE);
                if (r)
                    return r;
            }
        return 0;
    }

    // Tiled images or one image in place: bands of destination tile rows, each through a bordered copy of its
    // windows. A band's copy is made before the band above it is written, so the same image may be source and
    // destination, and memory stays within two bands and their margins.
    int32_t throughCopy(int32_t w, int32_t h)
    {
        const ImpTileSpec* tiles = dst.tileInfo ? dst.tileInfo : src.tileInfo;
        ImpRowBands bands(dst.tileInfo ? rd.y : rs.y, tiles ? tiles->height : 64, top);
        auto fetch = [&](int32_t oy, int32_t rows, int32_t* step) {
            return impGetBorderedBlock(&src, rs.x - left, rs.y + oy - top, w + left + right, rows + top + bottom, step);
        };
        int32_t oy = 0, rows = bands.rows(0, h), step = 0, nextStep = 0;
        char* block = fetch(0, rows, &step);
        int32_t r = block ? 0 : 3;
        while (!r && oy < h) {
            int32_t nextRows = oy + rows < h ? bands.rows(oy + rows, h) : 0;
            char* next = nextRows ? fetch(oy + rows, nextRows, &nextStep) : nullptr;
            r = nextRows && !next ? 3 : writeBand(block, step, oy, rows, w);
            impFreeBuffer(block);
            block = next, step = nextStep, oy += rows, rows = nextRows;
        }
        impFreeBuffer(block);
        return r;
    }

    // A lone mask is read in place from its region offset; two are ANDed into an image of the work size. impBlur
    // copies even a lone mask, as its runs address the mask from the work origin only.
    bool buildMask(ImpHeader* a, ImpHeader* b, int32_t w, int32_t h)
    {
        if (!a || !b) {
            mask = a ? a : b;
            if (mask->roi)
                maskX = std::max(mask->roi->offsetX, 0), maskY = std::max(mask->roi->offsetY, 0);
            return true;
        }
        ownMask = impCreateImageHeader(1, 0, IMP_DEPTH_1U, b->colorModel, b->channelSequence, b->dataOrder, b->origin,
                                       b->alignment, w, h, nullptr, nullptr, b->userTag, nullptr);
        if (!ownMask)
            return false;
        impAllocateImage(ownMask, 1, 0);
        if (!ownMask->imageData)
            return false;
        impAnd(a, b, ownMask);
        mask = ownMask;
        return true;
    }

    int32_t run(ImpHeader* srcImage, ImpHeader* dstImage, ImpKernel** kernels, int32_t nKernels, int32_t method)
    {
        src = *srcImage, dst = *dstImage;
        clampBorderValues(src);
        clampBorderValues(dst);
        rs = workRect(src), rd = workRect(dst);
        int32_t w = std::min(rs.width, rd.width), h = std::min(rs.height, rd.height);
        if (w < 1 || h < 1)
            return 0;
        if ((rs.coi == 0) != (rd.coi == 0))
            return 5;
        if (!rs.coi) {
            int32_t ns = channelsToProcess(src, rs), nd = channelsToProcess(dst, rd);
            if (ns == 0 || nd == 0)
                return 1;
            if (ns != nd)
                return 2;
        }
        job.kernels = kernels;
        job.nKernels = nKernels;
        job.method = method;
        job.depth = src.depth;
        if (src.maskImage || dst.maskImage) {
            job.flags |= 1;
            if (!buildMask(src.maskImage, dst.maskImage, w, h))
                return 3;
        }
        impKernelMargins(kernels, nKernels, &left, &top, &right, &bottom);
        impPreparePlans(&job, src.depth);
        bool untiled = !src.tileInfo && !dst.tileInfo;
        if (srcImage != dstImage && untiled)
            return strips(w, h);
        return throughCopy(w, h);
    }
};

bool badOffsets(const ImpHeader* h)
{
    const ImpRoiRecord* r = h->roi;
    return r && (r->offsetX < 0 || r->offsetY < 0 || r->offsetX >= h->width || r->offsetY >= h->height);
}

}  // namespace

void impConvolve2D(ImpHeader* srcImage, ImpHeader* dstImage, ImpKernel** kernels, int32_t nKernels,
                   int32_t combineMethod)
{
    const char* fn = "impConvolve2D";
    auto fail = [fn](int32_t status, const char* text, int32_t line) {
        impRaiseError(status, fn, text, "impcnv2d", line);
    };
    int32_t status = impCheckImage(srcImage);
    if (status == 0)
        status = impCheckImage(dstImage);
    if (status != 0)
        return fail(status, "Incorrect Image", 1608);
    if (badOffsets(srcImage) || badOffsets(dstImage))
        return fail(-11, "Bad ROI offsets", 1608);
    if (!kernels)
        return fail(IMP_StsBadArg, "kernel==0", 1608);
    if (nKernels <= 0 || nKernels > 10)
        return fail(IMP_StsBadArg, "(nKernels<=0 || nKernels>10)", 1608);
    if (nKernels > 1 && (combineMethod < 0 || combineMethod > 4))
        return fail(IMP_StsBadArg, "Inadmissible method", 1608);
    for (int32_t i = 0; i < nKernels; ++i) {
        if (!kernels[i])
            return fail(IMP_StsBadArg, "kernel[i]==0", 1608);
        if (impValidateKernel(kernels[i]))
            return fail(IMP_StsBadArg, "Bad kernel structure", 1608);
    }
    if (srcImage->depth != dstImage->depth || srcImage->dataOrder != dstImage->dataOrder)
        return fail(IMP_StsBadArg, "Uncompatible images", 1608);
    if (srcImage->depth == IMP_DEPTH_32F || dstImage->depth == IMP_DEPTH_32F)
        return fail(IMP_StsBadArg, "32F images can be processed only with FP kernel", 1610);
    Core core;
    switch (core.run(srcImage, dstImage, kernels, nKernels, combineMethod)) {
    case 0: return;
    case 1: return fail(IMP_StsBadArg, "No channel to operate", 1618);
    case 2: return fail(IMP_StsBadArg, "Uncompatible images", 1618);
    case 3: return fail(IMP_StsNoMem, "Allocation failure", 1618);
    case 5: return fail(IMP_StsBadArg, "One of the COI is not defined", 1618);
    default: return fail(IMP_StsBadArg, "Internal error", 1618);
    }
}
