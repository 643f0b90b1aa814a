// Logical operations between images and with a constant, and the frame they share.
#pragma once

#include "imp/imp_types.h"
#include "imp/impcopybits.h"

void impAnd(ImpHeader* srcImageA, ImpHeader* srcImageB, ImpHeader* dstImage);
void impOr(ImpHeader* srcImageA, ImpHeader* srcImageB, ImpHeader* dstImage);
void impXorS(ImpHeader* srcImage, ImpHeader* dstImage, int32_t value);

void impAndBits1u(const unsigned char* a, const unsigned char* b, unsigned char* d, int32_t sA, int32_t sB, int32_t sD,
                  int32_t width, int32_t height, int64_t stepA, int64_t stepB, int64_t stepD);
void impOrBits1u(const unsigned char* a, const unsigned char* b, unsigned char* d, int32_t sA, int32_t sB, int32_t sD,
                 int32_t width, int32_t height, int64_t stepA, int64_t stepB, int64_t stepD);
