// impDecimate of a 1920x1080 BGR frame by 1/2 and 2/3 in every mode, beside OpenCV's resize on one thread.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/support/bench_frames.h"
#include "imp/impgeom.h"

#ifdef KESTRIN_BENCH_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif

namespace {

void BM_ImpDecimate(benchmark::State& state, int mode, int num, int den)
{
    BenchFrames frames(3, 1920, 1080, 1920 * num / den, 1080 * num / den);
    auto decimate = [&](ImpHeader* src, ImpHeader* dst) { impDecimate(src, dst, num, den, num, den, mode); };
    decimate(frames.src, frames.dst);  // warm: short interleaved repetitions would time page faults
    timeImp(state, frames, "impDecimate failed", decimate);
}

#ifdef KESTRIN_BENCH_OPENCV
void BM_OpenCvResize(benchmark::State& state, int flag, int num, int den)
{
    cv::Mat src = openCvFrame(1920, 1080, 3);
    cv::Mat dst(1080 * num / den, 1920 * num / den, CV_8UC3);
    cv::resize(src, dst, dst.size(), 0, 0, flag);
    for (auto _ : state) {
        cv::resize(src, dst, dst.size(), 0, 0, flag);
        benchmark::DoNotOptimize(dst.data[0]);
    }
}
#endif

}  // namespace

// Each case beside its OpenCV counterpart, one after the other, so that machine load falls on both alike.
// Both factors exact (1/2) turn LINEAR and CUBIC into nearest sampling, so those two run at 2/3.
int main(int argc, char** argv)
{
    struct Case {
        const char* name;
        int mode, num, den;
        const char* cvName;
        int cvFlag;
    };
#ifdef KESTRIN_BENCH_OPENCV
    const Case cases[] = {
        {"NN/1:2", IMP_INTER_NN, 1, 2, "NEAREST/1:2", cv::INTER_NEAREST},
        {"NN/2:3", IMP_INTER_NN, 2, 3, "NEAREST/2:3", cv::INTER_NEAREST},
        {"LINEAR/2:3", IMP_INTER_LINEAR, 2, 3, "LINEAR/2:3", cv::INTER_LINEAR},
        {"CUBIC/2:3", IMP_INTER_CUBIC, 2, 3, "CUBIC/2:3", cv::INTER_CUBIC},
        {"SUPER/1:2", IMP_INTER_SUPER, 1, 2, "AREA/1:2", cv::INTER_AREA},
        {"SUPER/2:3", IMP_INTER_SUPER, 2, 3, "AREA/2:3", cv::INTER_AREA},
    };
#else
    const Case cases[] = {
        {"NN/1:2", IMP_INTER_NN, 1, 2, nullptr, 0},         {"NN/2:3", IMP_INTER_NN, 2, 3, nullptr, 0},
        {"LINEAR/2:3", IMP_INTER_LINEAR, 2, 3, nullptr, 0}, {"CUBIC/2:3", IMP_INTER_CUBIC, 2, 3, nullptr, 0},
        {"SUPER/1:2", IMP_INTER_SUPER, 1, 2, nullptr, 0},   {"SUPER/2:3", IMP_INTER_SUPER, 2, 3, nullptr, 0},
    };
#endif
    for (const Case& c : cases) {
        benchmark::RegisterBenchmark((std::string("impDecimate/") + c.name).c_str(), BM_ImpDecimate, c.mode, c.num,
                                     c.den)
            ->Unit(benchmark::kMillisecond);
#ifdef KESTRIN_BENCH_OPENCV
        benchmark::RegisterBenchmark((std::string("cv::resize/") + c.cvName).c_str(), BM_OpenCvResize, c.cvFlag, c.num,
                                     c.den)
            ->Unit(benchmark::kMillisecond);
#endif
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
