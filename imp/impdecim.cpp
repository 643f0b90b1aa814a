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
Steps stepsOf(const ImpHeader* im) {
  int32_t bits = impDepthBits(im->depth);
  int64_t ws = im->widthStep;
  int64_t row = bits == 1 ? ws * 8 : bits == 16 ? ws / 2 : ws;
  if (im->dataOrder == 1) return {row * im->height, row, 1};
  return {1, row, im->channels};
}

int64_t toBytes(int32_t bits, int64_t n) { return bits == 1 ? n >> 3 : bits == 8 ? n : bits == 16 ? 2 * n : 0; }

int32_t clippedWidth(const ImpHeader* im) {
  if (!im->roi) return im->width;
  return im->roi->offsetX + im->roi->width < im->width ? im->roi->width : im->width - im->roi->offsetX;
}
int32_t clippedHeight(const ImpHeader* im) {
  if (!im->roi) return im->height;
  return im->roi->offsetY + im->roi->height < im->height ? im->roi->height : im->height - im->roi->offsetY;
}
int32_t processed(const ImpHeader* im) { return im->roi && im->roi->coi != 0 ? 1 : im->channels; }

ImpDecimRowFn pickRow(int32_t bits, int32_t mode, bool exactX, bool exactY) {
  if (bits == 1) return mode == IMP_INTER_SUPER ? impDecimSuper1u : impDecimNearest1u;
  bool b8 = bits == 8;
  switch (mode) {
    case IMP_INTER_NN: return b8 ? impDecimNearest8u : impDecimNearest16u;
    case IMP_INTER_LINEAR:
      if (exactY) return b8 ? impDecimLinearX8u : impDecimLinearX16u;
      if (exactX) return b8 ? impDecimLinearY8u : impDecimLinearY16u;
      return b8 ? impDecimLinear8u : impDecimLinear16u;
    case IMP_INTER_CUBIC:
      if (exactY) return b8 ? impDecimCubicX8u : impDecimCubicX16u;
      if (exactX) return b8 ? impDecimCubicY8u : impDecimCubicY16u;
      return b8 ? impDecimCubic8u : impDecimCubic16u;
    default: return b8 ? impDecimSuper8u : impDecimSuper16u;
  }
}

}  // namespace

int32_t impDecimate(ImpHeader* srcImage, ImpHeader* dstImage, int32_t xDst, int32_t xSrc, int32_t yDst, int32_t ySrc,
                    int32_t interpolate) {
  const char* fn = "impDecimate";
  ImpHeader *S = srcImage, *D = dstImage;
  if (impCheckImage(S)) return impRaiseError(impGetStatus(), fn, "Incorrect Image", kModule, 72);
  if (impCheckImage(D)) return impRaiseError(impGetStatus(), fn, "Incorrect Image", kModule, 73);
  auto check = [&](bool bad, const char* text, int32_t line) {
    if (bad) impRaiseError(IMP_StsBadArg, fn, text, kModule, line);
  };
  check(S == D, "srcImage == dstImage", 74);
  check(S->depth != D->depth, "srcImage->depth != dstImage->depth", 75);
  check(S->origin != D->origin, "srcImage->origin != dstImage->origin", 76);
  check(S->dataOrder != D->dataOrder, "srcImage->dataOrder != dstImage->dataOrder", 77);
  bool sCoi = S->roi && S->roi->coi > 0, dCoi = D->roi && D->roi->coi > 0;
  check(sCoi && D->channels > 1 && D->roi && D->roi->coi == 0, "srcImage->roi->coi > 0 && dstImage->roi->coi == 0", 80);
  check(sCoi && D->channels > 1 && !D->roi, "srcImage->roi->coi > 0 && dstImage->roi == ((void *)0)", 83);
  check(dCoi && S->channels > 1 && S->roi && S->roi->coi == 0, "dstImage->roi->coi > 0 && srcImage->roi->coi == 0", 88);
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
        "srcImage->depth != IMP_DEPTH_1U && srcImage->depth != IMP_DEPTH_8U && srcImage->depth != IMP_DEPTH_16U", 112);
  check(S->tileInfo || D->tileInfo, "Tiled images are not decimated", 113);
  if (impGetStatus() < 0) return impGetStatus();

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
    if (!exactX) xPos = 0.5f;
    if (!exactY) yPos = 0.5f;
  }
  int64_t rows = std::min<int64_t>(clippedHeight(D), (int64_t)clippedHeight(S) * yDst / ySrc);
  int64_t cols = std::min<int64_t>(clippedWidth(D), (int64_t)clippedWidth(S) * xDst / xSrc);
  int32_t nch = std::min(processed(S), processed(D));
  int32_t bits = impDepthBits(S->depth);
  ImpDecimRowFn routine = pickRow(bits, mode, exactX, exactY);

  Steps ds = stepsOf(D), ss = stepsOf(S);
  int64_t dCh = D->roi && D->roi->coi > 0 ? D->roi->coi - 1 : 0, dY = D->roi ? D->roi->offsetY : 0,
          dX = D->roi ? D->roi->offsetX : 0;
  int64_t sCh = S->roi && S->roi->coi > 0 ? S->roi->coi - 1 : 0, sY = S->roi ? S->roi->offsetY : 0,
          sX = S->roi ? S->roi->offsetX : 0;
  ImpDecimArgs a{};
  a.dst = D->imageData + toBytes(bits, dCh * ds.channel) + toBytes(bits, dY * ds.row) + toBytes(bits, dX * ds.pixel);
  a.dstChannelStep = bits == 1 ? dX % 8 : ds.channel;
  a.dstChannelEnd = ds.channel * nch;
  a.dstPixelStep = ds.pixel;
  a.dstColumnExtent = ds.pixel * cols;
  a.dstRowStep = ds.row;
  a.dstRowExtent = ds.row * rows;
  a.src = S->imageData + toBytes(bits, sCh * ss.channel) + toBytes(bits, sY * ss.row) + toBytes(bits, sX * ss.pixel);
  a.srcChannelStep = bits == 1 ? sX % 8 : ss.channel;
  a.srcPixelStep = ss.pixel;
  a.srcWidthExtent = (S->width - sX) * ss.pixel;
  a.srcRowStep = ss.row;
  a.srcHeightExtent = (S->height - sY) * ss.row;
  a.xRatio = xRatio;
  a.yRatio = yRatio;
  if (rows < 1 || cols < 1) return 1;
  return routine(a, &xPos, &yPos);
}
