// Image header creation, pixel allocation, release, regions, borders and validation.
#pragma once

#include "imp/imp_types.h"

ImpHeader* impCreateImageHeader(int32_t channels, int32_t alphaIndex, int32_t depth, const char* colorModel,
                                const char* channelSequence, int32_t dataOrder, int32_t origin, int32_t alignment,
                                int32_t width, int32_t height, ImpRoiRecord* roi, ImpHeader* maskImage, void* userTag,
                                ImpTileSpec* tileInfo);
void impAllocateImage(ImpHeader* image, int32_t doFill, int32_t fillValue);
void impFillImageData(ImpHeader* image, int32_t doFill, int32_t fillValue, int32_t bits);
void impReleaseImageParts(ImpHeader* image, int32_t flags);
void impFreeHeader(ImpHeader* image);
ImpRoiRecord* impAllocateRoi(int32_t coi, int32_t offsetX, int32_t offsetY, int32_t width, int32_t height);
void impFillRoi(ImpRoiRecord* roi, int32_t coi, int32_t offsetX, int32_t offsetY, int32_t width, int32_t height);
void impSetImageBorder(ImpHeader* image, int32_t kind, int32_t sides, int32_t value);
int32_t impCheckImage(const ImpHeader* image);

// Row step in bytes; -1 when it does not fit 32 bits.
int32_t impRowStep(int32_t dataOrder, int32_t depth, int32_t alignment, int32_t channels, int32_t width);

void* impAlignedMalloc(int64_t size);
void* impAlignedMallocDwords(int64_t count);
void impAlignedFree(void* block);

// Clamps a value to the range of a depth (32-bit depths unchanged).
int32_t impClampToDepth(int32_t depth, int32_t value);
