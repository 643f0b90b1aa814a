// Test images of any depth and layout, and reference convolution and box blur computed pixel by pixel.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "imp/impalloc.h"
#include "imp/impcnv2d.h"

// An allocated image of any depth; samples read and written as 64-bit integers (floats by value).
struct AnyImage {
    ImpHeader* h = nullptr;
    AnyImage(int channels, int alpha, int32_t depth, int width, int height, int order = 0)
    {
        h = impCreateImageHeader(channels, alpha, depth, "RGB", "BGR", order, 0, 4, width, height, nullptr, nullptr,
                                 nullptr, nullptr);
        h->rawData = h->imageData = (char*)calloc((size_t)h->imageSize, 1);  // any depth, released with the image
    }
    ~AnyImage() { impReleaseImageParts(h, 31); }
    char* addr(int x, int y, int c) const
    {
        int e = std::max(impDepthBits(h->depth) / 8, 1);
        if (h->dataOrder == 1)
            return h->imageData + ((int64_t)h->height * c + y) * h->widthStep + (int64_t)x * e;
        return h->imageData + (int64_t)y * h->widthStep + ((int64_t)x * h->channels + c) * e;
    }
    int64_t get(int x, int y, int c = 0) const
    {
        char* p = addr(x, y, c);
        switch (h->depth) {
        case IMP_DEPTH_1U: return (((uint8_t*)h->imageData)[(int64_t)y * h->widthStep + x / 8] >> (7 - x % 8)) & 1;
        case IMP_DEPTH_8U: return *(uint8_t*)p;
        case IMP_DEPTH_8S: return *(int8_t*)p;
        case IMP_DEPTH_16U: return *(uint16_t*)p;
        case IMP_DEPTH_16S: return *(int16_t*)p;
        case IMP_DEPTH_32F: return (int64_t) * (float*)p;
        default: return *(int32_t*)p;
        }
    }
    void set(int x, int y, int c, int64_t v)
    {
        char* p = addr(x, y, c);
        switch (h->depth) {
        case IMP_DEPTH_1U: {
            uint8_t& b = ((uint8_t*)h->imageData)[(int64_t)y * h->widthStep + x / 8];
            b = v ? (uint8_t)(b | (0x80 >> (x % 8))) : (uint8_t)(b & ~(0x80 >> (x % 8)));
            break;
        }
        case IMP_DEPTH_8U:
        case IMP_DEPTH_8S: *p = (char)v; break;
        case IMP_DEPTH_16U:
        case IMP_DEPTH_16S: *(int16_t*)p = (int16_t)v; break;
        case IMP_DEPTH_32F: *(float*)p = (float)v; break;
        default: *(int32_t*)p = (int32_t)v; break;
        }
    }
    // Random samples within lo .. hi on every channel.
    void randomize(std::mt19937& rng, int64_t lo, int64_t hi)
    {
        std::uniform_int_distribution<int64_t> d(lo, hi);
        for (int y = 0; y < h->height; ++y)
            for (int x = 0; x < h->width; ++x)
                for (int c = 0; c < h->channels; ++c)
                    set(x, y, c, d(rng));
    }
    std::vector<char> bytes() const { return std::vector<char>(h->imageData, h->imageData + h->imageSize); }
    void roi(int coi, int x, int y, int w, int hh) { h->roi = impAllocateRoi(coi, x, y, w, hh); }
};

inline void sampleRange(int32_t depth, int64_t* lo, int64_t* hi)
{
    switch (depth) {
    case IMP_DEPTH_1U: *lo = 0, *hi = 1; break;
    case IMP_DEPTH_8U: *lo = 0, *hi = 255; break;
    case IMP_DEPTH_8S: *lo = -128, *hi = 127; break;
    case IMP_DEPTH_16U: *lo = 0, *hi = 65535; break;
    case IMP_DEPTH_16S: *lo = -32768, *hi = 32767; break;
    default: *lo = INT32_MIN, *hi = INT32_MAX; break;
    }
}

// A caller's kernel: row-major weights and anchor, as given to impCreateConvKernel.
struct KernelSpec {
    int cols, rows, ax, ay, shift;
    std::vector<int32_t> w;
};

// Source sample with the border rules fill (kind 0, the side's value) and repeat (kind 1).
inline int64_t borderedSample(const AnyImage& s, int x, int y, int c)
{
    const ImpHeader* h = s.h;
    int side = y < 0 ? 0 : y >= h->height ? 1 : x < 0 ? 2 : x >= h->width ? 3 : -1;
    if (side < 0)
        return s.get(x, y, c);
    if (h->borderKind[side] == 1)
        return s.get(std::clamp(x, 0, h->width - 1), std::clamp(y, 0, h->height - 1), c);
    int64_t lo, hi;
    sampleRange(h->depth, &lo, &hi);
    return std::clamp<int64_t>(h->borderValue[side], lo, hi);
}

// Whether every window sum of the kernel fits signed 16 bits over the depth's range (the 8-bit integer combination).
inline bool fits16(const KernelSpec& k, int32_t depth)
{
    int64_t lo, hi, mn = 0, mx = 0;
    sampleRange(depth, &lo, &hi);
    bool products = true;
    for (int32_t v : k.w) {
        if (v < -32768 || v > 32767)
            return false;
        int64_t a = v * lo, b = v * hi;
        mn += std::min(a, b), mx += std::max(a, b);
        products = products && std::max(a, b) <= 32767 && std::min(a, b) >= -32768;
    }
    return mn > -32768 && mx < 32767 && products;
}

// impConvolve2D's result at one destination element from the source element (sx, sy, sc): each kernel's exact sum
// shifted, combined by the method, saturated to the depth.
inline int64_t referenceConv(const AnyImage& s, int sx, int sy, int sc, const std::vector<KernelSpec>& ks, int method)
{
    int32_t depth = s.h->depth;
    std::vector<int64_t> r;
    bool intCombine = impDepthBits(depth) <= 8;
    for (const KernelSpec& k : ks) {
        int64_t sum = 0;
        for (int i = 0; i < k.rows; ++i)
            for (int j = 0; j < k.cols; ++j)
                sum += k.w[i * k.cols + j] * borderedSample(s, sx + k.ax - j, sy + k.ay - i, sc);
        r.push_back(sum >> k.shift);
        intCombine = intCombine && fits16(k, depth);
    }
    int64_t v = r[0];
    bool square = method == 1 || method == 2;
    if (r.size() == 1) {
        // 32-bit samples sum in float: the square is a float.
        if (method == 1)
            v = impDepthBits(depth) == 32 ? (int64_t)(float)(v * v) : v * v;
        if (method == 2)
            v = std::abs(v);
    } else if (intCombine) {
        for (size_t q = 1; q < r.size(); ++q) {
            if (square)
                v = (q == 1 ? v * v : v) + r[q] * r[q];
            else if (method == 3)
                v = std::max(v, r[q]);
            else if (method == 4)
                v = std::min(v, r[q]);
            else
                v += r[q];
        }
        if (method == 2)
            v = (int64_t)std::nearbyint(std::sqrt((double)v));
    } else {
        // A float combination row: each fold rounded to float once.
        float f = (float)(square ? (double)v * v : (double)v);
        for (size_t q = 1; q < r.size(); ++q) {
            double t = square ? (double)r[q] * r[q] : (double)r[q];
            if (method == 3)
                f = std::max(f, (float)t);
            else if (method == 4)
                f = std::min(f, (float)t);
            else
                f = (float)((double)f + t);
        }
        if (method == 2)
            f = std::sqrt(f);
        v = (int64_t)std::nearbyint((double)f);
    }
    if (depth == IMP_DEPTH_1U)
        return v > 0;
    int64_t lo, hi;
    sampleRange(depth, &lo, &hi);
    return std::clamp(v, lo, hi);
}

// impBlur's result: the window's exact sum divided and truncated toward zero (1-bit: set from half the window).
inline int64_t referenceBlur(const AnyImage& s, int x, int y, int c, int cols, int rows, int ax, int ay)
{
    int64_t sum = 0, n = (int64_t)cols * rows;
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j)
            sum += borderedSample(s, x - ax + j, y - ay + i, c);
    if (s.h->depth == IMP_DEPTH_1U)
        return 2 * sum >= n;
    return sum / n;
}

inline ImpKernel* makeKernel(const KernelSpec& k)
{
    return impCreateConvKernel(k.cols, k.rows, k.ax, k.ay, k.w.data(), k.shift);
}
