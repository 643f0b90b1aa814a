// SSE2 and unrolled paths of the 8-bit pixel-order affine kernels for three-channel pixels.
#include <emmintrin.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "imp/impwarp_kernels.h"

namespace {

bool threeChannels(const ImpWarpRun& r) { return r.channels == 3 && r.srcStride == 3 && r.dstStride == 3; }

// The linear sample of one pixel from its 2 x 2 cell, each of the three channels as the scalar kernel forms it:
// top and bottom from 14-bit weights shifted by 8, then the vertical blend shifted by 20.
inline int32_t blend3(const uint8_t* s, int64_t step, int32_t wx, int32_t wy)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i wxv = _mm_set1_epi32((wx << 16) | (16384 - wx));
    const __m128i wyv = _mm_set1_epi32((wy << 16) | (16384 - wy));
    __m128i r0 = _mm_unpacklo_epi8(_mm_loadl_epi64((const __m128i*)s), zero);
    __m128i r1 = _mm_unpacklo_epi8(_mm_loadl_epi64((const __m128i*)(s + step)), zero);
    // Pair each channel of the left pixel with the same channel of the right one.
    r0 = _mm_unpacklo_epi16(r0, _mm_srli_si128(r0, 6));
    r1 = _mm_unpacklo_epi16(r1, _mm_srli_si128(r1, 6));
    __m128i top = _mm_srai_epi32(_mm_madd_epi16(r0, wxv), 8);
    __m128i bottom = _mm_srai_epi32(_mm_madd_epi16(r1, wxv), 8);
    __m128i tb = _mm_packs_epi32(top, bottom);
    tb = _mm_unpacklo_epi16(tb, _mm_srli_si128(tb, 8));
    __m128i v = _mm_srai_epi32(_mm_madd_epi16(tb, wyv), 20);
    v = _mm_packs_epi32(v, v);
    return _mm_cvtsi128_si32(_mm_packus_epi16(v, v));
}

// One pixel by the clamped rules; four bytes stored when the next pixel of the span follows.
inline void linearPixel(const ImpWarpRun& r, char* row, int32_t X, int64_t cx, int64_t cy, bool wide)
{
    int64_t x, y;
    int32_t wx, wy;
    impLinearCell(cx, r.maxX, &x, &wx);
    impLinearCell(cy, r.maxY, &y, &wy);
    const uint8_t* s = (const uint8_t*)r.src + y * r.srcStep + x * 3;
    uint8_t* d = (uint8_t*)row + X * 3;
    if (x + 2 > r.maxX) {
        // The 8-byte loads would pass the last pixel of the row.
        for (int k = 0; k < 3; ++k) {
            int32_t top = (s[k] * (16384 - wx) + s[k + 3] * wx) >> 8;
            int32_t bottom = (s[r.srcStep + k] * (16384 - wx) + s[r.srcStep + k + 3] * wx) >> 8;
            d[k] = (uint8_t)((top * (16384 - wy) + bottom * wy) >> 20);
        }
        return;
    }
    int32_t v = blend3(s, r.srcStep, wx, wy);
    if (wide)
        std::memcpy(d, &v, 4);
    else
        d[0] = (uint8_t)v, d[1] = (uint8_t)(v >> 8), d[2] = (uint8_t)(v >> 16);
}

inline void nearestPixel(const ImpWarpRun& r, char* row, int32_t X, int64_t cx, int64_t cy, bool wide)
{
    int64_t x = std::clamp<int64_t>(cx >> 16, 0, r.maxX), y = std::clamp<int64_t>(cy >> 16, 0, r.maxY);
    const char* s = r.src + y * r.srcStep + x * 3;
    char* d = row + X * 3;
    if (wide && x < r.maxX) {
        std::memcpy(d, s, 4);
    } else {
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
    }
}

// Walks the spans in blocks of rows and columns, so that the source pixels a block reads stay in cache: the
// safe run of each row (positions in [0, safeX) x [0, safeY), never the span's last pixel) through fast(),
// the pixels before and after it through slow(). Positions depend only on the pixel, not on the order.
template <typename Fast, typename Slow>
void walkSpans(const ImpWarpRun& r, int64_t bias, int64_t safeX, int64_t safeY, Fast fast, Slow slow)
{
    constexpr int32_t kRows = 64, kCols = 64;
    ImpFixedWalk w(r, bias);
    struct RowRun {
        int32_t L, R, a, b;
        int64_t bx, by;
        char* row;
    } runs[kRows];
    for (int32_t Y0 = r.firstRow; Y0 <= r.lastRow; Y0 += kRows) {
        int32_t n = std::min(kRows, r.lastRow - Y0 + 1), lo = INT32_MAX, hi = INT32_MIN;
        for (int32_t k = 0; k < n; ++k, w.nextRow()) {
            RowRun& u = runs[k];
            u.L = r.firstCol[Y0 + k - r.firstRow];
            u.R = r.lastCol[Y0 + k - r.firstRow];
            u.bx = w.bx;
            u.by = w.by;
            u.row = r.dst + (int64_t)(Y0 + k - r.firstRow) * r.dstStep;
            auto safe = [&](int32_t X) {
                int64_t cx = w.A * X + u.bx, cy = w.D * X + u.by;
                return cx >= 0 && cx < safeX && cy >= 0 && cy < safeY;
            };
            // The positions move linearly along the row, so the safe columns form one run [a, b].
            u.a = u.L;
            u.b = u.R - 1;
            while (u.a <= u.b && !safe(u.a))
                ++u.a;
            while (u.b >= u.a && !safe(u.b))
                --u.b;
            if (u.L <= u.R)
                lo = std::min(lo, u.L), hi = std::max(hi, u.R);
        }
        for (int64_t X0 = lo; X0 <= hi; X0 += kCols) {
            for (int32_t k = 0; k < n; ++k) {
                const RowRun& u = runs[k];
                int32_t x0 = (int32_t)std::max<int64_t>(u.L, X0), x1 = (int32_t)std::min<int64_t>(u.R, X0 + kCols - 1);
                for (int32_t X = x0; X <= x1;) {
                    bool inside = X >= u.a && X <= u.b;
                    int32_t end = inside ? std::min(u.b, x1) : X < u.a ? std::min(u.a - 1, x1) : x1;
                    int64_t cx = w.A * X + u.bx, cy = w.D * X + u.by;
                    if (inside) {
                        fast(u.row, X, end, cx, cy, w.A, w.D);
                    } else {
                        for (int32_t x = X; x <= end; ++x, cx += w.A, cy += w.D)
                            slow(u.row, x, cx, cy, x < u.R);
                    }
                    X = end + 1;
                }
            }
        }
    }
}

}  // namespace

void impWarpLinear8uPixel(const ImpWarpRun& r)
{
    if (!threeChannels(r) || r.maxX < 2)
        return impWarpLinear8uPixelRef(r);
    // Positions whose 2 x 2 cell and 8-byte loads stay inside the image without clamping.
    walkSpans(
        r, 0, (int64_t)(r.maxX - 1) << 16, (int64_t)(r.maxY - 1) << 16,
        [&](char* row, int32_t a, int32_t b, int64_t cx, int64_t cy, int64_t A, int64_t D) {
            uint8_t* d = (uint8_t*)row + (int64_t)a * 3;
            for (int32_t X = a; X <= b; ++X, cx += A, cy += D, d += 3) {
                const uint8_t* s = (const uint8_t*)r.src + (cy >> 16) * r.srcStep + (cx >> 16) * 3;
                int32_t v = blend3(s, r.srcStep, (int32_t)((cx & 0xFFFF) >> 2), (int32_t)((cy & 0xFFFF) >> 2));
                std::memcpy(d, &v, 4);
            }
        },
        [&](char* row, int32_t X, int64_t cx, int64_t cy, bool wide) { linearPixel(r, row, X, cx, cy, wide); });
}

void impWarpNN8uPixel(const ImpWarpRun& r)
{
    if (!threeChannels(r))
        return impWarpNN8uPixelRef(r);
    // Positions that round to a pixel with a right neighbour, so that four bytes can be read.
    walkSpans(
        r, 32768, (int64_t)r.maxX << 16, ((int64_t)r.maxY + 1) << 16,
        [&](char* row, int32_t a, int32_t b, int64_t cx, int64_t cy, int64_t A, int64_t D) {
            char* d = row + (int64_t)a * 3;
            for (int32_t X = a; X <= b; ++X, cx += A, cy += D, d += 3)
                std::memcpy(d, r.src + (cy >> 16) * r.srcStep + (cx >> 16) * 3, 4);
        },
        [&](char* row, int32_t X, int64_t cx, int64_t cy, bool wide) { nearestPixel(r, row, X, cx, cy, wide); });
}
