// Affine warp, rotation and exclusive-or with a constant of a 1920x1080 BGR frame, beside OpenCV on one thread.
#include <benchmark/benchmark.h>

#include <cmath>

#include "bench/support/bench_frames.h"
#include "imp/implogic.h"
#include "imp/impwarp.h"

#ifdef KESTRIN_BENCH_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif

namespace {

constexpr int kWidth = 1920, kHeight = 1080;
constexpr double kDegree = 0.017453292519943295;

// Rotation by the angle about the frame's centre, scaled by 0.9: the forward map of both libraries.
void affineMap(double angle, double m[6])
{
    double a = angle * kDegree, c = 0.9 * std::cos(a), s = 0.9 * std::sin(a);
    double cx = kWidth / 2.0, cy = kHeight / 2.0;
    m[0] = c, m[1] = s, m[2] = cx - c * cx - s * cy;
    m[3] = -s, m[4] = c, m[5] = cy + s * cx - c * cy;
}

template <typename Body>
void runImp(benchmark::State& state, int dstW, int dstH, Body body)
{
    BenchFrames frames(3, kWidth, kHeight, dstW, dstH);
    timeImp(state, frames, "the library reported a failure", body);
}

void BM_ImpWarpAffine(benchmark::State& state)
{
    double m[6];
    affineMap(10.0, m);
    int mode = (int)state.range(0);
    runImp(state, kWidth, kHeight, [&](ImpHeader* s, ImpHeader* d) { impWarpAffine(s, d, m, mode); });
}

void BM_ImpRotate(benchmark::State& state)
{
    double angle = (double)state.range(0);
    int mode = (int)state.range(1);
    bool quarter = state.range(0) == 90;
    double xs = 0, ys = 0;
    // A quarter turn into a portrait frame; other angles about the centre.
    if (quarter)
        ys = kWidth - 1;
    else
        impRotateCenterShift(kWidth / 2.0, kHeight / 2.0, angle, &xs, &ys);
    runImp(state, quarter ? kHeight : kWidth, quarter ? kWidth : kHeight,
           [&](ImpHeader* s, ImpHeader* d) { impRotate(s, d, angle, xs, ys, mode); });
}

void BM_ImpXorS(benchmark::State& state)
{
    runImp(state, kWidth, kHeight, [&](ImpHeader* s, ImpHeader* d) { impXorS(s, d, 0x5A); });
}

#ifdef KESTRIN_BENCH_OPENCV
void BM_OpenCvWarpAffine(benchmark::State& state)
{
    cv::Mat src = openCvFrame(kWidth, kHeight, 3), dst(kHeight, kWidth, CV_8UC3);
    double m[6];
    affineMap(10.0, m);
    cv::Mat M(2, 3, CV_64F, m);
    int flag = state.range(0) == 0 ? cv::INTER_NEAREST : cv::INTER_LINEAR;
    for (auto _ : state) {
        cv::warpAffine(src, dst, M, dst.size(), flag);
        benchmark::DoNotOptimize(dst.data[0]);
    }
}

void BM_OpenCvRotate(benchmark::State& state)
{
    cv::Mat src = openCvFrame(kWidth, kHeight, 3);
    int angle = (int)state.range(0);
    int flag = state.range(1) == 0 ? cv::INTER_NEAREST : cv::INTER_LINEAR;
    cv::Mat dst = angle == 90 ? cv::Mat(kWidth, kHeight, CV_8UC3) : cv::Mat(kHeight, kWidth, CV_8UC3);
    cv::Mat M = cv::getRotationMatrix2D(cv::Point2f(kWidth / 2.0f, kHeight / 2.0f), angle, 1.0);
    for (auto _ : state) {
        if (angle == 90)
            cv::rotate(src, dst, cv::ROTATE_90_COUNTERCLOCKWISE);
        else
            cv::warpAffine(src, dst, M, dst.size(), flag);
        benchmark::DoNotOptimize(dst.data[0]);
    }
}

void BM_OpenCvXor(benchmark::State& state)
{
    cv::Mat src = openCvFrame(kWidth, kHeight, 3), dst(kHeight, kWidth, CV_8UC3);
    for (auto _ : state) {
        cv::bitwise_xor(src, cv::Scalar::all(0x5A), dst);
        benchmark::DoNotOptimize(dst.data[0]);
    }
}
#endif

void modes(benchmark::internal::Benchmark* b) { b->Arg(0)->Arg(1)->ArgName("mode")->Unit(benchmark::kMillisecond); }
void angles(benchmark::internal::Benchmark* b)
{
    b->Args({30, 0})->Args({30, 1})->Args({90, 0})->ArgNames({"angle", "mode"})->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_ImpWarpAffine)->Apply(modes);
BENCHMARK(BM_ImpRotate)->Apply(angles);
BENCHMARK(BM_ImpXorS)->Unit(benchmark::kMillisecond);
#ifdef KESTRIN_BENCH_OPENCV
BENCHMARK(BM_OpenCvWarpAffine)->Apply(modes);
BENCHMARK(BM_OpenCvRotate)->Apply(angles);
BENCHMARK(BM_OpenCvXor)->Unit(benchmark::kMillisecond);
#endif

BENCHMARK_MAIN();
