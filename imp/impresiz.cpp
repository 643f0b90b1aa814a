// impResize: shrinking by area averaging goes to impDecimate, everything else to impZoom.
#include "imp/impgeom.h"
#include "imp/imperror.h"

int32_t impResize(ImpHeader* srcImage, ImpHeader* dstImage, int32_t xDst, int32_t xSrc, int32_t yDst, int32_t ySrc,
                  int32_t interpolate)
{
    if (interpolate == IMP_INTER_SUPER) {
        if (xDst > xSrc || yDst > ySrc)
            return impRaiseError(IMP_StsBadArg, "impResize",
                                 "(interpolate == IMP_INTER_SUPER) && (xDst > xSrc || yDst > ySrc)", "impresiz", 56);
        impDecimate(srcImage, dstImage, xDst, xSrc, yDst, ySrc, interpolate);
    } else {
        impZoom(srcImage, dstImage, xDst, xSrc, yDst, ySrc, interpolate);
    }
    int32_t status = impGetStatus();
    if (status >= 0)
        return status;
    return impRaiseError(IMP_StsBackTrace, "impResize", "", "impresiz", 59);
}
