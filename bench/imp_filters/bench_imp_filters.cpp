// impBlur and impConvolve2D on 1920x1080 8-bit frames of one and three channels, beside OpenCV on one thread.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/support/bench_frames.h"
#include "imp/impblur.h"
#include "imp/impcnv2d.h"

#ifdef KESTRIN_BENCH_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif

namespace {

// Binomial kernels: 3x3 sums to 16, 5x5 to 256.
const std::vector<int32_t> kBinomial3 = {1, 2, 1, 2, 4, 2, 1, 2, 1};
const std::vector<int32_t> kBinomial5 = {1,  4, 6, 4,  1,  4,  16, 24, 16, 4, 6, 24, 36,
                                         24, 6, 4, 16, 24, 16, 4,  1,  4,  6, 4, 1};

// Arguments: window size, channels.
void BM_ImpBlur(benchmark::State& state)
{
    int size = (int)state.range(0), channels = (int)state.range(1);
    BenchFrames frames(channels, 1920, 1080, 1920, 1080);
    timeImp(state, frames, "impBlur failed",
            [&](ImpHeader* src, ImpHeader* dst) { impBlur(src, dst, size, size, size / 2, size / 2); });
}

void BM_ImpConvolve2D(benchmark::State& state)
{
    int size = (int)state.range(0), channels = (int)state.range(1);
    BenchFrames frames(channels, 1920, 1080, 1920, 1080);
    const std::vector<int32_t>& w = size == 3 ? kBinomial3 : kBinomial5;
    ImpKernel* kernel = impCreateConvKernel(size, size, size / 2, size / 2, w.data(), size == 3 ? 4 : 8);
    timeImp(state, frames, "impConvolve2D failed",
            [&](ImpHeader* src, ImpHeader* dst) { impConvolve2D(src, dst, &kernel, 1, IMP_SUM); });
    impDeleteConvKernel(kernel);
}

#ifdef KESTRIN_BENCH_OPENCV
void BM_OpenCvBlur(benchmark::State& state)
{
    int size = (int)state.range(0), channels = (int)state.range(1);
    cv::Mat src = openCvFrame(1920, 1080, channels), dst;
    for (auto _ : state) {
        cv::blur(src, dst, cv::Size(size, size));
        benchmark::DoNotOptimize(dst.data[0]);
    }
}

void BM_OpenCvFilter2D(benchmark::State& state)
{
    int size = (int)state.range(0), channels = (int)state.range(1);
    cv::Mat src = openCvFrame(1920, 1080, channels), dst;
    const std::vector<int32_t>& w = size == 3 ? kBinomial3 : kBinomial5;
    cv::Mat kernel(size, size, CV_32F);
    for (int i = 0; i < size * size; ++i)
        kernel.at<float>(i / size, i % size) = (float)w[i] / (size == 3 ? 16 : 256);
    for (auto _ : state) {
        cv::filter2D(src, dst, -1, kernel);
        benchmark::DoNotOptimize(dst.data[0]);
    }
}
#endif

void cases(benchmark::internal::Benchmark* b)
{
    for (int size : {3, 5})
        for (int channels : {1, 3})
            b->Args({size, channels});
    b->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_ImpBlur)->Apply(cases);
BENCHMARK(BM_ImpConvolve2D)->Apply(cases);
#ifdef KESTRIN_BENCH_OPENCV
BENCHMARK(BM_OpenCvBlur)->Apply(cases);
BENCHMARK(BM_OpenCvFilter2D)->Apply(cases);
#endif

BENCHMARK_MAIN();
