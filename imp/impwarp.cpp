// impWarpAffine and the warp driver: argument checks, inverse map, spans and kernel choice.
#include "imp/impwarp.h"

#include <cmath>

#include "imp/impalloc.h"
#include "imp/imperror.h"
#include "imp/impwarp_geom.h"
#include "imp/impwarp_kernels.h"
#include "imp/ownrect.h"

static const char* kModule = "impwarp";

void impGetAffineQuad(const ImpHeader* image, const double coeffs[6], double corners[8])
{
    const char* fn = "impGetAffineQuad";
    if (impCheckImage(image)) {
        impRaiseError(impGetStatus(), fn, "Incorrect Image", kModule, 1180);
        return;
    }
    int32_t b[4];
    if (!impRoiBounds(image, b, 1)) {
        impRaiseError(-5, fn, "Bad rect ROI", kModule, 1183);
        return;
    }
    impAffineQuadCorners(coeffs, b[0], b[1], b[2], b[3], corners);
}

void impWarpAffine(ImpHeader* src, ImpHeader* dst, const double coeffs[6], int32_t interpolate)
{
    const char* fn = "impWarpAffine";
    if (impCheckImage(src)) {
        impRaiseError(impGetStatus(), fn, "Incorrect Image", kModule, 1390);
        return;
    }
    if (impCheckImage(dst)) {
        impRaiseError(impGetStatus(), fn, "Incorrect Image", kModule, 1391);
        return;
    }
    if (src->depth != dst->depth)
        impRaiseError(-5, fn, "srcImage->depth != dstImage->depth", kModule, 1392);
    if (src->origin != dst->origin)
        impRaiseError(-5, fn, "srcImage->origin != dstImage->origin", kModule, 1392);
    if (src->depth != 1 && !(src->channels == 1 && dst->channels == 1) && src->dataOrder != dst->dataOrder)
        impRaiseError(-5, fn, "srcImage->dataOrder != dstImage->dataOrder", kModule, 1392);
    if (((uint32_t)src->depth & IMP_DEPTH_SIGN) || src->depth == IMP_DEPTH_32F)
        impRaiseError(-5, fn, "(srcImage->depth & IMP_DEPTH_SIGN) || (srcImage->depth == IMP_DEPTH_32F)", kModule,
                      1393);
    if (src == dst)
        impRaiseError(-5, fn, "This function is not in-place function", kModule, 1395);
    if (impGetStatus() < 0)
        return;
    if (std::fabs(coeffs[0] * coeffs[4] - coeffs[3] * coeffs[1] - 0.0) <= 1e-7) {
        impRaiseError(-5, fn, "Determinant of transform matrix == 0.0", kModule, 1399);
        return;
    }
    double corners[8];
    impGetAffineQuad(src, coeffs, corners);
    if (impGetStatus() < 0) {
        impRaiseError(-1, fn, "", kModule, 1403);
        return;
    }
    int32_t mode = interpolate & ~IMP_SMOOTH_EDGE, flag = interpolate & IMP_SMOOTH_EDGE;
    if (mode != IMP_INTER_NN && mode != IMP_INTER_LINEAR && mode != IMP_INTER_CUBIC) {
        impRaiseError(
            -5, fn, "interpolate != IMP_INTER_NN && interpolate != IMP_INTER_LINEAR && interpolate != IMP_INTER_CUBIC",
            kModule, 1407);
        return;
    }
    if (src->depth == 1 || src->width == 1 || src->height == 1)
        mode = IMP_INTER_NN;
    else if (mode == IMP_INTER_CUBIC && (src->width < 4 || src->height < 4))
        mode = IMP_INTER_LINEAR;
    impWarpGeneric(src, dst, corners, mode | flag, fn, IMP_WARP_AFFINE, 1);
}
