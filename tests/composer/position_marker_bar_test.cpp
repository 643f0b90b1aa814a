// The position-marker bar: tick lengths from the score view's table, and the marker drag's notifications.
#include "composer/position_marker_bar.h"
#include "memory_paint.h"
#include "notify_owner.h"
#include "tests/support/window/pointer_input.h"

namespace {

using Posts = std::vector<std::pair<WPARAM, LPARAM>>;
constexpr WPARAM kMarkerCode = 151;
constexpr uint32_t kGrey = 0x808080, kWhite = 0xFFFFFF, kBack = 0x9697D2;

// The height of the grey tick standing on the bottom edge at x.
int TickHeight(const Capture& c, int x)
{
    int rows = 0;
    while (rows < c.height && c.At(x, c.height - 1 - rows) == kGrey)
        ++rows;
    return rows;
}

TEST(PositionMarkerBar, MajorAndFullHeightTicks)
{
    CPositionMarkerBar bar;
    bar.m_nMajorTickInterval = 4;
    bar.m_nTickCount = 9;
    for (int i = 0; i < 9; ++i)
        bar.m_nTicks[i] = 10 + 10 * i;
    bar.m_nTicks[6] = -70;  // a full-height tick
    bar.m_nPlayX = 200;     // out of the way
    const int height = 30;
    const Capture c = PaintInMemory(120, height, [&](CDC* dc) { bar.PaintBar(dc, 120, height); });
    // A line drawn up from the bottom edge by a length shows that length less its end point.
    const int expected[9] = {19, 5, 5, 5, 19, 5, 29, 5, 19};
    for (int i = 0; i < 9; ++i) {
        const int x = 10 + 10 * i;
        EXPECT_EQ(TickHeight(c, x), expected[i]) << i;
        EXPECT_EQ(c.At(x + 1, height - 2), kWhite) << i;  // the etched edge beside it
    }
    EXPECT_EQ(c.At(15, 5), kBack);
}

TEST(PositionMarkerBar, PlayMarkIsAShortDashAcrossTheMiddle)
{
    CPositionMarkerBar bar;
    bar.m_nPlayX = 40;
    const Capture c = PaintInMemory(80, 30, [&](CDC* dc) { bar.PaintBar(dc, 80, 30); });
    EXPECT_NE(c.At(40, 14), kBack);
    EXPECT_EQ(c.At(40, 4), kBack);
    EXPECT_EQ(c.At(50, 14), kBack);
}

class MarkerDrag : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bar.Create(CPositionMarkerBar::IDD, &owner));
        bar.MoveWindow(100, 50, 400, 20);
        bar.SetNotify(&owner, kNotifyMessage, kMarkerCode);
        bar.SetMarker(100);
        bar.ShowWindow(SW_SHOW);
        PumpFor(100);
    }
    void TearDown() override { bar.DestroyWindow(); }

    NotifyOwner owner;
    CPositionMarkerBar bar;
};

TEST_F(MarkerDrag, DragOverTheMarkerPostsEachPositionAndZeroAtTheEnd)
{
    const HWND h = bar.GetSafeHwnd();
    MoveTo(h, 104, 10);  // within half the height of the marker
    Press();
    MoveTo(h, 60, 10);
    MoveTo(h, -30, 10);  // left of the bar
    Release();
    EXPECT_EQ(owner.Take(), (Posts{{kMarkerCode, 60}, {kMarkerCode, 0}, {kMarkerCode, 0}}));
}

TEST_F(MarkerDrag, DragAwayFromTheMarkerPostsNothing)
{
    const HWND h = bar.GetSafeHwnd();
    MoveTo(h, 200, 10);
    Press();
    MoveTo(h, 150, 10);
    Release();
    EXPECT_EQ(owner.Take(), Posts{});
}

}  // namespace
