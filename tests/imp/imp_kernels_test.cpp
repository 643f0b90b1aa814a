// Vector row passes against their plain references on random data.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "imp/impzoom_kernels.h"

TEST(ImpKernels, LinearPassesMatchReference)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        int channels = 1 + rng() % 4, width = 1 + rng() % 70, srcW = 2 + rng() % 90;
        std::vector<uint8_t> src(srcW * channels + 8);
        for (auto& v : src)
            v = (uint8_t)rng();
        std::vector<int32_t> cols(width);
        std::vector<int16_t> weights(2 * width);
        for (int j = 0; j < width; ++j) {
            cols[j] = (int32_t)(rng() % (srcW - 1)) * channels;
            int w1 = rng() % 16385;
            weights[2 * j] = (int16_t)(16384 - w1);
            weights[2 * j + 1] = (int16_t)w1;
        }
        std::sort(cols.begin(), cols.end());  // column offsets of a zoom never decrease
        std::vector<int16_t> a(width * channels + 4), b(width * channels + 4);
        int64_t rowBytes = (int64_t)srcW * channels;
        std::vector<int16_t> vectors(8 * width);
        for (int j = 0; j < width; ++j)
            for (int k = 0; k < 8; ++k)
                vectors[8 * j + k] = weights[2 * j + (k & 1)];
        impZoomLinearH8uPixel(src.data(), rowBytes, width, channels, channels, cols.data(), weights.data(),
                              vectors.data(), a.data());
        impZoomLinearH8uPixelRef(src.data(), width, channels, channels, cols.data(), weights.data(), b.data());
        for (int i = 0; i < width * channels; ++i)
            ASSERT_EQ(a[i], b[i]) << round << " " << i;

        int count = 1 + rng() % 100;
        std::vector<int16_t> up(count), lo(count), up16(count), lo16(count);
        for (int i = 0; i < count; ++i) {
            up[i] = (int16_t)(rng() % 16321);
            lo[i] = (int16_t)(rng() % 16321);
            up16[i] = (int16_t)(rng() % 32768);
            lo16[i] = (int16_t)(rng() % 32768);
        }
        int w1 = rng() % 16385;
        std::vector<uint8_t> d8a(count), d8b(count);
        impZoomLinearV8u(d8a.data(), count, w1, up.data(), lo.data());
        impZoomLinearV8uRef(d8b.data(), count, w1, up.data(), lo.data());
        ASSERT_EQ(d8a, d8b);
        std::vector<uint16_t> d16a(count), d16b(count);
        impZoomLinearV16u(d16a.data(), count, w1, up16.data(), lo16.data());
        impZoomLinearV16uRef(d16b.data(), count, w1, up16.data(), lo16.data());
        ASSERT_EQ(d16a, d16b);
    }
}

TEST(ImpKernels, CubicAndNearestFastPathsMatchReference)
{
    std::mt19937 rng(11);
    for (int round = 0; round < 100; ++round) {
        int width = 1 + rng() % 50, srcW = 4 + rng() % 60;
        std::vector<uint8_t> src(3 * srcW);
        for (auto& v : src)
            v = (uint8_t)rng();
        std::vector<int32_t> cols(width);
        std::vector<float> t(width);
        for (int j = 0; j < width; ++j) {
            cols[j] = (int32_t)(1 + rng() % (srcW - 3)) * 3;
            t[j] = (float)((int)(rng() % 3001) - 1000) / 1000.0f;  // edge columns reach [-1, 2]
        }
        std::vector<float> a(3 * width), b(3 * width);
        std::vector<double> coeffs(3 * width);
        impZoomCubicColumnCoeffs(t.data(), width, coeffs.data());
        impZoomCubicH8uPixel(src.data(), width, 3, 3, cols.data(), t.data(), coeffs.data(), a.data());
        impZoomCubicH8uPixelRef(src.data(), width, 3, 3, cols.data(), t.data(), b.data());
        for (int i = 0; i < 3 * width; ++i)
            ASSERT_EQ(a[i], b[i]);

        // Vertical pass on unrounded, overshooting work rows.
        int count = 1 + rng() % 40;
        std::vector<float> rows4[4];
        for (auto& r : rows4) {
            r.resize(count);
            for (auto& v : r)
                v = (float)((int)(rng() % 400000) - 60000) / 997.0f;
        }
        float tv = (float)((int)(rng() % 3001) - 1000) / 1000.0f;
        std::vector<uint8_t> va(count), vb(count);
        impZoomCubicV8u(va.data(), count, tv, rows4[0].data(), rows4[1].data(), rows4[2].data(), rows4[3].data());
        impZoomCubicV8uRef(vb.data(), count, tv, rows4[0].data(), rows4[1].data(), rows4[2].data(), rows4[3].data());
        ASSERT_EQ(va, vb);

        int height = 1 + rng() % 5;
        std::vector<int32_t> rows(height);
        for (auto& r : rows)
            r = 0;
        std::vector<int32_t> nnCols(width);
        for (int j = 0; j < width; ++j)
            nnCols[j] = (int32_t)(rng() % srcW) * 3;
        std::vector<uint8_t> da(3 * width * height), db(3 * width * height);
        ImpZoomRun run{};
        run.src = src.data();
        run.width = width;
        run.height = height;
        run.channels = run.srcChannels = run.dstChannels = 3;
        run.dstStep = 3 * width;
        run.rowTable = rows.data();
        run.colTable = nnCols.data();
        run.dst = da.data();
        impZoomNN8uPixel(run);
        run.dst = db.data();
        impZoomNN8uPixelRef(run);
        ASSERT_EQ(da, db);
    }
}

TEST(ImpKernels, CubicVerticalPassOnManyValues)
{
    std::mt19937 rng(13);
    std::uniform_real_distribution<float> value(-400.0f, 700.0f), fraction(-1.0f, 2.0f);
    const int count = 4096;
    std::vector<float> rows[4];
    for (auto& r : rows)
        r.resize(count);
    std::vector<uint8_t> a(count), b(count);
    for (int round = 0; round < 25; ++round) {
        for (auto& r : rows)
            for (auto& v : r)
                v = value(rng);
        float t = round == 0 ? 2.0f : fraction(rng);
        impZoomCubicV8u(a.data(), count, t, rows[0].data(), rows[1].data(), rows[2].data(), rows[3].data());
        impZoomCubicV8uRef(b.data(), count, t, rows[0].data(), rows[1].data(), rows[2].data(), rows[3].data());
        ASSERT_EQ(a, b) << round;
    }
}
