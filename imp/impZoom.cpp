// impZoom: checks, corner-aligned geometry, index and weight tables, masks and the choice of row kernel.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "imp/impalloc.h"
#include "imp/imperror.h"
#include "imp/impgeom.h"
#include "imp/implogic.h"
#include "imp/impzoom_core.h"
#include "imp/impzoom_kernels.h"
#include "imp/ownrect.h"

static const char* kModule = "impZoom";

ImpZoomExtent impZoomRegion(const ImpHeader* im)
{
    ImpZoomExtent e{};
    const ImpRoiRecord* r = im->roi;
    e.offX = r ? r->offsetX : 0;
    e.offY = r ? r->offsetY : 0;
    e.width = r ? std::min(r->width, im->width - e.offX) : im->width;
    e.height = r ? std::min(r->height, im->height - e.offY) : im->height;
    e.lastX = im->width - e.offX - 1;
    e.lastY = im->height - e.offY - 1;
    if (r && r->coi != 0) {
        e.first = r->coi - 1;
        e.count = 1;
    } else {
        e.first = 0;
        e.count = im->channels - (im->alphaIndex != 0 ? 1 : 0);
    }
    const ImpHeader* m = im->maskImage;
    if (m) {
        int32_t mw = m->roi ? std::min(m->roi->width, m->width - m->roi->offsetX) : m->width;
        int32_t mh = m->roi ? std::min(m->roi->height, m->height - m->roi->offsetY) : m->height;
        if (e.width > mw) {
            e.lastX -= e.width - mw;
            e.width = mw;
        }
        if (e.height > mh) {
            e.lastY -= e.height - mh;
            e.height = mh;
        }
    }
    return e;
}

namespace {

// First processed sample of a region; 16-bit offsets in samples.
char* baseOf(const ImpHeader* im, const ImpZoomExtent& e)
{
    int64_t ss = impBytesPerChannel(im->depth);
    int64_t step = im->widthStep;
    if (im->depth == 1)
        return im->imageData + e.offY * step;
    if (im->dataOrder == 0)
        return im->imageData + e.offY * step + ((int64_t)e.offX * im->channels + e.first) * ss;
    return im->imageData + e.first * step * im->height + e.offY * step + e.offX * ss;
}

// Aligned blocks of one run, freed together.
struct Blocks {
    void* list[12] = {};
    int n = 0;
    void* take(int64_t bytes)
    {
        void* b = impAlignedMalloc(bytes);
        if (b)
            list[n++] = b;
        return b;
    }
    ~Blocks()
    {
        for (int i = 0; i < n; ++i)
            impAlignedFree(list[i]);
    }
};

}  // namespace

int32_t impZoomCore(ImpHeader* src, ImpHeader* dst, double xRatio, double yRatio, int32_t interpolate, double xStart,
                    double yStart, double xStep, double yStep, int32_t limit)
{
    const char* fn = "impZoomCore";
    ImpZoomExtent se = impZoomRegion(src), de = impZoomRegion(dst);
    int32_t dw = de.width, dh = de.height;
    if (limit) {
        dw = std::max(1, std::min(dw, impFloorEps(se.width / xRatio)));
        dh = std::max(1, std::min(dh, impFloorEps(se.height / yRatio)));
    }
    if (dw < 1 || dh < 1 || se.width < 1 || se.height < 1)
        return 0;

    ImpHeader* tempMask = nullptr;
    const unsigned char* maskRow = nullptr;
    int64_t maskStep = 0;
    int32_t maskBit = 0;
    if (src->maskImage) {
        tempMask = impCreateImageHeader(1, 0, 1, "GRAY", "GRAY", 0, src->maskImage->origin, 4, dw, dh, nullptr, nullptr,
                                        nullptr, nullptr);
        // Cleared first: a strong enlargement scales the source mask over only part of it, and the rest stays unset.
        if (tempMask)
            impAllocateImage(tempMask, 1, 0);
        if (!tempMask || !tempMask->imageData || impGetStatus() < 0) {
            impReleaseImageParts(tempMask, 31);
            if (impGetStatus() >= 0)
                impSetStatus(IMP_StsNoMem);
            return impRaiseError(IMP_StsBackTrace, fn, "", kModule, 373);
        }
        int32_t xs = impFloorEps(xRatio * dw), ys = impFloorEps(yRatio * dh);
        if (xs < 1)
            xs = impFloorEps(dw / xRatio);
        if (ys < 1)
            ys = impFloorEps(dh / yRatio);
        impResize(src->maskImage, tempMask, dw, std::max(1, xs), dh, std::max(1, ys), IMP_INTER_NN);
        if (impGetStatus() < 0) {
            impReleaseImageParts(tempMask, 31);
            return impRaiseError(IMP_StsBackTrace, fn, "", kModule, 391);
        }
        if (dst->maskImage) {
            impAnd(tempMask, dst->maskImage, tempMask);
            if (impGetStatus() < 0) {
                impReleaseImageParts(tempMask, 31);
                return impRaiseError(IMP_StsBackTrace, fn, "", kModule, 399);
            }
        }
        maskRow = (const unsigned char*)tempMask->imageData;
        maskStep = tempMask->widthStep;
    } else if (dst->maskImage) {
        const ImpHeader* m = dst->maskImage;
        int32_t mx = m->roi ? m->roi->offsetX : 0, my = m->roi ? m->roi->offsetY : 0;
        maskRow = (const unsigned char*)m->imageData + (int64_t)my * m->widthStep;
        maskStep = m->widthStep;
        maskBit = mx;
    }

    bool agree = (se.first == 0 && de.first == 0) ? se.count == de.count : (se.count == 1 && de.count == 1);
    if (!agree) {
        impReleaseImageParts(tempMask, 31);
        return impRaiseError(IMP_StsError, fn, "Processed channels of srcImage != Processed channels of dstImage",
                             kModule, se.first == 0 && de.first == 0 ? 450 : 453);
    }

    bool planar = src->dataOrder == 1;
    bool wide = impDepthBits(src->depth) == 16;
    int32_t sampleDiv = wide ? 2 : 1;
    ImpZoomRun run{};
    run.src = baseOf(src, se);
    run.dst = baseOf(dst, de);
    run.srcStep = src->widthStep / sampleDiv;
    run.dstStep = dst->widthStep / sampleDiv;
    run.srcPlane = run.srcStep * src->height;
    run.dstPlane = run.dstStep * dst->height;
    run.width = dw;
    run.height = dh;
    run.channels = se.count;
    run.srcChannels = src->channels;
    run.dstChannels = dst->channels;
    run.mask = maskRow;
    run.maskStep = maskStep;
    run.maskBit = maskBit;
    run.srcBit = src->depth == 1 ? se.offX : 0;
    run.dstBit = dst->depth == 1 ? de.offX : 0;
    run.srcRowBytes = src->widthStep - (planar ? (int64_t)se.offX : ((int64_t)se.offX * src->channels + se.first)) *
                                           impBytesPerChannel(src->depth);

    Blocks blocks;
    int32_t nv = planar ? 1 : se.count;
    int32_t* rowTable = (int32_t*)blocks.take(4LL * dh);
    int32_t* colTable = (int32_t*)blocks.take(4LL * dw);
    bool ok = rowTable && colTable;
    int16_t *rowWeights = nullptr, *colWeights = nullptr, *colWeightVectors = nullptr;
    float *rowFractions = nullptr, *colFractions = nullptr;
    double* colCoeffs = nullptr;
    if (ok && interpolate == IMP_INTER_LINEAR) {
        rowWeights = (int16_t*)blocks.take(2LL * dh);
        colWeights = (int16_t*)blocks.take(4LL * dw);
        colWeightVectors = (int16_t*)blocks.take(16LL * dw);
        ok = ok && colWeightVectors;
        run.work[0] = blocks.take((2LL * dw + 8) * nv);
        run.work[1] = blocks.take((2LL * dw + 8) * nv);
        ok = rowWeights && colWeights && run.work[0] && run.work[1];
    } else if (ok && interpolate == IMP_INTER_CUBIC) {
        rowFractions = (float*)blocks.take(4LL * dh);
        colFractions = (float*)blocks.take(4LL * dw);
        colCoeffs = (double*)blocks.take(24LL * dw);
        ok = ok && colCoeffs;
        for (int i = 0; i < 4; ++i) {
            run.work[i] = blocks.take(4LL * dw * nv);
            ok = ok && run.work[i];
        }
        ok = ok && rowFractions && colFractions;
    }
    run.rowWeights = rowWeights;
    run.colWeights = colWeights;
    run.rowFractions = rowFractions;
    run.colFractions = colFractions;
    if (!ok) {
        impReleaseImageParts(tempMask, 31);
        return impRaiseError(IMP_StsNoMem, fn, "Out of memory", kModule, 420);
    }

    int64_t srcStep = run.srcStep;
    int32_t pixelStride = planar || src->depth == 1 ? 1 : src->channels;
    // One axis of the tables: index (scaled by the stride) and weights or fractions.
    auto axis = [&](int32_t n, double start, double step, int32_t last, int32_t off, int32_t imageExtent,
                    int64_t stride, int32_t* table, int16_t* weights, bool pairs, float* fractions) {
        double v = start;
        for (int32_t j = 0; j < n; ++j, v += step) {
            int32_t idx;
            if (interpolate == IMP_INTER_NN) {
                idx = std::clamp(impFloorEps(v + 0.5), 0, std::max(0, last));
            } else if (interpolate == IMP_INTER_LINEAR) {
                int32_t i = std::clamp(impFloorEps(v), 0, std::max(0, last));
                int32_t w1;
                if (i == last && off + i > 0) {
                    idx = i - 1;
                    w1 = 16384;
                } else if (i == last) {
                    // The only usable column is the image's first: the pair after it gives the same value.
                    idx = i;
                    w1 = 0;
                } else {
                    idx = i;
                    w1 = std::clamp(impFloorEps((v - i) * 16384), 0, 16384);
                }
                if (pairs) {
                    weights[2 * j] = (int16_t)(16384 - w1);
                    weights[2 * j + 1] = (int16_t)w1;
                } else {
                    weights[j] = (int16_t)w1;
                }
            } else {
                int32_t i = std::clamp(impFloorEps(v), 0, std::max(0, last));
                int32_t a = off + i;
                float t;
                if (a >= imageExtent - 1) {
                    idx = i - 2;
                    t = 2.0f;
                } else {
                    idx = a == 0 ? i + 1 : a == imageExtent - 2 ? i - 1 : i;
                    t = (float)(v - idx);
                }
                fractions[j] = t;
            }
            table[j] = (int32_t)(idx * stride);
        }
    };
    axis(dw, xStart, xStep, se.lastX, se.offX, src->width, pixelStride, colTable, colWeights, true, colFractions);
    axis(dh, yStart, yStep, se.lastY, se.offY, src->height, srcStep, rowTable, rowWeights, false, rowFractions);
    run.rowTable = rowTable;
    run.colTable = colTable;
    if (colWeightVectors) {
        for (int32_t j = 0; j < dw; ++j)
            for (int k = 0; k < 8; ++k)
                colWeightVectors[8 * j + k] = colWeights[2 * j + (k & 1)];
        run.colWeightVectors = colWeightVectors;
    }
    if (colCoeffs) {
        impZoomCubicColumnCoeffs(colFractions, dw, colCoeffs);
        run.colCoeffs = colCoeffs;
    }

    int32_t bits = impDepthBits(src->depth);
    if (interpolate == IMP_INTER_NN) {
        if (bits == 1)
            impZoomNN1u(run);
        else if (bits == 8)
            planar ? impZoomNN8uPlanar(run) : impZoomNN8uPixel(run);
        else
            planar ? impZoomNN16uPlanar(run) : impZoomNN16uPixel(run);
    } else if (interpolate == IMP_INTER_LINEAR) {
        if (bits == 8)
            planar ? impZoomLinear8uPlanar(run) : impZoomLinear8uPixel(run);
        else
            planar ? impZoomLinear16uPlanar(run) : impZoomLinear16uPixel(run);
    } else {
        if (bits == 8)
            planar ? impZoomCubic8uPlanar(run) : impZoomCubic8uPixel(run);
        else
            planar ? impZoomCubic16uPlanar(run) : impZoomCubic16uPixel(run);
    }
    impReleaseImageParts(tempMask, 31);
    return 0;
}

int32_t impZoom(ImpHeader* srcImage, ImpHeader* dstImage, int32_t xDst, int32_t xSrc, int32_t yDst, int32_t ySrc,
                int32_t interpolate)
{
    const char* fn = "impZoom";
    if (impCheckImage(srcImage))
        return impRaiseError(impGetStatus(), fn, "Incorrect Image", kModule, 705);
    if (impCheckImage(dstImage))
        return impRaiseError(impGetStatus(), fn, "Incorrect Image", kModule, 706);
    if (interpolate != IMP_INTER_NN && interpolate != IMP_INTER_LINEAR && interpolate != IMP_INTER_CUBIC)
        impRaiseError(
            IMP_StsBadArg, fn,
            "interpolate != IMP_INTER_NN && interpolate != IMP_INTER_LINEAR && interpolate != IMP_INTER_CUBIC", kModule,
            707);
    if (srcImage->depth != dstImage->depth)
        impRaiseError(IMP_StsBadArg, fn, "srcImage->depth != dstImage->depth", kModule, 708);
    if (srcImage->depth != IMP_DEPTH_1U && srcImage->depth != IMP_DEPTH_8U && srcImage->depth != IMP_DEPTH_16U)
        impRaiseError(
            IMP_StsBadArg, fn,
            "srcImage->depth != IMP_DEPTH_1U && srcImage->depth != IMP_DEPTH_8U && srcImage->depth != IMP_DEPTH_16U",
            kModule, 709);
    if (srcImage->dataOrder != dstImage->dataOrder)
        impRaiseError(IMP_StsBadArg, fn, "srcImage->dataOrder != dstImage->dataOrder", kModule, 710);
    if (xDst < 1 || xSrc < 1)
        impRaiseError(IMP_StsBadArg, fn, "xDst <= 0 || xSrc <= 0", kModule, 711);
    if (yDst < 1 || ySrc < 1)
        impRaiseError(IMP_StsBadArg, fn, "yDst <= 0 || ySrc <= 0", kModule, 712);
    if (impGetStatus() < 0)
        return impGetStatus();

    double xRatio = (double)xSrc / xDst, yRatio = (double)ySrc / yDst;
    int32_t extW = srcImage->roi ? srcImage->roi->width : srcImage->width;
    int32_t extH = srcImage->roi ? srcImage->roi->height : srcImage->height;
    double realW = xDst * ((double)extW / xSrc), realH = yDst * ((double)extH / ySrc);
    double xStep = xRatio == 1.0 ? 1.0 : realW > 1.0 ? (extW - 1) / (realW - 1) : 0.0;
    double yStep = yRatio == 1.0 ? 1.0 : realH > 1.0 ? (extH - 1) / (realH - 1) : 0.0;

    if (srcImage == dstImage)
        return impRaiseError(IMP_StsBadArg, fn, "This function isn`t in-plase function", kModule, 728);
    if (srcImage->depth == 1 || srcImage->width < 2 || srcImage->height < 2)
        interpolate = IMP_INTER_NN;
    else if ((srcImage->width < 4 || srcImage->height < 4) && interpolate == IMP_INTER_CUBIC)
        interpolate = IMP_INTER_LINEAR;
    if (srcImage->alphaIndex != 0 && srcImage->channels == 1)
        return 0;
    if (dstImage->alphaIndex != 0 && dstImage->channels == 1)
        return 0;
    if (srcImage->tileInfo || dstImage->tileInfo)
        return impZoomTiled(srcImage, dstImage, xRatio, yRatio, interpolate, xStep, yStep);
    return impZoomCore(srcImage, dstImage, xRatio, yRatio, interpolate, 0.0, 0.0, xStep, yStep, 1);
}
