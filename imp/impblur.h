// Box blur: the plain average of an nCols x nRows window around each pixel of the region of interest.
#pragma once

#include "imp/imp_types.h"

void impBlur(ImpHeader* srcImage, ImpHeader* dstImage, int32_t nCols, int32_t nRows, int32_t anchorX, int32_t anchorY);
