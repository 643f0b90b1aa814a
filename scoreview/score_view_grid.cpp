// CScoreView: the note grid of a measure and the window x of its steps, for the owner's position bar.
#include "scoreview/score_view.h"

#include "services/rounding.h"

namespace {

// Note-entry durations in quarters by palette choice, and the tuplet scales of the five entry flags.
constexpr double kValueQuarters[7] = {4.0, 2.0, 1.0, 0.5, 0.25, 0.125, 0.0625};
constexpr double kTupletScale[5] = {2.0 / 3.0, 4.0 / 5.0, 4.0 / 6.0, 4.0 / 7.0, 8.0 / 9.0};
constexpr int kTupletCount[5] = {3, 5, 6, 7, 9};

}  // namespace

void CScoreView::GetGridStep(int measure, double& step, double& beatLength)
{
    if (measure < 0 || measure >= kMeasureCount)
        return;
    int division = score.division;
    step = division * score.gridValue * 3 / 48;
    int denominator = score.measureTable[measure].denominator;
    beatLength = denominator > 0 ? (192.0 / denominator) * division / 48 : step;
    if (editMode != 2)
        return;
    for (int i = 0; i < 5; ++i)
        if (tupletFlags[i]) {
            int value = paletteChoice[0] >= 0 && paletteChoice[0] < 7 ? paletteChoice[0] : 2;
            step = kValueQuarters[value] * division * kTupletScale[i];
            beatLength = step * kTupletCount[i];
            return;
        }
}

void CScoreView::GetBeatXs(int* xs, int& count, int& ratio, int max)
{
    count = 0;
    int first = GetFirstVisibleMeasure();
    int last = score.MeasureAtTick(StripXToTick(pageBitmap.Width(), 0));
    for (int m = first; m <= last && m < kMeasureCount - 1; ++m) {
        double step = 0, beatLength = 0;
        GetGridStep(m, step, beatLength);
        if (step <= 0)
            continue;
        ratio = RoundHalfAway(beatLength / step);
        int start = score.MeasureStartTick(m);
        int length = score.MeasureStartTick(m + 1) - start;
        for (double t = 0; t < length - step / 2; t += step) {
            if (count >= max)
                return;
            xs[count++] = PageToWindow(CPoint(TickToStripX(start + (int)t), 0)).x;
        }
    }
}

int CScoreView::GetSnappedMouseX() { return PageToWindow(CPoint(TickToStripX(SnapTick(mouseTick)), 0)).x; }
