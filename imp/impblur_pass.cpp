// The box-filter pass: column sums kept up row by row, row sums of the window columns, the exact average.
#include "imp/impblur_pass.h"

#include <cmath>
#include <cstdlib>

#include "imp/imp_types.h"
#include "imp/impalloc.h"
#include "imp/ownrect.h"

namespace {

// The average of n samples whose sum is s, as the depth's sample.
template <class Sum>
struct Average {
  int64_t n;
  Sum operator()(Sum s) const { return s / (Sum)n; }
};

template <>
struct Average<double> {
  int64_t n;
  // Rounded toward zero to single precision.
  float operator()(double s) const {
    double q = s / (double)n;
    float f = (float)q;
    if (std::fabs((double)f) > std::fabs(q)) f = std::nextafter(f, 0.0f);
    return f;
  }
};

template <class T, class Sum>
bool pass(const ImpBlurRun& run, int32_t depth) {
  int32_t vTap = run.tapStep / run.elemStep;
  int64_t vLen = run.count + (int64_t)(run.nCols - 1) * vTap;
  auto* v = static_cast<Sum*>(impAlignedMalloc(vLen * (int64_t)sizeof(Sum)));
  auto* h = static_cast<Sum*>(impAlignedMalloc((int64_t)run.count * (int64_t)sizeof(Sum)));
  if (!v || !h) {
    impAlignedFree(v);
    impAlignedFree(h);
    return false;
  }
  int64_t n = (int64_t)run.nCols * run.nRows;
  auto at = [&](int32_t row, int64_t j) { return (Sum)((const T*)(run.src + row * run.srcStep))[j * run.elemStep]; };
  for (int64_t j = 0; j < vLen; ++j) {
    Sum s = 0;
    for (int32_t r = 0; r < run.nRows; ++r) s += at(r, j);
    v[j] = s;
  }
  Average<Sum> average{n};
  for (int32_t y = 0; y < run.rows; ++y) {
    if (y > 0)
      for (int64_t j = 0; j < vLen; ++j) v[j] += at(y + run.nRows - 1, j) - at(y - 1, j);
    if (run.nCols <= 8) {
      for (int32_t i = 0; i < run.count; ++i) {
        Sum s = 0;
        for (int32_t c = 0; c < run.nCols; ++c) s += v[i + c * vTap];
        h[i] = s;
      }
    } else {
      for (int32_t i = 0; i < run.count; ++i) {
        if (i < vTap) {
          Sum s = 0;
          for (int32_t c = 0; c < run.nCols; ++c) s += v[i + c * vTap];
          h[i] = s;
        } else {
          h[i] = h[i - vTap] + v[i + (int64_t)(run.nCols - 1) * vTap] - v[i - vTap];
        }
      }
    }
    T* out = (T*)(run.dst + y * run.dstStep);
    const char* bits = run.maskBits ? run.maskBits + (int64_t)(run.maskY + y) * run.maskStep : nullptr;
    for (int32_t i = 0; i < run.count; ++i) {
      if (bits && !impGetBit(bits, (int64_t)run.maskX + i / run.maskRepeat)) continue;
      T& o = out[(int64_t)i * run.dstElemStep];
      if (depth == IMP_DEPTH_1U) o = (T)(2 * (int64_t)h[i] >= n);
      else o = (T)average(h[i]);
    }
  }
  impAlignedFree(v);
  impAlignedFree(h);
  return true;
}

// Sums stay in 32 bits when no window can reach 2^31.
template <class T>
bool integerPass(const ImpBlurRun& run, int32_t depth, int64_t largest) {
  if ((int64_t)run.nCols * run.nRows * largest < (1ll << 31)) return pass<T, int32_t>(run, depth);
  return pass<T, int64_t>(run, depth);
}

}  // namespace

bool impBlurPass(int32_t depth, const ImpBlurRun& run) {
  switch (depth) {
    case IMP_DEPTH_1U: return pass<uint8_t, int64_t>(run, depth);
    case IMP_DEPTH_8U: return integerPass<uint8_t>(run, depth, 255);
    case IMP_DEPTH_8S: return integerPass<int8_t>(run, depth, 128);
    case IMP_DEPTH_16U: return integerPass<uint16_t>(run, depth, 65535);
    case IMP_DEPTH_16S: return integerPass<int16_t>(run, depth, 32768);
    case IMP_DEPTH_32S: return pass<int32_t, int64_t>(run, depth);
    default: return pass<float, double>(run, depth);
  }
}
