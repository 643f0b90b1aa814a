// Byte runs of the logical operations, with the element operators they share with the other row routines.
#pragma once

#include <cstdint>

namespace implogic {

struct AndOp {
    template <typename T>
    static T apply(T a, T b)
    {
        return (T)(a & b);
    }
};
struct OrOp {
    template <typename T>
    static T apply(T a, T b)
    {
        return (T)(a | b);
    }
};
struct XorOp {
    template <typename T>
    static T apply(T a, T b)
    {
        return (T)(a ^ b);
    }
};

// d[i] = a[i] op b[i] for i < n; with b null, a[i] op byte i mod 4 of the pattern (lowest byte first), so a run
// that starts on an element boundary sees an 8, 16 or 32-bit constant widened to 32 bits. The run goes forward
// in vectors: d may be a or b, or start below them, but not a few bytes above them.
template <typename Op>
void bytes(const unsigned char* a, const unsigned char* b, unsigned char* d, int64_t n, uint32_t pattern);

}  // namespace implogic
