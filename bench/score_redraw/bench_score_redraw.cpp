// One full redraw of the first page of the densest test song at zoom 1 and 2, beside one plain fill of the
// page bitmap with white: through the drawing layer (FillRect on the page's context, what a program pays for a
// fill) and, as the floor, straight into its pixel memory (goal: a redraw costs at most 20 fills).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "scoreview/score_pages.h"
#include "song/song_files.h"

namespace {

constexpr int kWindowWidth = 1000;

std::string DenseSong()
{
    const char* root = std::getenv("KESTRIN_TESTDATA");
    return std::string(root ? root : KESTRIN_TESTDATA_DIR) + "/midi/TheEntertainer.mid";
}

void PreparedView(CScoreView& view, benchmark::State& state)
{
    if (OpenSongFile(view.score, DenseSong().c_str()) != 1) {
        state.SkipWithError("the test song cannot be read");
        return;
    }
    PrepareHeadlessView(view, kWindowWidth, 0, (double)state.range(0));
    view.RedrawScore(true);
}

void BM_FullRedraw(benchmark::State& state)
{
    CScoreView view;
    PreparedView(view, state);
    for (auto _ : state)
        view.RedrawScore(true);
    state.counters["pixels"] = (double)view.pageBitmap.Width() * view.pageBitmap.Height();
}

void BM_PlainFill(benchmark::State& state)
{
    CScoreView view;
    PreparedView(view, state);
    const ImageLibBitmap& record = view.pageBitmap.Record();
    const size_t bytes = (size_t)record.bytesPerLine * record.height;
    for (auto _ : state) {
        std::memset(record.memory, 0xFF, bytes);
        benchmark::ClobberMemory();
    }
    state.counters["pixels"] = (double)record.width * record.height;
}

void BM_FillRect(benchmark::State& state)
{
    CScoreView view;
    PreparedView(view, state);
    HDC dc = view.pageBitmap.GetDc();
    RECT page{0, 0, view.pageBitmap.Width(), view.pageBitmap.Height()};
    HBRUSH white = (HBRUSH)GetStockObject(WHITE_BRUSH);
    for (auto _ : state) {
        FillRect(dc, &page, white);
        benchmark::ClobberMemory();
    }
    view.pageBitmap.ReleaseDc(nullptr);
    state.counters["pixels"] = (double)page.right * page.bottom;
}

}  // namespace

BENCHMARK(BM_FullRedraw)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FillRect)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainFill)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
