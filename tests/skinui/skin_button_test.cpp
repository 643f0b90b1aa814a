// The skinned button: hover, press and release tracking against the commands its owner receives,
// the frame each look shows, and its painted picture.
#include "skinui/skin_button.h"

#include "skin_fixture.h"

namespace {

constexpr int kWidth = 40, kHeight = 20;
const COLORREF kFrameColours[4] = {RGB(40, 90, 200), RGB(60, 160, 230), RGB(20, 50, 120), RGB(200, 120, 30)};

class SkinButtonTest : public ::testing::Test {
protected:
    SkinTempFolder temp;
    SkinOwner owner;
    CSkinButton button;
    int group = 0, group2 = 0, select = 0;

    void SetUp() override
    {
        // A strip of four flat frames with a dark one-pixel border.
        WritePicture(temp.File("button.bmp"), 4 * kWidth, kHeight, [](int x, int y) {
            int fx = x % kWidth;
            bool border = fx == 0 || y == 0 || fx == kWidth - 1 || y == kHeight - 1;
            return border ? RGB(10, 10, 10) : kFrameColours[x / kWidth];
        });
        ASSERT_TRUE(button.Create("", WS_CHILD, CRect(10, 10, 10 + kWidth, 10 + kHeight), &owner, 302));
        Skin(nullptr, 1, nullptr, 1, nullptr, "Go");
    }
    void Skin(int* groupVar, int groupValue, int* groupVar2, int groupValue2, int* selectVar, const char* text)
    {
        button.SetSkin(2, kWidth, kHeight, temp.File("button.bmp"), 0, 1, FALSE, &owner, WM_SKINCOMMAND, 302, groupVar,
                       groupValue, groupVar2, groupValue2, selectVar, 1, "Tip", text, "Arial", 14, RGB(255, 255, 255));
    }
    HWND Owner() { return owner.GetSafeHwnd(); }
    void Settle() { PumpFor(50); }
    using Commands = std::vector<std::pair<WPARAM, LPARAM>>;
};

TEST_F(SkinButtonTest, ClickPostsItsCommandOnRelease)
{
    MoveTo(Owner(), 20, 15);
    EXPECT_EQ(button.GetMouseState(), CSkinButton::STATE_HOVER);
    EXPECT_EQ(GetCapture(), button.GetSafeHwnd());
    Press();
    EXPECT_EQ(button.GetMouseState(), CSkinButton::STATE_PRESSED);
    Settle();
    EXPECT_TRUE(owner.commands.empty());
    Release();
    Settle();
    EXPECT_EQ(owner.commands, (Commands{{302, 0}}));
    EXPECT_EQ(button.GetMouseState(), CSkinButton::STATE_HOVER);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(SkinButtonTest, DraggingOutBeforeTheReleaseCancelsThePress)
{
    MoveTo(Owner(), 20, 15);
    Press();
    MoveTo(Owner(), 150, 80);
    EXPECT_EQ(button.GetMouseState(), CSkinButton::STATE_NORMAL);
    EXPECT_EQ(GetCapture(), nullptr);
    Release();
    Settle();
    EXPECT_TRUE(owner.commands.empty());
}

TEST_F(SkinButtonTest, RightAndBottomBoundsCountAsInside)
{
    MoveTo(Owner(), 20, 15);
    MoveTo(Owner(), 10 + kWidth, 10 + kHeight);
    EXPECT_EQ(button.GetMouseState(), CSkinButton::STATE_HOVER);
    MoveTo(Owner(), 11 + kWidth, 10 + kHeight);
    EXPECT_EQ(button.GetMouseState(), CSkinButton::STATE_NORMAL);
}

TEST_F(SkinButtonTest, DoubleClickPostsTwice)
{
    MoveTo(Owner(), 20, 15);
    Press();
    Release();
    button.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 5));
    EXPECT_EQ(button.GetMouseState(), CSkinButton::STATE_PRESSED);
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
    Settle();
    EXPECT_EQ(owner.commands, (Commands{{302, 0}, {302, 0}}));
}

TEST_F(SkinButtonTest, SelectedButtonPostsNothingAndKeepsTheCapture)
{
    select = 1;
    Skin(nullptr, 1, nullptr, 1, &select, "Go");
    MoveTo(Owner(), 20, 15);
    Press();
    Release();
    Settle();
    EXPECT_TRUE(owner.commands.empty());
    EXPECT_EQ(GetCapture(), button.GetSafeHwnd());
}

TEST_F(SkinButtonTest, NotifyOnPressPostsOnceOnThePress)
{
    button.SetNotifyOnPress(TRUE);
    MoveTo(Owner(), 20, 15);
    Press();
    Settle();
    EXPECT_EQ(owner.commands, (Commands{{302, 0}}));
    Release();
    Settle();
    EXPECT_EQ(owner.commands.size(), 1u);
}

TEST_F(SkinButtonTest, FrameFollowsStateAndBoundVariables)
{
    struct Case {
        bool first, second, selected, pressed;
        int groupValue, group2Value, frame;
    };
    // group and group2 hold 5 and 6; the select variable holds 1 when selected.
    const Case cases[] = {
        {false, false, false, false, 0, 0, 0},  // plain
        {false, false, false, true, 0, 0, 2},   // pressed
        {true, false, false, false, 5, 0, 2},   // checked by one variable
        {true, false, false, false, 4, 0, 0},   // variable on another value
        {true, true, false, false, 5, 6, 2},    // both match
        {true, true, false, false, 5, 7, 0},    // second does not match
        {false, true, false, false, 0, 6, 0},   // a second variable without a first
        {true, false, false, true, 5, 0, 2},    // checked and pressed
        {false, false, true, true, 0, 0, 3},    // selected wins over pressed
    };
    group = 5;
    group2 = 6;
    select = 1;
    for (const Case& c : cases) {
        CSkinButton b;
        ASSERT_TRUE(b.Create("", WS_CHILD, CRect(60, 60, 60 + kWidth, 60 + kHeight), &owner, 310));
        b.SetSkin(2, kWidth, kHeight, temp.File("button.bmp"), 0, 1, FALSE, &owner, WM_SKINCOMMAND, 310,
                  c.first ? &group : nullptr, c.groupValue, c.second ? &group2 : nullptr, c.group2Value,
                  c.selected ? &select : nullptr, 1, "", "", "Arial", 14, 0);
        if (c.pressed)
            b.SendMessage(WM_LBUTTONDOWN, 0, 0);
        EXPECT_EQ(b.ChooseFrame(), c.frame) << &c - cases;
    }
}

TEST_F(SkinButtonTest, KeysGoToTheParent)
{
    SkinOwner keyOwner;
    CSkinButton keyButton;
    ASSERT_TRUE(keyButton.Create("", WS_CHILD, CRect(0, 0, kWidth, kHeight), &keyOwner, 303));
    keyButton.SendMessage(WM_KEYDOWN, VK_SPACE, MAKELPARAM(1, 0x39));
    keyButton.SendMessage(WM_KEYUP, VK_SPACE, MAKELPARAM(1, 0xC039));
    MSG msg;
    int seen = 0;
    while (PeekMessage(&msg, keyOwner.GetSafeHwnd(), WM_KEYDOWN, WM_KEYUP, PM_REMOVE)) {
        EXPECT_EQ(msg.wParam, (WPARAM)VK_SPACE);
        EXPECT_EQ(msg.lParam, msg.message == WM_KEYDOWN ? 0x39 : 0xC039);
        ++seen;
    }
    EXPECT_EQ(seen, 2);
}

// A disabled button shows its picture greyed, also when the pointer comes over it; enabled again, in colour.
TEST_F(SkinButtonTest, DisabledButtonIsGreyedUnderThePointer)
{
    button.ShowWindow(SW_SHOW);
    auto coloured = [&] {
        Capture c = CaptureWindow(button.m_hWnd);
        int count = 0;
        for (uint32_t p : c.pixels)
            count += (p >> 16 & 0xFF) != (p & 0xFF) || (p >> 8 & 0xFF) != (p & 0xFF);
        return count;
    };
    for (BOOL enabled : {FALSE, TRUE}) {
        button.EnableWindow(enabled);
        MoveTo(Owner(), 0, 0);
        MoveTo(Owner(), 25, 20);
        Settle();
        if (enabled)
            EXPECT_GT(coloured(), kWidth * kHeight / 2);
        else
            EXPECT_EQ(coloured(), 0);
    }
}

// Four buttons side by side: plain, checked, selected and disabled, and a pressed one below; and one
// whose caption is the missing-text marker.
TEST_F(SkinButtonTest, PaintedLooksMatchTheGoldenPicture)
{
    group = 1;
    select = 1;
    CSkinButton disabled, pressed, missing;
    ASSERT_TRUE(disabled.Create("", WS_CHILD, CRect(0, 40, kWidth, 40 + kHeight), &owner, 304));
    ASSERT_TRUE(pressed.Create("", WS_CHILD, CRect(50, 40, 50 + kWidth, 40 + kHeight), &owner, 305));
    ASSERT_TRUE(missing.Create("", WS_CHILD, CRect(100, 40, 100 + kWidth, 40 + kHeight), &owner, 306));
    auto skin = [&](CSkinButton& b, int* groupVar, int* selectVar, const char* text) {
        b.SetSkin(2, kWidth, kHeight, temp.File("button.bmp"), 0, 1, FALSE, &owner, WM_SKINCOMMAND, 302, groupVar, 1,
                  nullptr, 0, selectVar, 1, "Tip", text, "Arial", 14, RGB(255, 255, 255));
    };
    skin(disabled, nullptr, nullptr, "Go");
    disabled.EnableWindow(FALSE);
    skin(pressed, nullptr, nullptr, "Go");
    pressed.SendMessage(WM_LBUTTONDOWN, 0, 0);
    ReleaseCapture();
    skin(missing, nullptr, nullptr, "NULL");
    CRasterImage picture;
    RenderPicture(
        4 * (kWidth + 4), 2 * (kHeight + 4),
        [&](CDC* dc) {
            auto at = [&](CSkinButton& b, int column, int row) {
                dc->SetViewportOrg(column * (kWidth + 4), row * (kHeight + 4));
                b.DrawButton(dc);
            };
            at(button, 0, 0);
            skin(button, &group, nullptr, "Go");
            at(button, 1, 0);
            skin(button, nullptr, &select, "Go");
            at(button, 2, 0);
            at(disabled, 3, 0);
            at(pressed, 0, 1);
            at(missing, 1, 1);
            dc->SetViewportOrg(0, 0);
        },
        &picture);
    ExpectGolden("button", picture);
}

}  // namespace
