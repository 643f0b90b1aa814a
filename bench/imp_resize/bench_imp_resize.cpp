// impResize of a 1920x1080 BGR frame to 1280x720 and 960x540, beside OpenCV's resize on one thread.
#include <benchmark/benchmark.h>

#include "bench/support/bench_frames.h"
#include "imp/impgeom.h"

#ifdef KESTRIN_BENCH_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif

namespace {

void BM_ImpResize(benchmark::State& state)
{
    int dstW = (int)state.range(0), dstH = (int)state.range(1), mode = (int)state.range(2);
    BenchFrames frames(3, 1920, 1080, dstW, dstH);
    timeImp(state, frames, "impResize failed",
            [&](ImpHeader* src, ImpHeader* dst) { impResize(src, dst, dstW, 1920, dstH, 1080, mode); });
}

#ifdef KESTRIN_BENCH_OPENCV
void BM_OpenCvResize(benchmark::State& state)
{
    int dstW = (int)state.range(0), dstH = (int)state.range(1), mode = (int)state.range(2);
    cv::Mat src = openCvFrame(1920, 1080, 3);
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
