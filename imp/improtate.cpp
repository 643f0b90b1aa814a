// impRotate and impRotateCenterShift: exact quarter and half turns, every other angle through the affine warp.
#include <algorithm>
#include <cmath>

#include "imp/impalloc.h"
#include "imp/imperror.h"
#include "imp/improtate_fast.h"
#include "imp/impwarp.h"
#include "imp/ownrect.h"

static const char* kModule = "impwarp";

namespace {

constexpr double kDegree = 0.017453292519943295;

double reduceAngle(double angle)
{
    double a = angle - 360.0 * std::nearbyint(angle / 360.0);
    return a < 0.0 ? a + 360.0 : a;
}

// Exact turn by 90, 180 or 270 degrees with whole-pixel shifts between untiled images.
void rotateQuarter(ImpHeader* src, ImpHeader* dst, int32_t angle, int32_t xs, int32_t ys)
{
    const char* fn = "impRotate";
    if (impCheckImage(src)) {
        impRaiseError(impGetStatus(), fn, "Incorrect Image", kModule, 1479);
        return;
    }
    if (impCheckImage(dst)) {
        impRaiseError(impGetStatus(), fn, "Incorrect Image", kModule, 1480);
        return;
    }
    if (src->depth != dst->depth)
        impRaiseError(-5, fn, "srcImage->depth != dstImage->depth", kModule, 1481);
    if (src->origin != dst->origin)
        impRaiseError(-5, fn, "srcImage->origin != dstImage->origin", kModule, 1481);
    if (src->depth != 1 && !(src->channels == 1 && dst->channels == 1) && src->dataOrder != dst->dataOrder)
        impRaiseError(-5, fn, "srcImage->dataOrder != dstImage->dataOrder", kModule, 1481);
    if (((uint32_t)src->depth & IMP_DEPTH_SIGN) || src->depth == IMP_DEPTH_32F)
        impRaiseError(-5, fn, "(srcImage->depth & IMP_DEPTH_SIGN) || (srcImage->depth == IMP_DEPTH_32F)", kModule,
                      1482);
    if (src == dst)
        impRaiseError(-5, fn, "This function is not in-place function", kModule, 1484);
    if (impGetStatus() < 0)
        return;
    int32_t s[4], d[4];
    char *sStart, *dStart;
    int32_t sStep, dStep, sCount, dCount, sPlane, dPlane, sBit, dBit;
    if (!impRoiBounds(src, s, 1) || !impRoiBounds(dst, d, 1))
        return;
    if (!impRoiStart(src, &sStart, &sStep, &sCount, &sPlane, &sBit) ||
        !impRoiStart(dst, &dStart, &dStep, &dCount, &dPlane, &dBit))
        return;
    if (sCount != dCount) {
        impRaiseError(-5, fn, "Number of processed channels of srcImage != Number of processed channels of dstImage",
                      kModule, 1499);
        return;
    }
    // The source rectangle's image under the turn, in 64 bits so that large shifts cannot wrap.
    int64_t x0, x1, y0, y1;
    if (angle == 90)
        x0 = s[1] + (int64_t)xs, x1 = s[3] + (int64_t)xs, y0 = ys - (int64_t)s[2], y1 = ys - (int64_t)s[0];
    else if (angle == 180)
        x0 = xs - (int64_t)s[2], x1 = xs - (int64_t)s[0], y0 = ys - (int64_t)s[3], y1 = ys - (int64_t)s[1];
    else
        x0 = xs - (int64_t)s[3], x1 = xs - (int64_t)s[1], y0 = s[0] + (int64_t)ys, y1 = s[2] + (int64_t)ys;
    int64_t xlo = std::max<int64_t>(x0, d[0]), xhi = std::min<int64_t>(x1, d[2]);
    int64_t ylo = std::max<int64_t>(y0, d[1]), yhi = std::min<int64_t>(y1, d[3]);
    if (xlo > xhi || ylo > yhi)
        return;
    int64_t sx, sy;
    if (angle == 90)
        sx = ys - ylo, sy = xlo - xs;
    else if (angle == 180)
        sx = xs - xlo, sy = ys - ylo;
    else
        sx = ylo - ys, sy = xs - xlo;
    int32_t sc = src->roi && src->roi->coi > 0 ? src->roi->coi - 1 : 0;
    int32_t dc = dst->roi && dst->roi->coi > 0 ? dst->roi->coi - 1 : 0;
    bool bits = src->depth == 1;
    ImpQuarterRun run;
    run.src = impPixelPtr(src, bits ? 0 : (int32_t)sx, (int32_t)sy, sc);
    run.dst = impPixelPtr(dst, bits ? 0 : (int32_t)xlo, (int32_t)ylo, dc);
    run.rows = (int32_t)(yhi - ylo + 1);
    run.cols = (int32_t)(xhi - xlo + 1);
    run.srcStep = angle == 270 ? -(int64_t)src->widthStep : src->widthStep;
    run.dstStep = dst->widthStep;
    bool planes = src->dataOrder == IMP_DATA_ORDER_PLANE || (src->channels == 1 && dst->channels == 1);
    run.srcStride = planes ? (int64_t)src->height * src->widthStep : src->channels;
    run.dstStride = planes ? (int64_t)dst->height * dst->widthStep : dst->channels;
    run.channels = sCount;
    run.direction = angle == 90 ? -1 : 1;
    run.srcBit = (int32_t)sx;
    run.dstBit = (int32_t)xlo;
    run.srcMaxX = src->width - 1;
    bool wide = src->depth == 16;
    if (bits)
        (angle == 180 ? impRotate180Bits : impRotate90Bits)(run);
    else if (angle == 180)
        (wide ? (planes ? impRotate180Planes16u : impRotate180Pixels16u)
              : (planes ? impRotate180Planes8u : impRotate180Pixels8u))(run);
    else
        (wide ? (planes ? impRotate90Planes16u : impRotate90Pixels16u)
              : (planes ? impRotate90Planes8u : impRotate90Pixels8u))(run);
}

}  // namespace

void impRotate(ImpHeader* srcImage, ImpHeader* dstImage, double angle, double xShift, double yShift,
               int32_t interpolate)
{
    double a = reduceAngle(angle);
    bool right = a == 90.0 || a == 180.0 || a == 270.0;
    if (right && !srcImage->tileInfo && !dstImage->tileInfo && xShift == std::floor(xShift) &&
        yShift == std::floor(yShift) && std::fabs(xShift) < 2e9 && std::fabs(yShift) < 2e9) {
        rotateQuarter(srcImage, dstImage, (int32_t)std::nearbyint(a + 0.1), (int32_t)xShift, (int32_t)yShift);
        return;
    }
    double c = std::cos(a * kDegree), s = std::sin(a * kDegree);
    if (a == 90.0)
        c = 0.0, s = 1.0;
    else if (a == 180.0)
        c = -1.0, s = 0.0;
    else if (a == 270.0)
        c = 0.0, s = -1.0;
    const double m[6] = {c, s, xShift, -s, c, yShift};
    impWarpAffine(srcImage, dstImage, m, interpolate);
    if (impGetStatus() < 0)
        impRaiseError(-1, "impRotate", "", kModule, 1630);
}

void impRotateCenterShift(double xCenter, double yCenter, double angle, double* xShift, double* yShift)
{
    double a = reduceAngle(angle);
    if (a == 0.0)
        return;
    if (a == 90.0) {
        *xShift += xCenter - yCenter;
        *yShift += xCenter + yCenter;
    } else if (a == 180.0) {
        *xShift += 2 * xCenter;
        *yShift += 2 * yCenter;
    } else if (a == 270.0) {
        *xShift += xCenter + yCenter;
        *yShift += yCenter - xCenter;
    } else {
        double c = std::cos(a * kDegree), s = std::sin(a * kDegree);
        *xShift += xCenter - c * xCenter - s * yCenter;
        *yShift += yCenter + s * xCenter - c * yCenter;
    }
}
