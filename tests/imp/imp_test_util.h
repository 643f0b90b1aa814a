// Small helpers for building image headers over test pixels.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "imp/impalloc.h"
#include "imp/imperror.h"
#include "imp/ownrect.h"

// Mode 2 and a clear status around every test.
struct ImpModeGuard {
    int32_t saved;
    ImpModeGuard() : saved(impGetReportMode())
    {
        impSetReportMode(2);
        impSetStatus(0);
    }
    ~ImpModeGuard() { impSetReportMode(saved); }
};

// An allocated image; freed with all its parts.
struct TestImage {
    ImpHeader* h = nullptr;
    TestImage(int32_t channels, int32_t depth, int32_t width, int32_t height, int32_t order = 0, int32_t fill = 0)
    {
        h = impCreateImageHeader(channels, 0, depth, "RGB", "BGR", order, 0, 4, width, height, nullptr, nullptr,
                                 nullptr, nullptr);
        impAllocateImage(h, 1, fill);
    }
    ~TestImage() { impReleaseImageParts(h, 31); }
    uint8_t& at8(int x, int y, int c = 0) { return *(uint8_t*)(h->imageData + y * h->widthStep + x * h->channels + c); }
    uint16_t& at16(int x, int y, int c = 0)
    {
        return *(uint16_t*)(h->imageData + y * h->widthStep + 2 * (x * h->channels + c));
    }
    bool bit(int x, int y) { return (((uint8_t*)h->imageData)[y * h->widthStep + x / 8] >> (7 - x % 8)) & 1; }
    void setBit(int x, int y, bool on)
    {
        uint8_t& b = ((uint8_t*)h->imageData)[y * h->widthStep + x / 8];
        b = on ? (uint8_t)(b | (0x80 >> (x % 8))) : (uint8_t)(b & ~(0x80 >> (x % 8)));
    }
    void roi(int coi, int x, int y, int w, int hgt) { h->roi = impAllocateRoi(coi, x, y, w, hgt); }
};

// The image's bytes from a generator seeded with seed: the same image on every run.
inline void randomFill(ImpHeader* h, unsigned seed)
{
    std::mt19937 rng(seed);
    for (int i = 0; i < h->imageSize; ++i)
        h->imageData[i] = (char)rng();
}

// Sample (x, y, channel k) of any depth, by the image's order.
inline int64_t sampleAt(const ImpHeader* h, int64_t x, int64_t y, int k)
{
    if (h->depth == 1)
        return impGetBit(h->imageData + y * h->widthStep, x);
    const char* p = impPixelPtr(h, (int32_t)x, (int32_t)y, k);
    return h->depth == 16 ? *(const uint16_t*)p : *(const uint8_t*)p;
}
