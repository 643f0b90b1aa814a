// impResize of a 1920x1080 BGR frame to 1280x720 and 960x540, beside OpenCV's resize on one thread.
#include <benchmark/benchmark.h>

#include <random>

#include "imp/impalloc.h"
#include "imp/imperror.h"
#include "imp/impgeom.h"

#ifdef KESTRIN_BENCH_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif

namespace {

ImpHeader* makeImage(int width, int height)
{
    ImpHeader* h = impCreateImageHeader(3, 0, IMP_DEPTH_8U, "RGB", "BGR", 0, 0, 4, width, height, nullptr, nullptr,
                                        nullptr, nullptr);
    impAllocateImage(h, 0, 0);
    std::mt19937 rng(1);
    for (int i = 0; i < h->imageSize; ++i)
        h->imageData[i] = (char)(rng() & 0xFF);
    return h;
}

void BM_ImpResize(benchmark::State& state)
{
    int dstW = (int)state.range(0), dstH = (int)state.range(1), mode = (int)state.range(2);
    impSetReportMode(2);
    ImpHeader* src = makeImage(1920, 1080);
    ImpHeader* dst = makeImage(dstW, dstH);
    for (auto _ : state) {
        impSetStatus(0);
        impResize(src, dst, dstW, 1920, dstH, 1080, mode);
        benchmark::DoNotOptimize(dst->imageData[0]);
    }
    if (impGetStatus() != 0)
        state.SkipWithError("impResize failed");
    impReleaseImageParts(src, 31);
    impReleaseImageParts(dst, 31);
}

#ifdef KESTRIN_BENCH_OPENCV
void BM_OpenCvResize(benchmark::State& state)
{
    int dstW = (int)state.range(0), dstH = (int)state.range(1), mode = (int)state.range(2);
    cv::setNumThreads(1);
    cv::Mat src(1080, 1920, CV_8UC3);
    cv::randu(src, cv::Scalar::all(0), cv::Scalar::all(255));
    cv::Mat dst(dstH, dstW, CV_8UC3);
    int flag = mode == 0 ? cv::INTER_NEAREST : mode == 1 ? cv::INTER_LINEAR : cv::INTER_CUBIC;
    for (auto _ : state) {
        cv::resize(src, dst, dst.size(), 0, 0, flag);
        benchmark::DoNotOptimize(dst.data[0]);
    }
}
#endif

void sizes(benchmark::internal::Benchmark* b)
{
    for (int mode : {0, 1, 2}) {
        b->Args({1280, 720, mode});
        b->Args({960, 540, mode});
    }
    b->ArgNames({"w", "h", "mode"})->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_ImpResize)->Apply(sizes);
#ifdef KESTRIN_BENCH_OPENCV
BENCHMARK(BM_OpenCvResize)->Apply(sizes);
#endif

BENCHMARK_MAIN();
