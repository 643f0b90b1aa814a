// Cubic zoom kernels: float horizontal pass into four work rows, vertical pass with rounding down and clamping.
#include <algorithm>
#include <cmath>

#include "imp/impzoom_kernels.h"

template <typename T>
static void cubicH(const T* src, int32_t width, int32_t channels, int32_t srcChannels, const int32_t* colTable,
                   const float* colFractions, float* out) {
  for (int32_t j = 0; j < width; ++j) {
    const T* p = src + colTable[j];
    float t = colFractions[j];
    for (int32_t n = 0; n < channels; ++n)
      *out++ = (float)impCubicValue((float)p[n - srcChannels], (float)p[n], (float)p[n + srcChannels],
                                    (float)p[n + 2 * srcChannels], t);
  }
}

void impZoomCubicH8uPixelRef(const uint8_t* src, int32_t width, int32_t channels, int32_t srcChannels,
                             const int32_t* colTable, const float* colFractions, float* out) {
  cubicH(src, width, channels, srcChannels, colTable, colFractions, out);
}

void impZoomCubicH8uPixel(const uint8_t* src, int32_t width, int32_t channels, int32_t srcChannels,
                          const int32_t* colTable, const float* colFractions, float* out) {
  if (channels == 3 && srcChannels == 3) {
    // The coefficients depend on the column only; three channels share them.
    for (int32_t j = 0; j < width; ++j) {
      const uint8_t* p = src + colTable[j];
      float t = colFractions[j];
      double a = (double)t + 1.0;
      float c1 = (float)a, c2 = (float)(a * (0.5 * t));
      float c3 = (float)(((double)t - 1.0) * c2 * (double)0.33333334f);
      for (int32_t n = 0; n < 3; ++n) {
        float qm1 = p[n - 3], q0 = p[n], q1 = p[n + 3], q2 = p[n + 6];
        float d1 = q0 - qm1, d2 = q1 - q0 - d1, d3 = q2 - 2.0f * q1 + q0 - d2;  // exact for byte samples
        *out++ = (float)((double)qm1 + (double)c1 * d1 + (double)c2 * d2 + (double)c3 * d3);
      }
    }
    return;
  }
  cubicH(src, width, channels, srcChannels, colTable, colFractions, out);
}

template <typename T, int Max>
static inline T cubicStore(double v) {
  int32_t i = impFloorEps(v);
  return (T)std::clamp(i, 0, Max);
}

void impZoomCubicV8u(uint8_t* dst, int32_t count, float t, const float* q0, const float* q1, const float* q2,
                     const float* q3) {
  ImpCubicCoeffs k(t);
  for (int32_t i = 0; i < count; ++i) dst[i] = cubicStore<uint8_t, 255>(impCubicApply(k, q0[i], q1[i], q2[i], q3[i]));
}

namespace {

template <typename T, bool Planar>
void cubicRun(const ImpZoomRun& run) {
  constexpr int kMax = sizeof(T) == 1 ? 255 : 65535;
  int32_t planes = Planar ? run.channels : 1;
  int32_t nv = Planar ? 1 : run.channels;
  int32_t srcCh = Planar ? 1 : run.srcChannels;
  int32_t dstCh = Planar ? 1 : run.dstChannels;
  auto filter = [&](const T* row, float* out) {
    if constexpr (sizeof(T) == 1) impZoomCubicH8uPixel(row, run.width, nv, srcCh, run.colTable, run.colFractions, out);
    else cubicH(row, run.width, nv, srcCh, run.colTable, run.colFractions, out);
  };
  for (int32_t p = 0; p < planes; ++p) {
    const T* src = (const T*)run.src + (Planar ? p * run.srcPlane : 0);
    T* dst = (T*)run.dst + (Planar ? p * run.dstPlane : 0);
    float* rows[4] = {(float*)run.work[0], (float*)run.work[1], (float*)run.work[2], (float*)run.work[3]};
    int64_t s = run.srcStep, r0 = run.rowTable[0];
    filter(src + r0 - s, rows[1]);
    filter(src + r0, rows[2]);
    filter(src + r0 + s, rows[3]);
    int64_t prev = r0 - 1;
    const unsigned char* maskRow = run.mask;
    for (int32_t k = 0; k < run.height; ++k) {
      int64_t r = run.rowTable[k];
      if (r > prev) {
        float* freeRow = rows[0];
        rows[0] = rows[1]; rows[1] = rows[2]; rows[2] = rows[3]; rows[3] = freeRow;
        filter(src + r + 2 * s, rows[3]);
        if (r >= prev + 2 * s) filter(src + r + s, rows[2]);
        if (r >= prev + 3 * s) filter(src + r, rows[1]);
        if (r >= prev + 4 * s) filter(src + r - s, rows[0]);
        prev = r;
      } else if (r < prev) {
        for (int m = 0; m < 4; ++m) filter(src + r + (m - 1) * s, rows[m]);
        prev = r;
      }
      float t = run.rowFractions[k];
      ImpCubicCoeffs coeffs(t);
      T* drow = dst + k * run.dstStep;
      if (!maskRow && nv == dstCh && sizeof(T) == 1) {
        impZoomCubicV8u((uint8_t*)drow, run.width * nv, t, rows[0], rows[1], rows[2], rows[3]);
        continue;
      }
      for (int32_t j = 0; j < run.width; ++j) {
        if (maskRow && !impZoomMaskBit(maskRow, run.maskBit + j)) continue;
        for (int32_t n = 0; n < nv; ++n) {
          int32_t i = j * nv + n;
          drow[j * dstCh + n] = cubicStore<T, kMax>(impCubicApply(coeffs, rows[0][i], rows[1][i], rows[2][i], rows[3][i]));
        }
      }
      if (maskRow) maskRow += run.maskStep;
    }
  }
}

}  // namespace

void impZoomCubic8uPixel(const ImpZoomRun& run) { cubicRun<uint8_t, false>(run); }
void impZoomCubic8uPlanar(const ImpZoomRun& run) { cubicRun<uint8_t, true>(run); }
void impZoomCubic16uPixel(const ImpZoomRun& run) { cubicRun<uint16_t, false>(run); }
void impZoomCubic16uPlanar(const ImpZoomRun& run) { cubicRun<uint16_t, true>(run); }
