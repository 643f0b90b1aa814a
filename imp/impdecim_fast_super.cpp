// Area-average 8-bit decimation where every window edge falls on a whole 64th of a pixel: the plain routine's
// double sum is then an exact multiple of 1/4096, formed here in integers, down first and then across.
#include <emmintrin.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "imp/impalloc.h"
#include "imp/impdecim_box.h"
#include "imp/impdecim_fast.h"

namespace {

// A window's cover along one axis in 64ths: the first index and the weight of each index from there, 0 past
// the count; a last edge whose weight is 0 is left out (the plain form never reads it either).
struct Cover {
    int64_t first;
    int32_t count;
    int32_t weights[8];
};

bool wholeSixtyFourths(double w) { return std::floor(w * 64) == w * 64; }

// The covers of count windows from start, as the plain routine walks them; false when a weight is not in 64ths
// or a window is too wide for the integer sums.
bool covers(double start, double ratio, int64_t step, int64_t extent, int64_t count, int64_t n, std::vector<Cover>& out,
            double* end)
{
    double v = start;
    for (int64_t i = 0; i < n; ++i) {
        DecimSpan s = decimSpan(v, ratio, step, extent, count);
        if (!wholeSixtyFourths(s.firstW) || !wholeSixtyFourths(s.lastW) || s.last - s.first + 1 > 8)
            return false;
        Cover c{s.first, 0, {}};
        for (int64_t k = s.first; k <= s.last; ++k)
            c.weights[c.count++] = k == s.first ? (int32_t)(s.firstW * 64) : k == s.last ? (int32_t)(s.lastW * 64) : 64;
        while (c.count > 0 && c.weights[c.count - 1] == 0)
            --c.count;  // the first weight is never 0
        out.push_back(c);
        v = s.end;
    }
    *end = v;
    return true;
}

}  // namespace

bool impDecimFastSuper8u(const ImpDecimArgs& a, double x0, double y0, double* xEnd, double* yEnd)
{
    int64_t n = a.dstChannelEnd, ps = a.srcPixelStep;
    if (a.dstChannelStep != 1 || a.srcChannelStep != 1 || n < 1 || n != a.dstPixelStep || n > ps ||
        a.srcWidthExtent <= 0 || a.srcHeightExtent <= 0)
        return false;
    int64_t nc = a.dstColumnExtent > 0 ? (a.dstColumnExtent + a.dstPixelStep - 1) / a.dstPixelStep : 0;
    int64_t nr = a.dstRowExtent > 0 ? (a.dstRowExtent + a.dstRowStep - 1) / a.dstRowStep : 0;
    int64_t maxRows = a.srcHeightExtent / a.srcRowStep, maxCols = a.srcWidthExtent / ps;
    std::vector<Cover> cols, rows;
    double xe, ye;
    if (!covers(x0, a.xRatio, ps, a.srcWidthExtent, maxCols, nc, cols, &xe) ||
        !covers(y0, a.yRatio, a.srcRowStep, a.srcHeightExtent, maxRows, nr, rows, &ye))
        return false;
    // Column sums of a window's rows fit 16 bits; the sums across (at most 8 weights of 64) fit 32.
    for (const Cover& c : rows) {
        int32_t w = 0;
        for (int k = 0; k < c.count; ++k)
            w += c.weights[k];
        if (255 * w > 65535)
            return false;
    }
    int64_t bytes = 0;  // bytes of a source row the windows read
    for (const Cover& c : cols)
        if (c.count > 0)
            bytes = std::max(bytes, (c.first + c.count - 1) * ps + n);
    // Every cover is read as four taps (weights 0 past its end), so the column sums run on with zeros.
    bool four = true;
    for (const Cover& c : cols)
        four = four && c.count <= 4;
    uint16_t* down = (uint16_t*)impAlignedMalloc(2 * (bytes + 4 * ps) + 64);
    int32_t* across = (int32_t*)impAlignedMalloc(4 * nc * n + 64);
    if (!down || !across) {
        impAlignedFree(down);
        impAlignedFree(across);
        return false;
    }
    std::fill(down, down + bytes + 4 * ps, 0);
    const uint8_t* src = (const uint8_t*)a.src;
    double norm = 1.0 / ((double)a.yRatio * (double)a.xRatio);
    const __m128d scale = _mm_set1_pd(1.0 / 4096), vnorm = _mm_set1_pd(norm), half = _mm_set1_pd(0.5);
    int64_t count = nc * n;
    for (int64_t i = 0; i < nr; ++i) {
        const Cover& r = rows[i];
        // Down: weighted column sums of the window's rows.
        if (r.count == 0)
            std::fill(down, down + bytes, 0);
        for (int k = 0; k < r.count; ++k) {
            const uint8_t* row = src + (r.first + k) * a.srcRowStep;
            __m128i w = _mm_set1_epi16((int16_t)r.weights[k]);
            __m128i keep = k ? _mm_set1_epi16(-1) : _mm_setzero_si128();  // the first row starts the sums
            int64_t b = 0;
            for (; b + 16 <= bytes; b += 16) {
                __m128i p = _mm_loadu_si128((const __m128i*)(row + b)), zero = _mm_setzero_si128();
                __m128i* d = (__m128i*)(down + b);
                __m128i lo = _mm_and_si128(_mm_loadu_si128(d), keep), hi = _mm_and_si128(_mm_loadu_si128(d + 1), keep);
                _mm_storeu_si128(d, _mm_add_epi16(lo, _mm_mullo_epi16(_mm_unpacklo_epi8(p, zero), w)));
                _mm_storeu_si128(d + 1, _mm_add_epi16(hi, _mm_mullo_epi16(_mm_unpackhi_epi8(p, zero), w)));
            }
            for (; b < bytes; ++b)
                down[b] = (uint16_t)((k ? down[b] : 0) + row[b] * r.weights[k]);
        }
        // Across: weighted sums of the column sums, in 4096ths of the plain routine's double sum.
        int32_t* s = across;
        for (int64_t j = 0; j < nc; ++j) {
            const Cover& c = cols[j];
            const uint16_t* d = down + c.first * ps;
            if (four) {
                int32_t w0 = c.weights[0], w1 = c.weights[1], w2 = c.weights[2], w3 = c.weights[3];
                for (int64_t ch = 0; ch < n; ++ch)
                    *s++ = w0 * d[ch] + w1 * d[ps + ch] + w2 * d[2 * ps + ch] + w3 * d[3 * ps + ch];
                continue;
            }
            for (int64_t ch = 0; ch < n; ++ch) {
                int32_t sum = 0;
                for (int k = 0; k < c.count; ++k)
                    sum += c.weights[k] * d[k * ps + ch];
                *s++ = sum;
            }
        }
        // sum · norm + 0.5, truncated, as the plain routine does it in double.
        uint8_t* dst = (uint8_t*)a.dst + i * a.dstRowStep;
        int64_t k = 0;
        for (; k + 4 <= count; k += 4) {
            __m128d lo = _mm_cvtepi32_pd(_mm_loadl_epi64((const __m128i*)(across + k)));
            __m128d hi = _mm_cvtepi32_pd(_mm_loadl_epi64((const __m128i*)(across + k + 2)));
            lo = _mm_add_pd(_mm_mul_pd(_mm_mul_pd(lo, scale), vnorm), half);
            hi = _mm_add_pd(_mm_mul_pd(_mm_mul_pd(hi, scale), vnorm), half);
            __m128i v = _mm_unpacklo_epi64(_mm_cvttpd_epi32(lo), _mm_cvttpd_epi32(hi));
            v = _mm_packs_epi32(v, v);
            StoreFour(dst + k, _mm_cvtsi128_si32(_mm_packus_epi16(v, v)));
        }
        for (; k < count; ++k) {
            double v = (double)across[k] / 4096 * norm + 0.5;
            dst[k] = v < 1 ? 0 : (uint8_t)(int64_t)v;
        }
    }
    impAlignedFree(down);
    impAlignedFree(across);
    *xEnd = nr > 0 ? xe : x0;
    *yEnd = ye;
    return true;
}
