// impAnd: bitwise AND of two images into a third.
#include "imp/implogic_ops.h"

void impAndBits1u(const unsigned char* a, const unsigned char* b, unsigned char* d, int32_t sA, int32_t sB, int32_t sD,
                  int32_t width, int32_t height, int64_t stepA, int64_t stepB, int64_t stepD)
{
    implogic::bits1u<implogic::AndOp>(a, b, d, sA, sB, sD, width, height, stepA, stepB, stepD, 0);
}

void impAnd(ImpHeader* srcImageA, ImpHeader* srcImageB, ImpHeader* dstImage)
{
    implogic::binary<implogic::AndOp>(srcImageA, srcImageB, dstImage, "impAnd", "impand");
}
