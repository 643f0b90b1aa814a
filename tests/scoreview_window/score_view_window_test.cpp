// The score view as a window: its client size makes the page, and painting shows the working page at the
// canvas placement, centred when smaller and scrolled when larger.
#include <gtest/gtest.h>

#include "scoreview/score_view.h"
#include "tests/support/window/ui_fixture.h"

namespace {

struct ViewWindow {
    explicit ViewWindow(double zoom)
    {
        EXPECT_TRUE(view.CreateEx(0, nullptr, "score", WS_POPUP | WS_VISIBLE, 20, 20, 420, 300, nullptr, nullptr));
        view.SetZoom(zoom);
        view.UpdateMetrics();
        view.RedrawScore(true);
        view.Invalidate(FALSE);
        PumpFor(100);
    }
    ~ViewWindow() { view.DestroyWindow(); }
    CScoreView view;
};

uint32_t PageAt(const CScoreView& view, int x, int y)
{
    const ImageLibBitmap& record = view.pageBitmap.Record();
    const uint8_t* p = record.memory + (size_t)y * record.bytesPerLine + 3 * x;
    return p[2] << 16 | p[1] << 8 | p[0];
}

TEST(ScoreViewWindow, TheClientSizeMakesThePage)
{
    ViewWindow w(1.0);
    EXPECT_EQ(w.view.pageWidth, 420);
    EXPECT_GE(w.view.pageHeight, 300);
    EXPECT_EQ(w.view.pageBitmap.Width(), 420);
}

TEST(ScoreViewWindow, PaintingShowsTheScrolledWorkingPage)
{
    ViewWindow w(2.0);
    w.view.ScrollTo(-60, -80);
    w.view.Invalidate(FALSE);
    PumpFor(100);
    Capture shown = CaptureWindow(w.view.m_hWnd);
    CPoint scroll = w.view.GetScrollPosition();
    ASSERT_EQ(scroll, CPoint(-60, -80));
    int differing = 0;
    for (int y = 0; y < 200; y += 7)
        for (int x = 0; x < 400; x += 5)
            differing += shown.At(x, y) != PageAt(w.view, x - scroll.x, y - scroll.y);
    EXPECT_EQ(differing, 0);
}

}  // namespace
