// impDecimate of a 1920x1080 BGR frame by 1/2 and 2/3 in every mode, beside OpenCV's resize on one thread.
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

ImpHeader* makeImage(int width, int height) {
  ImpHeader* h = impCreateImageHeader(3, 0, IMP_DEPTH_8U, "RGB", "BGR", 0, 0, 4, width, height, nullptr, nullptr,
                                      nullptr, nullptr);
  impAllocateImage(h, 0, 0);
  std::mt19937 rng(1);
  for (int i = 0; i < h->imageSize; ++i) h->imageData[i] = (char)(rng() & 0xFF);
  return h;
}

// Arguments: mode, then the factor as destination and source units.
void BM_ImpDecimate(benchmark::State& state) {
  int mode = (int)state.range(0), num = (int)state.range(1), den = (int)state.range(2);
  impSetReportMode(2);
  ImpHeader* src = makeImage(1920, 1080);
  ImpHeader* dst = makeImage(1920 * num / den, 1080 * num / den);
  for (auto _ : state) {
    impSetStatus(0);
    impDecimate(src, dst, num, den, num, den, mode);
    benchmark::DoNotOptimize(dst->imageData[0]);
  }
  if (impGetStatus() != 0) state.SkipWithError("impDecimate failed");
  impReleaseImageParts(src, 31);
  impReleaseImageParts(dst, 31);
}

#ifdef KESTRIN_BENCH_OPENCV
void BM_OpenCvResize(benchmark::State& state) {
  int mode = (int)state.range(0), num = (int)state.range(1), den = (int)state.range(2);
  cv::setNumThreads(1);
  cv::Mat src(1080, 1920, CV_8UC3);
  cv::randu(src, cv::Scalar::all(0), cv::Scalar::all(255));
  cv::Mat dst(1080 * num / den, 1920 * num / den, CV_8UC3);
  const int flags[] = {cv::INTER_NEAREST, cv::INTER_LINEAR, cv::INTER_CUBIC, cv::INTER_AREA};
  for (auto _ : state) {
    cv::resize(src, dst, dst.size(), 0, 0, flags[mode]);
    benchmark::DoNotOptimize(dst.data[0]);
  }
}
#endif

// Both factors exact (1/2) turn LINEAR and CUBIC into nearest sampling, so those two run at 2/3 only.
void cases(benchmark::internal::Benchmark* b) {
  b->Args({IMP_INTER_NN, 1, 2})->Args({IMP_INTER_NN, 2, 3});
  b->Args({IMP_INTER_LINEAR, 2, 3})->Args({IMP_INTER_CUBIC, 2, 3});
  b->Args({IMP_INTER_SUPER, 1, 2})->Args({IMP_INTER_SUPER, 2, 3});
  b->ArgNames({"mode", "num", "den"})->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_ImpDecimate)->Apply(cases);
#ifdef KESTRIN_BENCH_OPENCV
BENCHMARK(BM_OpenCvResize)->Apply(cases);
#endif

BENCHMARK_MAIN();
