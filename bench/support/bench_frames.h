// Random 8-bit frames for the image benchmarks and the timed loop around one library call.
#pragma once

#include <benchmark/benchmark.h>

#include <random>

#include "imp/impalloc.h"
#include "imp/imperror.h"

#ifdef KESTRIN_BENCH_OPENCV
#include <opencv2/core.hpp>
#endif

// An 8-bit BGR-ordered image of the given channels filled with the same pseudo-random bytes on every run.
inline ImpHeader* makeBenchImage(int channels, int width, int height)
{
    ImpHeader* h = impCreateImageHeader(channels, 0, IMP_DEPTH_8U, "RGB", "BGR", 0, 0, 4, width, height, nullptr,
                                        nullptr, nullptr, nullptr);
    impAllocateImage(h, 0, 0);
    std::mt19937 rng(1);
    for (int i = 0; i < h->imageSize; ++i)
        h->imageData[i] = (char)(rng() & 0xFF);
    return h;
}

// A random source frame and a destination, released at the end of the benchmark; failures are only recorded.
struct BenchFrames {
    BenchFrames(int channels, int srcW, int srcH, int dstW, int dstH)
    {
        impSetReportMode(2);
        src = makeBenchImage(channels, srcW, srcH);
        dst = makeBenchImage(channels, dstW, dstH);
    }
    ~BenchFrames()
    {
        impReleaseImageParts(src, 31);
        impReleaseImageParts(dst, 31);
    }
    BenchFrames(const BenchFrames&) = delete;
    BenchFrames& operator=(const BenchFrames&) = delete;

    ImpHeader* src;
    ImpHeader* dst;
};

// Times body(src, dst); a failure the library reports marks the benchmark with the message.
template <typename Body>
void timeImp(benchmark::State& state, const BenchFrames& frames, const char* failure, Body body)
{
    for (auto _ : state) {
        impSetStatus(0);
        body(frames.src, frames.dst);
        benchmark::DoNotOptimize(frames.dst->imageData[0]);
    }
    if (impGetStatus() != 0)
        state.SkipWithError(failure);
}

#ifdef KESTRIN_BENCH_OPENCV
// A random frame for OpenCV, which is held to one thread as the library is.
inline cv::Mat openCvFrame(int width, int height, int channels)
{
    cv::setNumThreads(1);
    cv::Mat m(height, width, CV_8UC(channels));
    cv::randu(m, cv::Scalar::all(0), cv::Scalar::all(255));
    return m;
}
#endif
