// The scroll-bar control under real X input (xdotool): line and page steps from its ends, its trough, the wheel
// and the keys, with and without a range.
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/window/ui_fixture.h"

namespace {

class BarHost : public CWnd {
public:
    std::vector<UINT> codes;

protected:
    afx_msg void OnVScroll(UINT code, UINT, CScrollBar*) { codes.push_back(code); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BarHost, CWnd)
ON_WM_VSCROLL()
END_MESSAGE_MAP()

// Runs xdotool at a client point of the window: the pointer goes there first, then the given steps.
void XdoAt(HWND window, CPoint at, const std::string& steps)
{
    POINT p{at.x, at.y};
    ClientToScreen(window, &p);
    std::string command = "xdotool mousemove " + std::to_string(p.x) + " " + std::to_string(p.y) + " " + steps;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    PumpFor(300);
}

std::vector<UINT> Steps(const std::vector<UINT>& codes)
{
    std::vector<UINT> steps;
    for (UINT code : codes)
        if (code != SB_ENDSCROLL)
            steps.push_back(code);
    return steps;
}

class ScrollBarInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateEx(0, nullptr, "bar host", WS_POPUP | WS_VISIBLE, 40, 40, 120, 200, nullptr, nullptr));
        ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(20, 10, 37, 190), &host, 101));
        PumpFor(300);
    }
    void TearDown() override { host.DestroyWindow(); }
    HWND Bar() { return bar.GetSafeHwnd(); }

    BarHost host;
    CScrollBar bar;
};

TEST_F(ScrollBarInput, ABarWithoutARangeStepsFromItsEndsWheelAndKeys)
{
    XdoAt(Bar(), CPoint(8, 4), "click 1");    // the upper arrow
    XdoAt(Bar(), CPoint(8, 175), "click 1");  // the lower arrow
    XdoAt(Bar(), CPoint(8, 90), "click 4 click 5 click 5");
    EXPECT_EQ(Steps(host.codes), (std::vector<UINT>{SB_LINEUP, SB_LINEDOWN, SB_LINEUP, SB_LINEDOWN, SB_LINEDOWN}));
    EXPECT_EQ(host.codes.back(), (UINT)SB_ENDSCROLL);
    host.codes.clear();
    EXPECT_EQ(::GetFocus(), Bar());  // the click gave the bar the keys
    XdoAt(Bar(), CPoint(8, 90), "key Up key Down key Next");
    EXPECT_EQ(Steps(host.codes), (std::vector<UINT>{SB_LINEUP, SB_LINEDOWN, SB_PAGEDOWN}));
}

TEST_F(ScrollBarInput, ABarWithARangePagesFromItsTroughAndDragsItsThumb)
{
    SCROLLINFO si{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 0, 0};
    bar.SetScrollInfo(&si);
    PumpFor(100);
    XdoAt(Bar(), CPoint(8, 150), "click 1");  // below the thumb
    EXPECT_EQ(Steps(host.codes), (std::vector<UINT>{SB_PAGEDOWN}));
    host.codes.clear();
    bar.SetScrollPos(90);
    PumpFor(100);
    XdoAt(Bar(), CPoint(8, 40), "click 1");  // above it
    EXPECT_EQ(Steps(host.codes), (std::vector<UINT>{SB_PAGEUP}));
    host.codes.clear();
    bar.SetScrollPos(0);
    PumpFor(100);
    XdoAt(Bar(), CPoint(8, 20), "mousedown 1");  // the thumb, dragged down while the program runs
    XdoAt(Bar(), CPoint(8, 50), "");
    XdoAt(Bar(), CPoint(8, 80), "mouseup 1");
    ASSERT_GE(host.codes.size(), 3u);
    EXPECT_EQ(host.codes.front(), (UINT)SB_THUMBTRACK);
    EXPECT_EQ(host.codes[host.codes.size() - 2], (UINT)SB_THUMBPOSITION);
    EXPECT_EQ(host.codes.back(), (UINT)SB_ENDSCROLL);
}

}  // namespace
