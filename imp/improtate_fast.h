// Exact quarter and half turns: pixel moves for 1-bit, 8-bit and 16-bit images.
#pragma once

#include <cstdint>

// src addresses the source pixel that lands on the block's first destination pixel.
struct ImpQuarterRun {
    const char* src;
    char* dst;
    int32_t rows;
    int32_t cols;
    int64_t srcStep;  // bytes; already negated for 270 degrees
    int64_t dstStep;
    int64_t srcStride;  // planes: plane step in bytes; pixels: channels per pixel
    int64_t dstStride;
    int32_t channels;   // channels to process
    int32_t direction;  // 90/270: source column step per destination row (-1 or +1)
    int32_t srcBit;     // x of the two start pixels (bit indices for 1-bit images)
    int32_t dstBit;
    int32_t srcMaxX;  // the source image's last column
};

void impRotate180Bits(const ImpQuarterRun& run);
void impRotate90Bits(const ImpQuarterRun& run);
void impRotate180Planes8u(const ImpQuarterRun& run);
void impRotate90Planes8u(const ImpQuarterRun& run);
void impRotate180Pixels8u(const ImpQuarterRun& run);
void impRotate90Pixels8u(const ImpQuarterRun& run);
void impRotate180Planes16u(const ImpQuarterRun& run);
void impRotate90Planes16u(const ImpQuarterRun& run);
void impRotate180Pixels16u(const ImpQuarterRun& run);
void impRotate90Pixels16u(const ImpQuarterRun& run);
