// impOr: bitwise OR of two images into a third.
#include "imp/implogic_ops.h"

void impOrBits1u(const unsigned char* a, const unsigned char* b, unsigned char* d, int32_t sA, int32_t sB, int32_t sD,
                 int32_t width, int32_t height, int64_t stepA, int64_t stepB, int64_t stepD)
{
    implogic::bits1u<implogic::OrOp>(a, b, d, sA, sB, sD, width, height, stepA, stepB, stepD, 0);
}

void impOr(ImpHeader* srcImageA, ImpHeader* srcImageB, ImpHeader* dstImage)
{
    implogic::binary<implogic::OrOp>(srcImageA, srcImageB, dstImage, "impOr", "impor");
}
