// The largest picture the image readers accept, checked before anything is allocated.
#pragma once

inline constexpr long long kLargestImageBytes = 256LL * 1024 * 1024;

// Whether a picture of these sizes and depth stays within the limit; each size is checked alone first,
// so that no product can overflow.
inline bool FitsImageLimit(long long width, long long rows, int bitCount)
{
    if (width <= 0 || rows <= 0 || width > kLargestImageBytes || rows > kLargestImageBytes)
        return false;
    return (width * bitCount + 31) / 32 * 4 * rows <= kLargestImageBytes;
}
