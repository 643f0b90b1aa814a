// The skinned range bar: drags of its markers and range against the reports its owner receives, and its look.
#include "skinui/skin_range_bar.h"

#include "kernel/resources.h"
#include "services/app_folder.h"
#include "skin_fixture.h"

namespace {

const char kTemplate[] = "DIALOG 0, 0, 20, 10\nSTYLE WS_CHILD | WS_VISIBLE\nFONT 8, \"MS Sans Serif\"\n";
const EmbeddedResource kResources[] = {{"DIALOG", "196", (const unsigned char*)kTemplate, sizeof(kTemplate) - 1}};

// A 120-pixel strip whose track runs from x = 10 to 110, stretched to a 220-pixel bar: the track becomes
// x = 10 .. 210 (200 pixels), y = 4 .. 12; the range markers hang below it, the position marker above.
class SkinRangeBarTest : public ::testing::Test {
protected:
    SkinTempFolder program;
    SkinOwner owner;
    CSkinRangeBar bar{&owner};
    int fadeIn = 0, fadeOut = 0, fixedLength = 0, fadePercent = 0;
    double fixedMaximum = 30;
    using Commands = std::vector<std::pair<WPARAM, LPARAM>>;

    void SetUp() override
    {
        RegisterResourceTable(kResources, 1);
        std::filesystem::create_directories(program.Linux() + "/skin-com/skin-1");
        std::ofstream(program.Linux() + "/common.ini") << "[common]\r\nskin=1\r\n";
        std::ofstream(program.Linux() + "/skin-com/skin-1/skin.ini")
            << "[textbtn18]\r\nbgimage=bar.bmp\r\nfntname=fill.bmp\r\nfntcolor=10,4,100,8\r\n"
               "[textbtn19]\r\nbgimage=pos.bmp\r\n[textbtn20]\r\nbgimage=mark.bmp\r\nfntcolor=255,0,255\r\n";
        WritePicture(program.File("skin-com/skin-1/bar.bmp"), 120, 16, [](int x, int y) {
            bool track = x >= 10 && x < 110 && y >= 4 && y < 12;
            return track      ? RGB(40, 40, 60 + x)
                   : x < 10   ? RGB(150, 30, 30)
                   : x >= 110 ? RGB(30, 150, 30)
                              : RGB(80, 80, 80);
        });
        WritePicture(program.File("skin-com/skin-1/fill.bmp"), 50, 8,
                     [](int x, int y) { return RGB(250, 200, 4 * x); });
        WritePicture(program.File("skin-com/skin-1/pos.bmp"), 5, 4, [](int, int) { return RGB(255, 255, 255); });
        WritePicture(program.File("skin-com/skin-1/mark.bmp"), 7, 4,
                     [](int x, int y) { return x == 3 || y == 0 ? RGB(255, 255, 0) : RGB(255, 0, 255); });
        SetAppFolder(program.File("prog.exe"));
        ASSERT_TRUE(bar.Create(196, &owner));
        bar.MoveWindow(10, 10, 220, 16);
        bar.Setup(&owner, WM_SKINCOMMAND, 10000, &fadeIn, &fadeOut, &fixedLength, &fadePercent, &fixedMaximum, 220);
        bar.m_dStart = 20;
        bar.m_dEnd = 50;
        Repaint();
    }
    void Repaint()
    {
        CClientDC dc(&bar);
        bar.Paint(&dc);
    }
    // Hovers at a bar point, presses, drags through the others and releases.
    void Drag(CPoint from, std::initializer_list<CPoint> to)
    {
        HWND h = owner.GetSafeHwnd();
        MoveTo(h, 10 + from.x, 10 + from.y);
        Press();
        for (CPoint p : to)
            MoveTo(h, 10 + p.x, 10 + p.y);
        Release();
        PumpFor(30);
        EXPECT_EQ(GetCapture(), nullptr);
    }
};

TEST_F(SkinRangeBarTest, ClickOnTheTrackMovesThePositionThere)
{
    Drag({150, 8}, {});
    EXPECT_DOUBLE_EQ(bar.m_dPos, 70);
    EXPECT_EQ(owner.commands, (Commands{{10000, 0}}));
}

TEST_F(SkinRangeBarTest, PositionMarkerDragReportsWithOne)
{
    Drag({10, 2}, {{110, 2}, {260, 2}});
    EXPECT_DOUBLE_EQ(bar.m_dPos, 100);
    EXPECT_EQ(owner.commands, (Commands{{10000, 1}, {10000, 1}}));
}

TEST_F(SkinRangeBarTest, RangeMarkersStopAtEachOther)
{
    Drag({50, 14}, {{180, 14}});
    EXPECT_DOUBLE_EQ(bar.m_dStart, 50);
    bar.m_dStart = 20;
    Repaint();
    Drag({110, 14}, {{20, 14}});
    EXPECT_DOUBLE_EQ(bar.m_dEnd, 20);
    EXPECT_EQ(owner.commands, (Commands{{10000, 0}, {10000, 0}}));
}

TEST_F(SkinRangeBarTest, FixedLengthRangeNarrowsButDoesNotWiden)
{
    fixedLength = 1;
    Drag({50, 14}, {{30, 14}});  // start to 10 %: 40 % long, refused
    EXPECT_DOUBLE_EQ(bar.m_dStart, 20);
    Drag({50, 14}, {{70, 14}});  // start to 30 %
    EXPECT_DOUBLE_EQ(bar.m_dStart, 30);
    Drag({110, 14}, {{130, 14}});  // end to 60 %: 30 % long, taken
    EXPECT_DOUBLE_EQ(bar.m_dEnd, 60);
    Drag({130, 14}, {{150, 14}});  // end to 70 %: refused
    EXPECT_DOUBLE_EQ(bar.m_dEnd, 60);
    EXPECT_EQ(owner.commands.size(), 4u);  // refused steps are reported too
}

TEST_F(SkinRangeBarTest, WholeRangeStopsAgainstTheEnds)
{
    Drag({80, 8}, {{180, 8}, {200, 8}});
    EXPECT_DOUBLE_EQ(bar.m_dStart, 70);
    EXPECT_DOUBLE_EQ(bar.m_dEnd, 100);
    // A fast drag past the start in one step: the range stops against it, not short of it.
    Drag({150, 8}, {{0, 8}});
    EXPECT_DOUBLE_EQ(bar.m_dStart, 0);
    EXPECT_DOUBLE_EQ(bar.m_dEnd, 30);
    Drag({30, 8}, {{215, 8}});
    EXPECT_DOUBLE_EQ(bar.m_dStart, 70);
    EXPECT_DOUBLE_EQ(bar.m_dEnd, 100);
}

TEST_F(SkinRangeBarTest, MarkersThatMeetGiveTheDragToTheOneThatCanFollowIt)
{
    const struct {
        double at;
        int toX;
        double start, end;
    } cases[] = {
        {0, 60, 0, 25},  // both at the start: only the end can go right
        {80, 130, 60, 80},
        {50, 160, 50, 75},
        {50, 60, 25, 50},
    };
    for (const auto& c : cases) {
        bar.m_dStart = bar.m_dEnd = c.at;
        Repaint();
        int x = 10 + (int)(c.at * 2);
        Drag({x, 14}, {{(x + c.toX) / 2, 14}, {c.toX, 14}});
        EXPECT_DOUBLE_EQ(bar.m_dStart, c.start) << "markers at " << c.at;
        EXPECT_DOUBLE_EQ(bar.m_dEnd, c.end) << "markers at " << c.at;
    }
}

TEST_F(SkinRangeBarTest, TrackWithoutWidthCannotBeDragged)
{
    std::ofstream(program.Linux() + "/skin-com/skin-1/skin.ini")
        << "[textbtn18]\r\nbgimage=bar.bmp\r\nfntcolor=10,4,0,8\r\n[textbtn20]\r\nbgimage=mark.bmp\r\n";
    bar.Setup(&owner, WM_SKINCOMMAND, 10000, &fadeIn, &fadeOut, &fixedLength, &fadePercent, &fixedMaximum, 220);
    Repaint();
    Drag({10, 8}, {{60, 8}});
    Drag({10, 14}, {{60, 14}});
    EXPECT_DOUBLE_EQ(bar.m_dStart, 20);
    EXPECT_DOUBLE_EQ(bar.m_dEnd, 50);
    EXPECT_DOUBLE_EQ(bar.m_dPos, 0);
    EXPECT_TRUE(owner.commands.empty());
}

TEST_F(SkinRangeBarTest, EachBarKeepsItsOwnOverlayCache)
{
    // Paints a bar at the fixture's range with the fade switches given, returning the picture.
    auto paint = [&](CSkinRangeBar& b, int* in, int* out, CRasterImage* picture) {
        b.Setup(&owner, WM_SKINCOMMAND, 10001, in, out, &fixedLength, &fadePercent, &fixedMaximum, 220);
        b.m_dStart = 20;
        b.m_dEnd = 50;
        RenderPicture(
            220, 16, [&](CDC* dc) { b.Paint(dc); }, picture);
    };
    fadePercent = 25;
    int otherIn = 1, otherOut = 0, freshIn = 1, freshOut = 0;
    CSkinRangeBar other(&owner), fresh(&owner);
    CRasterImage first, second, expected;
    fadeOut = 1;
    paint(bar, &fadeIn, &fadeOut, &first);
    paint(other, &otherIn, &otherOut, &second);  // another bar builds with fade-in on, fade-out off
    fadeIn = 1;
    fadeOut = 0;
    RenderPicture(
        220, 16, [&](CDC* dc) { bar.Paint(dc); }, &first);
    paint(fresh, &freshIn, &freshOut, &expected);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 220; ++x)
            ASSERT_EQ(first.GetPixelColor(x, y).rgbBlue, expected.GetPixelColor(x, y).rgbBlue) << x << "," << y;
}

// Two bars: a fade-out ramp only at the range's right end, and fade-in on with a fade of 0 % cutting nothing.
TEST_F(SkinRangeBarTest, PaintedLooksMatchTheGoldenPicture)
{
    CRasterImage picture;
    bar.m_dPos = 70;
    RenderPicture(
        220, 2 * 18,
        [&](CDC* dc) {
            fadeOut = 1;
            fadePercent = 25;
            bar.Paint(dc);
            fadeOut = 0;
            fadeIn = 1;
            fadePercent = 0;
            dc->SetViewportOrg(0, 18);
            bar.Paint(dc);
            dc->SetViewportOrg(0, 0);
        },
        &picture);
    ExpectGolden("range_bar", picture);
}

}  // namespace
