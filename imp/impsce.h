// Copy of one image region into another and filling a region with one value.
#pragma once

#include <algorithm>

#include "imp/imp_types.h"

void impCopy(ImpHeader* srcImage, ImpHeader* dstImage);
void impSet(ImpHeader* image, int32_t value);

// Block primitives: n counts bytes, halfwords and words respectively.
void impCopyBytes(const void* source, void* destination, int64_t n);
void impFillBytes(int32_t value, void* destination, int64_t n);
void impFillWords(int32_t value, void* destination, int64_t n);
void impFillDwords(int32_t value, void* destination, int64_t n);
