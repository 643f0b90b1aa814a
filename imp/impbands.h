// Bands of output rows for filters that read a bordered block per band: memory stays one band high.
#pragma once

#include <algorithm>
#include <cstdint>

// Band boundaries fall on multiples of a whole number of tile rows counted from image row 0, so a band covers whole
// destination tiles. Every band but the first and the last is at least `margin` rows high: when a band is written
// before the block of the band after next is read, that block reaches no further up than the band in between.
struct ImpRowBands {
    int32_t origin, height;
    ImpRowBands(int32_t firstRow, int32_t tileHeight, int32_t margin)
        : origin(firstRow), height(tileHeight * std::max(1, (margin + tileHeight - 1) / tileHeight))
    {
    }
    // Rows of the band that starts `offset` rows into a region of `total` rows.
    int32_t rows(int32_t offset, int32_t total) const
    {
        int32_t row = origin + offset;
        return std::min((row / height + 1) * height - row, total - offset);
    }
};
