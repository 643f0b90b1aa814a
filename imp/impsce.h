// Copy of one image region into another and filling a region with one value.
#pragma once

#include "imp/imp_types.h"

void impCopy(ImpHeader* srcImage, ImpHeader* dstImage);
void impSet(ImpHeader* image, int32_t value);
