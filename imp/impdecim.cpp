// impDecimate: checks, effective mode, routine choice and the walk over the destination.
#include <algorithm>
#include <cmath>

#include "imp/impalloc.h"
#include "imp/impdecim_rows.h"
#include "imp/imperror.h"
#include "imp/impgeom.h"
#include "imp/ownrect.h"

static const char* kModule = "impdecim";

namespace {

struct Steps {
    int64_t channel, row, pixel;
};

// Row step in samples and the step triple of an image (tile height for tiled images).
Steps stepsOf(const ImpHeader* im)
{
    int32_t bits = impDepthBits(im->depth);
    int64_t ws = im->tileInfo ? impTileRowStep(im) : im->widthStep;
    int64_t row = bits == 1 ? ws * 8 : bits == 16 ? ws / 2 : ws;
    int64_t height = im->tileInfo ? im->tileInfo->height : im->height;
    if (im->dataOrder == 1)
        return {row * height, row, 1};
    return {1, row, im->channels};
}

int64_t toBytes(int32_t bits, int64_t n) { return bits == 1 ? n >> 3 : bits == 8 ? n : bits == 16 ? 2 * n : 0; }

int32_t clippedWidth(const ImpHeader* im)
{
    if (!im->roi)
        return im->width;
    return im->roi->offsetX + im->roi->width < im->width ? im->roi->width : im->width - im->roi->offsetX;
}
int32_t clippedHeight(const ImpHeader* im)
{
    if (!im->roi)
        return im->height;
    return im->roi->offsetY + im->roi->height < im->height ? im->roi->height : im->height - im->roi->offsetY;
}
int32_t processed(const ImpHeader* im) { return im->roi && im->roi->coi != 0 ? 1 : im->channels; }

ImpDecimRowFn pickRow(int32_t bits, int32_t mode, bool exactX, bool exactY)
{
    if (bits == 1)
        return mode == IMP_INTER_SUPER ? impDecimSuper1u : impDecimNearest1u;
    bool b8 = bits == 8;
    switch (mode) {
    case IMP_INTER_NN: return b8 ? impDecimNearest8u : impDecimNearest16u;
    case IMP_INTER_LINEAR:
        if (exactY)
            return b8 ? impDecimLinearX8u : impDecimLinearX16u;
        if (exactX)
            return b8 ? impDecimLinearY8u : impDecimLinearY16u;
        return b8 ? impDecimLinear8u : impDecimLinear16u;
    case IMP_INTER_CUBIC:
        if (exactY)
            return b8 ? impDecimCubicX8u : impDecimCubicX16u;
        if (exactX)
            return b8 ? impDecimCubicY8u : impDecimCubicY16u;
        return b8 ? impDecimCubic8u : impDecimCubic16u;
    default: return b8 ? impDecimSuper8u : impDecimSuper16u;
    }
}

// The source side of a decimation: untiled, tiled in nearest mode, or tiled in blocks.
struct DecimWalk {
    ImpHeader* S;
    ImpDecimRowFn routine;
    int32_t bits, mode;
    Steps ss;
    int64_t sCh, sY, sX;
    float xRatio, yRatio;
    int32_t mx, my;

    bool drive(ImpDecimArgs& a, float* x, float* y)
    {
        if (!S->tileInfo)
            return untiled(a, x, y);
        return mode == IMP_INTER_NN ? tiledNearest(a, x, y) : tiledBlock(a, x, y);
    }

    bool untiled(ImpDecimArgs& a, float* x, float* y)
    {
        a.src =
            S->imageData + toBytes(bits, sCh * ss.channel) + toBytes(bits, sY * ss.row) + toBytes(bits, sX * ss.pixel);
        a.srcChannelStep = bits == 1 ? sX % 8 : ss.channel;
        a.srcPixelStep = ss.pixel;
        a.srcWidthExtent = (S->width - sX) * ss.pixel;
        a.srcRowStep = ss.row;
        a.srcHeightExtent = (S->height - sY) * ss.row;
        routine(a, x, y);
        return true;
    }

    // A piece of the destination: the rows [r0, r1) and columns [c0, c1) of the current destination area.
    ImpDecimArgs piece(const ImpDecimArgs& a, int64_t r0, int64_t r1, int64_t c0, int64_t c1) const
    {
        ImpDecimArgs p = a;
        int64_t rowOff = r0 * a.dstRowStep;
        if (bits == 1) {
            int64_t bit = a.dstChannelStep + c0;
            p.dst = (char*)a.dst + (rowOff >> 3) + (bit >> 3);
            p.dstChannelStep = bit & 7;
        } else {
            p.dst = (char*)a.dst + toBytes(bits, rowOff + c0 * a.dstPixelStep);
        }
        p.dstRowExtent = (r1 - r0) * a.dstRowStep;
        p.dstColumnExtent = (c1 - c0) * a.dstPixelStep;
        return p;
    }

    void sourceBlock(ImpDecimArgs& p, char* data, int64_t rowStepBytes, int64_t width, int64_t height) const
    {
        int64_t row = bits == 1 ? rowStepBytes * 8 : bits == 16 ? rowStepBytes / 2 : rowStepBytes;
        int64_t channelStep = S->dataOrder == 1 ? row * height : 1;
        p.src = data + toBytes(bits, sCh * channelStep);
        p.srcChannelStep = bits == 1 ? 0 : channelStep;
        p.srcPixelStep = ss.pixel;
        p.srcRowStep = row;
        p.srcWidthExtent = width * ss.pixel;
        p.srcHeightExtent = height * row;
    }

    bool tiledNearest(ImpDecimArgs& a, float* x, float* y)
    {
        int32_t W = S->tileInfo->width, H = S->tileInfo->height;
        int64_t rowsTotal = a.dstRowExtent / a.dstRowStep, colsTotal = a.dstColumnExtent / a.dstPixelStep;
        double X0 = *x + (double)sX, Y = *y + (double)sY;
        double Ystart = Y;
        float almost = 0.99999f;
        int64_t r0 = 0;
        double lastX = X0;
        for (int64_t ty = (int64_t)Y / H; r0 < rowsTotal; ++ty) {
            int64_t r1 = (int64_t)((((ty + 1) * H) - Ystart + almost * yRatio) / yRatio);
            r1 = std::clamp<int64_t>(r1, r0, rowsTotal);
            if (r1 == r0)
                continue;
            double rowY = Y, rowEndY = Y;
            int64_t c0 = 0;
            double X = X0;
            for (int64_t tx = (int64_t)X0 / W; c0 < colsTotal; ++tx) {
                int64_t c1 = (int64_t)((((tx + 1) * W) - X0 + almost * xRatio) / xRatio);
                c1 = std::clamp<int64_t>(c1, c0, colsTotal);
                if (c1 == c0)
                    continue;
                S->tileInfo->callBack(S, (int32_t)tx, (int32_t)ty, IMP_TILE_READ);
                char* tile = (char*)S->tileInfo->tileData;
                if (!tile)
                    return false;
                ImpDecimArgs p = piece(a, r0, r1, c0, c1);
                sourceBlock(p, tile, impTileRowStep(S), 0, 0);
                float px = (float)(X - tx * W), py = (float)(rowY - ty * H);
                routine(p, &px, &py);
                S->tileInfo->tileData = tile;
                S->tileInfo->callBack(S, (int32_t)tx, (int32_t)ty, IMP_TILE_RELEASE);
                X = px + (double)tx * W;
                rowEndY = py + (double)ty * H;
                c0 = c1;
            }
            lastX = X;
            Y = rowEndY;
            r0 = r1;
        }
        *x = (float)(lastX - sX);
        *y = (float)(Y - sY);
        return true;
    }

    bool tiledBlock(ImpDecimArgs& a, float* x, float* y)
    {
        int32_t W = S->tileInfo->width, H = S->tileInfo->height;
        double rx = xRatio, ry = yRatio;
        double ex = mx == 2 && mode == IMP_INTER_CUBIC ? 2 * rx : 0,
               ey = my == 2 && mode == IMP_INTER_CUBIC ? 2 * ry : 0;
        int64_t rowsTotal = a.dstRowExtent / a.dstRowStep, colsTotal = a.dstColumnExtent / a.dstPixelStep;
        double X0 = *x + (double)sX, Y0 = *y + (double)sY;
        auto firstTile = [](double p, int32_t margin, double ratio, int32_t size) {
            if (margin < 1)
                return (int64_t)(p / size);
            return std::max<int64_t>(0, (int64_t)((p - (margin - 1) * ratio) / size));
        };
        double Y = Y0, X = X0;
        int64_t r0 = 0;
        for (int64_t ty = firstTile(Y0, my, ry, H); r0 < rowsTotal; ++ty) {
            double relY = std::max(0.0, Y - (double)ty * H);
            int64_t r1 = (int64_t)((((ty + 1) * (double)H + ey) - Y0) / ry);
            if ((r1 - r0) * ry + relY < H + ey)
                r1 += 1;
            r1 = std::clamp<int64_t>(r1, r0, rowsTotal);
            if (r1 == r0)
                continue;
            double rowEndY = Y;
            X = X0;
            int64_t c0 = 0;
            for (int64_t tx = firstTile(X0, mx, rx, W); c0 < colsTotal; ++tx) {
                double relX = std::max(0.0, X - (double)tx * W);
                int64_t c1 = (int64_t)((((tx + 1) * (double)W + ex) - X0) / rx);
                if ((c1 - c0) * rx + relX < W + ex)
                    c1 += 1;
                c1 = std::clamp<int64_t>(c1, c0, colsTotal);
                if (c1 == c0)
                    continue;
                int64_t bw = (int64_t)((c1 - c0) * rx + relX + mx), bh = (int64_t)(relY + (r1 - r0) * ry + my);
                ImpDecimArgs p = piece(a, r0, r1, c0, c1);
                char* tile = nullptr;
                char* gathered = nullptr;
                if (bw <= W && bh <= H) {
                    S->tileInfo->callBack(S, (int32_t)tx, (int32_t)ty, IMP_TILE_READ);
                    tile = (char*)S->tileInfo->tileData;
                    if (!tile)
                        return false;
                    sourceBlock(p, tile, impTileRowStep(S), bw, bh);
                } else {
                    int32_t step = 0;
                    gathered =
                        impGetBorderedBlock(S, (int32_t)(tx * W), (int32_t)(ty * H), (int32_t)bw, (int32_t)bh, &step);
                    if (!gathered)
                        return false;
                    sourceBlock(p, gathered, step, bw, bh);
                }
                float px = (float)relX, py = (float)relY;
                routine(p, &px, &py);
                if (tile) {
                    S->tileInfo->tileData = tile;
                    S->tileInfo->callBack(S, (int32_t)tx, (int32_t)ty, IMP_TILE_RELEASE);
                }
                impFreeBuffer(gathered);
                X = px + (double)tx * W;
                rowEndY = (double)ty * H + py;
                c0 = c1;
            }
            Y = rowEndY;
            r0 = r1;
        }
        *x = (float)(X - sX);
        *y = (float)(Y - sY);
        return true;
    }
};

}  // namespace

int32_t impDecimate(ImpHeader* srcImage, ImpHeader* dstImage, int32_t xDst, int32_t xSrc, int32_t yDst, int32_t ySrc,
                    int32_t interpolate)
{
    const char* fn = "impDecimate";
    ImpHeader *S = srcImage, *D = dstImage;
    if (impCheckImage(S))
        return impRaiseError(impGetStatus(), fn, "Incorrect Image", kModule, 72);
    if (impCheckImage(D))
        return impRaiseError(impGetStatus(), fn, "Incorrect Image", kModule, 73);
    auto check = [&](bool bad, const char* text, int32_t line) {
        if (bad)
            impRaiseError(IMP_StsBadArg, fn, text, kModule, line);
    };
    check(S == D, "srcImage == dstImage", 74);
    check(S->depth != D->depth, "srcImage->depth != dstImage->depth", 75);
    check(S->origin != D->origin, "srcImage->origin != dstImage->origin", 76);
    check(S->dataOrder != D->dataOrder, "srcImage->dataOrder != dstImage->dataOrder", 77);
    bool sCoi = S->roi && S->roi->coi > 0, dCoi = D->roi && D->roi->coi > 0;
    check(sCoi && D->channels > 1 && D->roi && D->roi->coi == 0, "srcImage->roi->coi > 0 && dstImage->roi->coi == 0",
          80);
    check(sCoi && D->channels > 1 && !D->roi, "srcImage->roi->coi > 0 && dstImage->roi == ((void *)0)", 83);
    check(dCoi && S->channels > 1 && S->roi && S->roi->coi == 0, "dstImage->roi->coi > 0 && srcImage->roi->coi == 0",
          88);
    check(dCoi && S->channels > 1 && !S->roi, "dstImage->roi->coi > 0 && srcImage->roi == ((void *)0)", 91);
    check(interpolate < 0 || interpolate > 3,
          "interpolate != IMP_INTER_NN, IMP_INTER_LINEAR, IMP_INTER_CUBIC or IMP_INTER_SUPER", 100);
    check(xDst < 1, "xDst <= 0", 105);
    check(xSrc < 1, "xSrc <= 0", 106);
    check(yDst < 1, "yDst <= 0", 107);
    check(ySrc < 1, "ySrc <= 0", 108);
    check(xDst > xSrc, "xDst > xSrc", 110);
    check(yDst > ySrc, "yDst > ySrc", 111);
    // No row routine exists for float or signed samples.
    check(S->depth != IMP_DEPTH_1U && S->depth != IMP_DEPTH_8U && S->depth != IMP_DEPTH_16U,
          "srcImage->depth != IMP_DEPTH_1U && srcImage->depth != IMP_DEPTH_8U && srcImage->depth != IMP_DEPTH_16U",
          112);
    if (impGetStatus() < 0)
        return impGetStatus();

    // Effective mode.
    bool exactX = xSrc % xDst == 0, exactY = ySrc % yDst == 0;
    int32_t mode = interpolate;
    int32_t roiW = S->roi ? S->roi->width : S->width, roiH = S->roi ? S->roi->height : S->height;
    if (S->width < 4 || S->height < 4 || (exactX && exactY && (mode == IMP_INTER_LINEAR || mode == IMP_INTER_CUBIC)) ||
        ((int64_t)xDst * roiW) / xSrc < 1 || ((int64_t)yDst * roiH) / ySrc < 1)
        mode = IMP_INTER_NN;

    float xRatio = (float)((double)xSrc / xDst), yRatio = (float)((double)ySrc / yDst);
    float xPos = 0.0f, yPos = 0.0f;
    if (mode == IMP_INTER_NN) {
        if (!exactX)
            xPos = 0.5f;
        if (!exactY)
            yPos = 0.5f;
    }
    int64_t rows = std::min<int64_t>(clippedHeight(D), (int64_t)clippedHeight(S) * yDst / ySrc);
    int64_t cols = std::min<int64_t>(clippedWidth(D), (int64_t)clippedWidth(S) * xDst / xSrc);
    int32_t nch = std::min(processed(S), processed(D));
    int32_t bits = impDepthBits(S->depth);
    ImpDecimRowFn routine = pickRow(bits, mode, exactX, exactY);

    DecimWalk w{};
    w.S = S;
    w.routine = routine;
    w.bits = bits;
    w.mode = mode;
    w.ss = stepsOf(S);
    w.sCh = S->roi && S->roi->coi > 0 ? S->roi->coi - 1 : 0;
    w.sY = S->roi ? S->roi->offsetY : 0;
    w.sX = S->roi ? S->roi->offsetX : 0;
    w.xRatio = xRatio;
    w.yRatio = yRatio;
    // Margins of a tiled source: reach of the interpolation past the sample on each inexact axis.
    if (mode == IMP_INTER_LINEAR) {
        w.mx = exactX ? 0 : 1;
        w.my = exactY ? 0 : 1;
    } else if (mode == IMP_INTER_CUBIC) {
        w.mx = exactX ? 0 : 2;
        w.my = exactY ? 0 : 2;
    } else if (mode == IMP_INTER_SUPER) {
        w.mx = (xSrc + xDst - 1) / xDst;
        w.my = (ySrc + yDst - 1) / yDst;
        if (S->tileInfo && (w.mx > S->tileInfo->width || w.my > S->tileInfo->height)) {
            w.mode = IMP_INTER_NN;
            w.mx = w.my = 0;
            w.routine = pickRow(bits, IMP_INTER_NN, exactX, exactY);
        }
    }

    Steps ds = stepsOf(D);
    int64_t dCh = D->roi && D->roi->coi > 0 ? D->roi->coi - 1 : 0, dY = D->roi ? D->roi->offsetY : 0,
            dX = D->roi ? D->roi->offsetX : 0;
    ImpDecimArgs a{};
    a.dstChannelEnd = ds.channel * nch;
    a.dstPixelStep = ds.pixel;
    a.dstRowStep = ds.row;
    a.xRatio = xRatio;
    a.yRatio = yRatio;
    if (rows < 1 || cols < 1)
        return 1;
    if (!D->tileInfo) {
        a.dst =
            D->imageData + toBytes(bits, dCh * ds.channel) + toBytes(bits, dY * ds.row) + toBytes(bits, dX * ds.pixel);
        a.dstChannelStep = bits == 1 ? dX % 8 : ds.channel;
        a.dstColumnExtent = ds.pixel * cols;
        a.dstRowExtent = ds.row * rows;
        if (!w.drive(a, &xPos, &yPos))
            return impRaiseError(-3, fn, "srcImage->tileInfo->callBack crash", kModule, 342), 0;
        return 1;
    }
    // Destination tiles: x restarts with every tile row, y carries on from the row above.
    int32_t tw = D->tileInfo->width, th = D->tileInfo->height;
    float x0 = xPos, y = yPos;
    for (int64_t ty = dY / th; ty <= (dY + rows - 1) / th; ++ty) {
        int64_t top = std::max<int64_t>(dY, ty * th), bottom = std::min<int64_t>(dY + rows, (ty + 1) * th);
        float x = x0, rowEndY = y;
        for (int64_t tx = dX / tw; tx <= (dX + cols - 1) / tw; ++tx) {
            int64_t left = std::max<int64_t>(dX, tx * tw), right = std::min<int64_t>(dX + cols, (tx + 1) * tw);
            D->tileInfo->callBack(D, (int32_t)tx, (int32_t)ty, IMP_TILE_WRITE);
            char* tile = (char*)D->tileInfo->tileData;
            if (!tile)
                return impRaiseError(-3, fn, "dstImage->tileInfo->callBack crash", kModule, 347), 0;
            a.dst = tile + toBytes(bits, dCh * ds.channel) + toBytes(bits, (top - ty * th) * ds.row) +
                    toBytes(bits, (left - tx * tw) * ds.pixel);
            a.dstChannelStep = bits == 1 ? (left - tx * tw) % 8 : ds.channel;
            a.dstColumnExtent = ds.pixel * (right - left);
            a.dstRowExtent = ds.row * (bottom - top);
            float ty0 = y;
            bool ok = w.drive(a, &x, &ty0);
            D->tileInfo->tileData = tile;
            D->tileInfo->callBack(D, (int32_t)tx, (int32_t)ty, IMP_TILE_RELEASE);
            if (!ok)
                return impRaiseError(-3, fn, "srcImage->tileInfo->callBack crash", kModule, 342), 0;
            rowEndY = ty0;
        }
        y = rowEndY;
    }
    return 1;
}
