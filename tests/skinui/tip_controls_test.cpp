// The tooltip button and scroll bar: their one tool each and the relay of mouse messages.
#include "skin_fixture.h"
#include "skinui/tip_bitmap_button.h"
#include "skinui/tip_scroll_bar.h"

namespace {

TEST(TipControls, EachHasOneToolThatRelaysMouseMessages)
{
    SkinOwner owner;
    CTipBitmapButton button;
    ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 40, 20), &owner, 10));
    button.Setup(99999, 0);
    CTipScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, CRect(0, 30, 150, 46), &owner, 11));
    bar.Setup(99998);
    EXPECT_EQ(button.GetToolTip().GetToolCount(), 1);
    EXPECT_EQ(bar.GetToolTip().GetToolCount(), 1);
    EXPECT_EQ(button.GetTipTextId(), 99999);
    EXPECT_EQ(bar.GetTipTextId(), 99998);
    // A number without a text (no numbered-text file here) relays with what a missing number reads.
    for (UINT message : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP}) {
        button.SendMessage(message, 0, MAKELPARAM(5, 5));
        bar.SendMessage(message, 0, MAKELPARAM(5, 5));
    }
    EXPECT_EQ(button.GetToolTip().GetToolCount(), 1);
}

}  // namespace
