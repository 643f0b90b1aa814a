// Quarter and half turns as pixel moves, walked in blocks so that both images stay in cache.
#include "imp/improtate_fast.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int32_t kBlock = 64;

inline bool getBit(const char* row, int64_t x) { return (((const unsigned char*)row)[x >> 3] >> (7 - (x & 7))) & 1; }
inline void putBit(char* row, int64_t x, bool on)
{
    unsigned char m = (unsigned char)(0x80 >> (x & 7));
    row[x >> 3] = on ? (char)(row[x >> 3] | m) : (char)(row[x >> 3] & ~m);
}

// Per layout: byte step to the next pixel along a row, and to the next channel of a pixel.
template <typename T, bool Planes>
struct Steps {
    int64_t sx, dx, sc, dc;
    explicit Steps(const ImpQuarterRun& r)
        : sx(Planes ? (int64_t)sizeof(T) : r.srcStride * (int64_t)sizeof(T)),
          dx(Planes ? (int64_t)sizeof(T) : r.dstStride * (int64_t)sizeof(T)),
          sc(Planes ? r.srcStride : (int64_t)sizeof(T)),
          dc(Planes ? r.dstStride : (int64_t)sizeof(T))
    {
    }
};

template <typename T, bool Planes>
inline void movePixel(const char* s, char* d, const Steps<T, Planes>& st, int32_t channels)
{
    if (!Planes && channels == 3 && sizeof(T) == 1) {
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
        return;
    }
    for (int32_t k = 0; k < channels; ++k)
        std::memcpy(d + k * st.dc, s + k * st.sc, sizeof(T));
}

// Destination (r, c) takes source (start - r, start - c).
template <typename T, bool Planes>
void half(const ImpQuarterRun& r)
{
    Steps<T, Planes> st(r);
    for (int32_t y = 0; y < r.rows; ++y) {
        const char* s = r.src - y * r.srcStep;
        char* d = r.dst + y * r.dstStep;
        if (Planes && r.channels == 1 && sizeof(T) == 1) {
            for (int32_t x = 0; x < r.cols; ++x)
                d[x] = s[-x];
            continue;
        }
        for (int32_t x = 0; x < r.cols; ++x)
            movePixel<T, Planes>(s - x * st.sx, d + x * st.dx, st, r.channels);
    }
}

// Destination (r, c) takes source row (start + c) and column (start + direction * r).
template <typename T, bool Planes>
void quarter(const ImpQuarterRun& r)
{
    Steps<T, Planes> st(r);
    int64_t colStep = r.direction * st.sx;
    for (int32_t y0 = 0; y0 < r.rows; y0 += kBlock) {
        int32_t y1 = std::min(r.rows, y0 + kBlock);
        for (int32_t x0 = 0; x0 < r.cols; x0 += kBlock) {
            int32_t x1 = std::min(r.cols, x0 + kBlock);
            for (int32_t y = y0; y < y1; ++y) {
                const char* s = r.src + y * colStep + x0 * r.srcStep;
                char* d = r.dst + y * r.dstStep + x0 * st.dx;
                int32_t x = x0;
                if (!Planes && sizeof(T) == 1 && r.channels == 3 && r.dstStride == 3) {
                    // Four bytes written: the fourth lands on the next pixel, written right after. Four are read
                    // too unless the source pixel is the last of its row.
                    if (r.srcBit + (int64_t)r.direction * y < r.srcMaxX) {
                        for (; x + 1 < x1; ++x, s += r.srcStep, d += 3)
                            std::memcpy(d, s, 4);
                    } else {
                        for (; x + 1 < x1; ++x, s += r.srcStep, d += 3) {
                            uint16_t lo;
                            std::memcpy(&lo, s, 2);
                            uint32_t v = lo | (uint32_t)(uint8_t)s[2] << 16;
                            std::memcpy(d, &v, 4);
                        }
                    }
                }
                for (; x < x1; ++x, s += r.srcStep, d += st.dx)
                    movePixel<T, Planes>(s, d, st, r.channels);
            }
        }
    }
}

}  // namespace

void impRotate180Bits(const ImpQuarterRun& r)
{
    for (int32_t y = 0; y < r.rows; ++y) {
        const char* s = r.src - y * r.srcStep;
        char* d = r.dst + y * r.dstStep;
        for (int32_t x = 0; x < r.cols; ++x)
            putBit(d, (int64_t)r.dstBit + x, getBit(s, (int64_t)r.srcBit - x));
    }
}

void impRotate90Bits(const ImpQuarterRun& r)
{
    for (int32_t y = 0; y < r.rows; ++y) {
        char* d = r.dst + y * r.dstStep;
        int64_t sx = (int64_t)r.srcBit + (int64_t)r.direction * y;
        for (int32_t x = 0; x < r.cols; ++x)
            putBit(d, (int64_t)r.dstBit + x, getBit(r.src + x * r.srcStep, sx));
    }
}

void impRotate180Planes8u(const ImpQuarterRun& r) { half<uint8_t, true>(r); }
void impRotate90Planes8u(const ImpQuarterRun& r) { quarter<uint8_t, true>(r); }
void impRotate180Pixels8u(const ImpQuarterRun& r) { half<uint8_t, false>(r); }
void impRotate90Pixels8u(const ImpQuarterRun& r) { quarter<uint8_t, false>(r); }
void impRotate180Planes16u(const ImpQuarterRun& r) { half<uint16_t, true>(r); }
void impRotate90Planes16u(const ImpQuarterRun& r) { quarter<uint16_t, true>(r); }
void impRotate180Pixels16u(const ImpQuarterRun& r) { half<uint16_t, false>(r); }
void impRotate90Pixels16u(const ImpQuarterRun& r) { quarter<uint16_t, false>(r); }
