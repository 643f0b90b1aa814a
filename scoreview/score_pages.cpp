// Paging a song through a score view without a window.
#include "scoreview/score_pages.h"

#include <algorithm>

void PrepareHeadlessView(CScoreView& view, int width, int height, double zoom)
{
    view.score.UpdateScoreLength();
    view.clientRect.SetRect(0, 0, width, height);
    view.SetZoom(zoom);
    for (int i = 0; i < kMaxTracks; ++i)
        view.LayoutTrackMeasures(i);
    view.UpdateMetrics();
}

void ScrollToMeasure(CScoreView& view, int measure)
{
    int division = std::max<int>(1, view.score.division);
    view.firstVisibleBeat = view.score.MeasureStartTick(measure) / division;
    view.atStart = view.firstVisibleBeat == 0 ? 1 : 0;
}

int NextPageMeasure(CScoreView& view, int asked)
{
    int end = view.endPaintedMeasure;
    int next = end;
    if (end - 1 > view.firstPaintedMeasure && view.BarX(end) > view.pageBitmap.Width())
        next = end - 1;
    return std::max({next, view.firstPaintedMeasure + 1, asked + 1});
}

int LastSongMeasure(const CScoreView& view) { return view.score.MeasureAtTick(view.score.lastUsedTick); }

std::vector<uint32_t> PagePixels(const CPageBitmap& page)
{
    const ImageLibBitmap& record = page.Record();
    std::vector<uint32_t> pixels((size_t)page.Width() * page.Height());
    if (!record.memory)
        return pixels;
    for (int y = 0; y < page.Height(); ++y) {
        const uint8_t* row = record.memory + (size_t)y * record.bytesPerLine;
        for (int x = 0; x < page.Width(); ++x) {
            const uint8_t* p = row + 3 * x;
            pixels[(size_t)y * page.Width() + x] = p[0] | p[1] << 8 | p[2] << 16;
        }
    }
    return pixels;
}
