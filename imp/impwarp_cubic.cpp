// Four-point cubic evaluators over a 4 x 4 neighbourhood, in fixed point for 8 bits and floating point for 16.
#include <algorithm>
#include <cmath>

#include "imp/impwarp_kernels.h"

namespace {

// Lagrange cubic through s0..s3 at t (16.16, measured from s1); all values scaled alike.
inline int64_t rowCubic(int64_t s0, int64_t s1, int64_t s2, int64_t s3, int64_t t)
{
    if (t == 0)
        return s1;
    if (t == 65536)
        return s2;
    if (t == -65536)
        return s0;
    if (t == 131072)
        return s3;
    // Sixths as a multiplication by 2^18 / 6 and a shift.
    int64_t c3 = (((s3 - s0) + 3 * (s1 - s2)) * 43691) >> 18;
    int64_t c2 = (s0 + s2 - 2 * s1) >> 1;
    int64_t c1 = ((-2 * s0 - 3 * s1 + 6 * s2 - s3) * 43691) >> 18;
    int64_t h = (c3 * t) >> 16;
    h = ((h + c2) * t) >> 16;
    h = ((h + c1) * t) >> 16;
    return h + s1;
}

int32_t cubic8(const uint8_t* p, int64_t rowStep, int64_t stride, int32_t fx, int32_t fy)
{
    int64_t r[4];
    for (int k = 0; k < 4; ++k) {
        const uint8_t* q = p + k * rowStep;
        r[k] = rowCubic(16 * q[0], 16 * q[stride], 16 * q[2 * stride], 16 * q[3 * stride], fx);
    }
    int64_t t = fy;
    int64_t c3 = (((r[3] - r[0]) + 3 * (r[1] - r[2])) * 43691) >> 18;
    int64_t c2 = (r[0] + r[2] - 2 * r[1]) >> 1;
    int64_t c1 = ((-2 * r[0] - 3 * r[1] + 6 * r[2] - r[3]) * 43691) >> 18;
    int64_t h = (((2 * c3 * t) >> 16) + 2 * c2) * t >> 16;
    h = ((h + 2 * c1) * t) >> 16;
    int64_t v = (h + 2 * r[1] + 16) >> 5;
    return (int32_t)std::clamp<int64_t>(v, 0, 255);
}

inline double lagrange(double s0, double s1, double s2, double s3, double t)
{
    double c3 = (s3 - s0) / 6.0 + (s1 - s2) / 2.0;
    double c2 = (s0 + s2) / 2.0 - s1;
    double c1 = -s0 / 3.0 - s1 / 2.0 + s2 - s3 / 6.0;
    return s1 + t * (c1 + t * (c2 + t * c3));
}

int32_t cubic16(const uint16_t* p, int64_t rowStep, int64_t stride, float fx, float fy)
{
    double r[4];
    for (int k = 0; k < 4; ++k) {
        const uint16_t* q = (const uint16_t*)((const char*)p + k * rowStep);
        r[k] = lagrange(q[0], q[stride], q[2 * stride], q[3 * stride], fx);
    }
    double v = lagrange(r[0], r[1], r[2], r[3], fy);
    return (int32_t)std::nearbyint(std::clamp(v, 0.0, 65535.0));
}

}  // namespace

int32_t impCubic8u(const uint8_t* p, int64_t rowStep, int32_t fx, int32_t fy) { return cubic8(p, rowStep, 1, fx, fy); }
int32_t impCubic8uStrided(const uint8_t* p, int64_t rowStep, int64_t stride, int32_t fx, int32_t fy)
{
    return cubic8(p, rowStep, stride, fx, fy);
}
int32_t impCubic16u(const uint16_t* p, int64_t rowStep, float fx, float fy) { return cubic16(p, rowStep, 1, fx, fy); }
int32_t impCubic16uStrided(const uint16_t* p, int64_t rowStep, int64_t stride, float fx, float fy)
{
    return cubic16(p, rowStep, stride, fx, fy);
}
