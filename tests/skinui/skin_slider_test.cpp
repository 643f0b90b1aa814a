// The skinned slider: drags against the values its owner receives and finds in its variable, and its painted look.
#include "skinui/skin_slider.h"

#include <algorithm>

#include "kernel/resources.h"
#include "skin_fixture.h"

namespace {

// The empty child-dialog template the slider is built on.
const char kTemplate[] = "DIALOG 0, 0, 20, 10\nSTYLE WS_CHILD | WS_VISIBLE\nFONT 8, \"MS Sans Serif\"\n";
const EmbeddedResource kResources[] = {{"DIALOG", "196", (const unsigned char*)kTemplate, sizeof(kTemplate) - 1}};

class SkinSliderTest : public ::testing::Test {
protected:
    SkinTempFolder temp;
    SkinOwner owner;
    CSkinSlider slider{&owner};
    int value = 100;
    using Commands = std::vector<std::pair<WPARAM, LPARAM>>;

    void SetUp() override
    {
        RegisterResourceTable(kResources, 1);
        WritePicture(temp.File("track.bmp"), 220, 20, [](int x, int y) { return RGB(90, 90, 110 + y); });
        WritePicture(temp.File("thumb.bmp"), 9, 14, [](int x, int y) { return RGB(230, 230, 230 - 10 * x); });
        ASSERT_TRUE(slider.Create(196, &owner));
        slider.MoveWindow(10, 10, 220, 20);
        SetupSlider(FALSE, CRect(10, 0, 210, 20));
    }
    void SetupSlider(BOOL byTimer, CRect track)
    {
        slider.Setup(0, byTimer, 0, 0, &value, 40, 240, "Tempo", temp.File("track.bmp"), temp.File("thumb.bmp"), track,
                     &owner, WM_SKINCOMMAND, 900);
    }
    // A drag over the slider from one client x to another (owner co-ordinates are 10 further right).
    void Drag(int fromX, int toX)
    {
        MoveTo(owner.GetSafeHwnd(), 10 + fromX, 20);
        Press();
        MoveTo(owner.GetSafeHwnd(), 10 + toX, 20);
        Release();
        PumpFor(50);
    }
};

TEST_F(SkinSliderTest, DragWritesTheVariableAndReportsPressValueAndRelease)
{
    struct Case {
        int toX, value;
    };
    // Range 40..240 over a 200-pixel track starting at x = 10.
    const Case cases[] = {{60, 90}, {215, 240}, {2, 40}, {110, 140}};
    for (const Case& c : cases) {
        owner.commands.clear();
        Drag(150, c.toX);
        EXPECT_EQ(value, c.value) << c.toX;
        EXPECT_EQ(owner.commands, (Commands{{900, -1}, {900, c.value}, {900, c.value}, {900, -2}})) << c.toX;
        EXPECT_EQ(GetCapture(), nullptr);
    }
}

TEST_F(SkinSliderTest, PressAndReleaseWithoutMovingReportsTheUnchangedValue)
{
    MoveTo(owner.GetSafeHwnd(), 60, 20);
    Press();
    Release();
    PumpFor(50);
    EXPECT_EQ(owner.commands, (Commands{{900, -1}, {900, 100}, {900, -2}}));
    slider.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(50, 10));
    PumpFor(20);
    EXPECT_EQ(owner.commands.size(), 3u);  // a double click does nothing
}

TEST_F(SkinSliderTest, TimerModeReportsTheValueWhileTheMouseRests)
{
    SetupSlider(TRUE, CRect(10, 0, 210, 20));
    MoveTo(owner.GetSafeHwnd(), 160, 20);
    Press();
    MoveTo(owner.GetSafeHwnd(), 70, 20);
    EXPECT_TRUE(PumpUntil([&] { return owner.commands.size() >= 2; }));
    Release();
    PumpFor(50);
    ASSERT_GE(owner.commands.size(), 3u);
    EXPECT_EQ(owner.commands.front(), std::make_pair(WPARAM(900), LPARAM(-1)));
    EXPECT_EQ(owner.commands.back(), std::make_pair(WPARAM(900), LPARAM(-2)));
    for (size_t i = 1; i + 1 < owner.commands.size(); ++i)
        EXPECT_EQ(owner.commands[i].second, 90);
    size_t count = owner.commands.size();
    PumpFor(60);
    EXPECT_EQ(owner.commands.size(), count);  // the timer ended with the release
}

TEST_F(SkinSliderTest, LosingTheCaptureEndsTheDrag)
{
    SetupSlider(TRUE, CRect(10, 0, 210, 20));
    MoveTo(owner.GetSafeHwnd(), 160, 20);
    Press();
    MoveTo(owner.GetSafeHwnd(), 70, 20);
    ReleaseCapture();  // another window takes the mouse; the release never reaches the slider
    PumpFor(60);
    EXPECT_EQ(owner.commands.front(), std::make_pair(WPARAM(900), LPARAM(-1)));
    EXPECT_EQ(owner.commands.back(), std::make_pair(WPARAM(900), LPARAM(-2)));
    size_t count = owner.commands.size();
    PumpFor(60);
    EXPECT_EQ(owner.commands.size(), count);  // no more values from a resting mouse
    Release();
    PumpFor(30);
    EXPECT_EQ(std::count(owner.commands.begin(), owner.commands.end(), std::make_pair(WPARAM(900), LPARAM(-2))), 1);
}

TEST_F(SkinSliderTest, TrackWithoutWidthCannotBeDragged)
{
    SetupSlider(FALSE, CRect(10, 0, 10, 20));
    Drag(10, 60);
    EXPECT_EQ(value, 100);
    EXPECT_EQ(owner.commands, (Commands{{900, -1}, {900, 100}, {900, -2}}));
}

TEST_F(SkinSliderTest, UnboundSliderReportsZero)
{
    slider.SetValuePointer(nullptr);
    Drag(150, 60);
    EXPECT_EQ(value, 100);
    EXPECT_EQ(owner.commands, (Commands{{900, -1}, {900, 0}, {900, 0}, {900, -2}}));
}

// Three sliders stacked: at the minimum, in the middle and at the maximum.
TEST_F(SkinSliderTest, PaintedLooksMatchTheGoldenPicture)
{
    CRasterImage picture;
    RenderPicture(
        220, 3 * 22,
        [&](CDC* dc) {
            for (int i = 0; i < 3; ++i) {
                value = 40 + 100 * i;
                dc->SetViewportOrg(0, 22 * i);
                slider.DrawTrack(dc);
                slider.DrawThumb(dc);
            }
            dc->SetViewportOrg(0, 0);
        },
        &picture);
    ExpectGolden("slider", picture);
}

}  // namespace
