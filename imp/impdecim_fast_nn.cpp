// Nearest-sample decimation of pixel-order 8-bit images by whole-pixel copies from index tables.
#include <algorithm>
#include <climits>
#include <cstring>

#include "imp/impdecim_fast.h"

bool impDecimFastNearest8u(const ImpDecimArgs& a, DecimAxis& cols, const DecimAxis& rows) {
  int64_t n = a.dstChannelEnd;
  if (a.dstChannelStep != 1 || a.srcChannelStep != 1 || n < 1 || n > a.srcPixelStep || n > a.dstPixelStep)
    return false;
  const uint8_t* src = (const uint8_t*)a.src;
  uint8_t* dst = (uint8_t*)a.dst;
  int64_t lastRow = a.srcHeightExtent > 0 ? a.srcHeightExtent / a.srcRowStep - 1 : INT64_MAX;
  int64_t lastCol = a.srcWidthExtent > 0 ? a.srcWidthExtent / a.srcPixelStep - 1 : INT64_MAX;
  // Source byte offset of every column (the table becomes offsets). A pixel is copied as one 32-bit word when
  // the word's spare byte is the next destination pixel's, written over next, and lies inside the source row.
  bool words = (n == 3 || n == 4) && a.dstPixelStep == n;
  int64_t wide = 0;
  for (int64_t j = 0; j < cols.count; ++j) {
    int64_t off = std::min(cols.at[j], lastCol) * a.srcPixelStep;
    cols.at[j] = off;
    words = words && (n == 4 || (j + 1 < cols.count && a.srcWidthExtent > 0 && off + 4 <= a.srcWidthExtent));
    if (words) wide = j + 1;
  }
  for (int64_t i = 0; i < rows.count; ++i) {
    const uint8_t* srow = src + std::min(rows.at[i], lastRow) * a.srcRowStep;
    uint8_t* d = dst + i * a.dstRowStep;
    int64_t j = 0;
    for (; j < wide; ++j, d += a.dstPixelStep) memcpy(d, srow + cols.at[j], 4);
    for (; j < cols.count; ++j, d += a.dstPixelStep)
      for (int64_t c = 0; c < n; ++c) d[c] = srow[cols.at[j] + c];
  }
  return true;
}
