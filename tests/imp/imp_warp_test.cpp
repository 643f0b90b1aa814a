// impWarpAffine against per-pixel references built from the sampling rules, and its argument checks.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "imp/impwarp.h"
#include "imp/impwarp_geom.h"
#include "imp/ownrect.h"
#include "imp_test_util.h"

namespace {

double lagrange(const double s[4], double t)
{
    double c3 = (s[3] - s[0]) / 6.0 + (s[1] - s[2]) / 2.0, c2 = (s[0] + s[2]) / 2.0 - s[1];
    double c1 = -s[0] / 3.0 - s[1] / 2.0 + s[2] - s[3] / 6.0;
    return s[1] + t * (c1 + t * (c2 + t * c3));
}

// The value the warp must write at destination (X, Y), channel k, from the inverse map m.
double reference(const ImpHeader* s, const double m[6], int mode, int32_t firstRow, int X, int Y, int k)
{
    int64_t maxX = s->width - 1, maxY = s->height - 1;
    auto fixedAt = [&](double p, double q, double r, int64_t bias) {
        return std::llrint(p * 65536.0) * X + std::llrint((firstRow * q + r) * 65536.0) + bias +
               (Y - firstRow) * std::llrint(q * 65536.0);
    };
    if (mode == IMP_INTER_NN || s->depth == 1) {
        int64_t x = std::clamp<int64_t>(fixedAt(m[0], m[1], m[2], 32768) >> 16, 0, maxX);
        int64_t y = std::clamp<int64_t>(fixedAt(m[3], m[4], m[5], 32768) >> 16, 0, maxY);
        return (double)sampleAt(s, x, y, k);
    }
    double x = m[0] * X + m[1] * Y + m[2], y = m[3] * X + m[4] * Y + m[5];
    if (mode == IMP_INTER_LINEAR && s->depth == 8) {
        auto cell = [](int64_t c, int64_t max, int64_t* i, int64_t* w) {
            c = std::clamp<int64_t>(c, 0, max * 65536);
            *i = std::min(c >> 16, max - 1);
            *w = (c - *i * 65536) >> 2;
        };
        int64_t i, j, wx, wy;
        cell(fixedAt(m[0], m[1], m[2], 0), maxX, &i, &wx);
        cell(fixedAt(m[3], m[4], m[5], 0), maxY, &j, &wy);
        int64_t top = (sampleAt(s, i, j, k) * (16384 - wx) + sampleAt(s, i + 1, j, k) * wx) >> 8;
        int64_t bottom = (sampleAt(s, i, j + 1, k) * (16384 - wx) + sampleAt(s, i + 1, j + 1, k) * wx) >> 8;
        return (double)((top * (16384 - wy) + bottom * wy) >> 20);
    }
    if (mode == IMP_INTER_LINEAR) {
        int64_t i = std::clamp<int64_t>(std::llrint(x + 1e-7 - 0.5), 0, maxX - 1);
        int64_t j = std::clamp<int64_t>(std::llrint(y + 1e-7 - 0.5), 0, maxY - 1);
        double fx = x - i, fy = y - j;
        double top = sampleAt(s, i, j, k) + (sampleAt(s, i + 1, j, k) - sampleAt(s, i, j, k)) * fx;
        double bottom = sampleAt(s, i, j + 1, k) + (sampleAt(s, i + 1, j + 1, k) - sampleAt(s, i, j + 1, k)) * fx;
        return std::nearbyint(top + (bottom - top) * fy);
    }
    auto start = [](double v, int64_t max) {
        int64_t i = (int64_t)std::floor(v);
        return v < 1.0 ? 0 : i < max - 1 ? i - 1 : max - 3;
    };
    int64_t sx = start(x, maxX), sy = start(y, maxY);
    double rows[4];
    for (int r = 0; r < 4; ++r) {
        double q[4];
        for (int c = 0; c < 4; ++c)
            q[c] = (double)sampleAt(s, sx + c, sy + r, k);
        rows[r] = lagrange(q, x - sx - 1.0);
    }
    return std::clamp(std::nearbyint(lagrange(rows, y - sy - 1.0)), 0.0, s->depth == 8 ? 255.0 : 65535.0);
}

// Destination pixel centre inside the quadrangle (edges included).
bool covered(const double q[8], double X, double Y)
{
    int pos = 0, neg = 0;
    for (int i = 0; i < 4; ++i) {
        double ax = q[2 * i], ay = q[2 * i + 1], bx = q[(2 * i + 2) % 8], by = q[(2 * i + 3) % 8];
        double cross = (bx - ax) * (Y - ay) - (by - ay) * (X - ax);
        if (cross > 1e-9)
            ++pos;
        if (cross < -1e-9)
            ++neg;
    }
    return pos == 0 || neg == 0;
}

struct WarpCase {
    int depth, channels, order, mode;
    double angle, scale, shiftX, shiftY;
    bool roi, coi;
};

}  // namespace

TEST(ImpWarp, MatchesPerPixelReference)
{
    ImpModeGuard g;
    std::vector<WarpCase> cases;
    for (int depth : {1, 8, 16})
        for (int channels : {1, 3})
            for (int order : {0, 1})
                for (int mode : {0, 1, 2}) {
                    if (depth == 1 && (channels != 1 || order != 0 || mode != 0))
                        continue;
                    cases.push_back({depth, channels, order, mode, 30.0, 1.0, 4.0, -3.0, false, false});
                    cases.push_back({depth, channels, order, mode, -17.0, 1.4, 1.5, 2.25, true, channels == 3});
                    cases.push_back({depth, channels, order, mode, 0.0, 1.0, 2.0, 1.0, true, false});
                    cases.push_back({depth, channels, order, mode, 180.0, 0.8, 20.0, 17.0, true, channels == 3});
                }
    std::mt19937 rng(11);
    for (const WarpCase& c : cases) {
        TestImage src(c.channels, c.depth, 19, 15, c.order), dst(c.channels, c.depth, 23, 21, c.order);
        randomFill(src.h, rng());
        randomFill(dst.h, rng());
        if (c.roi) {
            src.roi(c.coi ? 2 : 0, 2, 3, 14, 10);
            dst.roi(c.coi ? 3 : 0, 1, 2, 20, 17);
        }
        TestImage before(c.channels, c.depth, 23, 21, c.order);
        std::memcpy(before.h->imageData, dst.h->imageData, dst.h->imageSize);
        double r = c.angle * 0.017453292519943295;
        const double fwd[6] = {c.scale * std::cos(r),  c.scale * std::sin(r), c.shiftX,
                               -c.scale * std::sin(r), c.scale * std::cos(r), c.shiftY};
        impWarpAffine(src.h, dst.h, fwd, c.mode);
        ASSERT_EQ(impGetStatus(), 0);
        int32_t sb[4], db[4], orientation;
        impRoiBounds(src.h, sb, 1);
        impRoiBounds(dst.h, db, 1);
        double q[8], inv[6];
        impAffineQuadCorners(fwd, sb[0], sb[1], sb[2], sb[3], q);
        impAffineFromQuad(sb[0], sb[1], sb[2], sb[3], q, inv, &orientation, 0);
        int firstRow = db[3] + 1;
        for (int Y = db[1]; Y <= db[3] && firstRow > db[3]; ++Y)
            for (int X = db[0]; X <= db[2]; ++X)
                if (covered(q, X, Y)) {
                    firstRow = Y;
                    break;
                }
        int sc = c.coi ? 1 : 0, dc = c.coi ? 2 : 0;
        bool exact = c.depth == 1 || c.mode == IMP_INTER_NN || (c.depth == 8 && c.mode == IMP_INTER_LINEAR);
        for (int Y = 0; Y < dst.h->height; ++Y)
            for (int X = 0; X < dst.h->width; ++X)
                for (int k = 0; k < c.channels; ++k) {
                    bool inside = X >= db[0] && X <= db[2] && Y >= db[1] && Y <= db[3] && covered(q, X, Y);
                    bool processed = !c.coi || k == dc;
                    int64_t got = sampleAt(dst.h, X, Y, k);
                    SCOPED_TRACE(testing::Message()
                                 << "depth " << c.depth << " ch " << c.channels << " order " << c.order << " mode "
                                 << c.mode << " angle " << c.angle << " at " << X << "," << Y << "," << k);
                    if (!inside || !processed) {
                        ASSERT_EQ(got, sampleAt(before.h, X, Y, k));
                        continue;
                    }
                    double want = reference(src.h, inv, c.mode, firstRow, X, Y, c.coi ? sc : k);
                    if (exact)
                        ASSERT_EQ(got, (int64_t)want);
                    else
                        ASSERT_NEAR((double)got, want, 1.0);
                }
    }
}
