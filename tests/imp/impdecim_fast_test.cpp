// The fast 8-bit decimation forms against the plain sample-by-sample routines on random images and factors.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "imp/impdecim_rows.h"

namespace {

struct Routine {
    ImpDecimRowFn fast, plain;
    bool firstRules;  // bilinear and bicubic start from the first row and column at 0
};

// A region of a random image: pixel order, `channels` per pixel, `processed` of them written.
struct Shape {
    int width, height, channels, processed, offX, offY;
};

}  // namespace

TEST(ImpDecimFast, MatchesPlainRoutinesBitForBit)
{
    const Routine routines[] = {
        {impDecimNearest8u, impDecimNearest8uPlain, false},
        {impDecimLinear8u, impDecimLinear8uPlain, true},
        {impDecimCubic8u, impDecimCubic8uPlain, true},
        {impDecimSuper8u, impDecimSuper8uPlain, false},
    };
    // Factors as (destination, source): whole 64ths and halves reach the shuffle forms, the others their fallbacks.
    const int factors[][2] = {{1, 2}, {2, 3}, {4, 5}, {8, 9}, {64, 97}, {3, 4}, {5, 7}, {1, 3}, {32, 33}};
    std::mt19937 rng(29);
    for (int round = 0; round < 1200; ++round) {
        const Routine& r = routines[round % 4];
        Shape s{4 + (int)(rng() % 90), 4 + (int)(rng() % 40), 0, 0, 0, 0};
        s.channels = (int[]){1, 3, 3, 4}[rng() % 4];
        s.processed = rng() % 5 ? s.channels : 1;
        s.offX = rng() % 3 ? 0 : (int)(rng() % 4);
        s.offY = rng() % 3 ? 0 : (int)(rng() % 4);
        const int* fx = factors[rng() % 9];
        const int* fy = rng() % 2 ? fx : factors[rng() % 9];
        int64_t cols = (int64_t)(s.width - s.offX) * fx[0] / fx[1], rows = (int64_t)(s.height - s.offY) * fy[0] / fy[1];
        if (cols < 1 || rows < 1)
            continue;
        std::vector<uint8_t> src((size_t)s.width * s.height * s.channels);
        for (auto& v : src)
            v = (uint8_t)rng();
        int64_t dstStep = cols * s.channels + rng() % 5;
        std::vector<uint8_t> a((size_t)(dstStep * rows)), b;
        for (auto& v : a)
            v = (uint8_t)rng();
        b = a;
        ImpDecimArgs args{};
        args.src = src.data() + ((int64_t)s.offY * s.width + s.offX) * s.channels;
        args.dstChannelStep = 1;
        args.dstChannelEnd = s.processed;
        args.dstPixelStep = s.channels;
        args.dstColumnExtent = cols * s.channels;
        args.dstRowStep = dstStep;
        args.dstRowExtent = rows * dstStep;
        args.srcChannelStep = 1;
        args.srcPixelStep = s.channels;
        args.srcWidthExtent = (int64_t)(s.width - s.offX) * s.channels;
        args.srcRowStep = (int64_t)s.width * s.channels;
        args.srcHeightExtent = (s.height - s.offY) * args.srcRowStep;
        args.xRatio = (float)((double)fx[1] / fx[0]);
        args.yRatio = (float)((double)fy[1] / fy[0]);
        // Starts as the driver sets them, and now and then a whole-pixel one.
        float x0 = r.fast == impDecimNearest8u && fx[1] % fx[0] ? 0.5f : 0.0f;
        float y0 = r.fast == impDecimNearest8u && fy[1] % fy[0] ? 0.5f : 0.0f;
        if (!r.firstRules && rng() % 4 == 0 && cols > 1 && rows > 1) {
            args.dstColumnExtent -= s.channels;
            args.dstRowExtent -= dstStep;
            x0 += (float)(int)args.xRatio;
            y0 += (float)(int)args.yRatio;
        }
        float xa = x0, ya = y0, xb = x0, yb = y0;
        args.dst = a.data();
        r.fast(args, &xa, &ya);
        args.dst = b.data();
        r.plain(args, &xb, &yb);
        ASSERT_EQ(0, memcmp(a.data(), b.data(), a.size()))
            << "round " << round << " routine " << round % 4 << " " << s.width << "x" << s.height << "x" << s.channels
            << " factors " << fx[0] << "/" << fx[1] << ", " << fy[0] << "/" << fy[1];
        ASSERT_EQ(xa, xb) << round;
        ASSERT_EQ(ya, yb) << round;
    }
}
