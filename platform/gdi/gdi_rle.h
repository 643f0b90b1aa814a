// Run-length encoded 8-bit DIB data expanded into plain rows.
#pragma once

#include <cstdint>
#include <vector>

#include "gdi/wingdi_records.h"

namespace gdi {

// A picture expanded from BI_RLE8 data: a BI_RGB header with the colour table, and bottom-up 8-bit rows.
struct ExpandedDib {
    std::vector<uint8_t> info;
    std::vector<uint8_t> bits;
    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(info.data()); }
};

// Expands biSizeImage bytes of BI_RLE8 data; pixels the data skips are index 0. False for a header that is not
// a bottom-up 8-bit RLE picture of a sane size.
bool ExpandRle8(const BITMAPINFO* info, const void* bits, UINT usage, ExpandedDib& out);

}  // namespace gdi
