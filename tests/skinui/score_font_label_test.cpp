// The music-font label: its zoom, and the character it paints with the score view's music font.
#include <cstring>

#include "kernel/program_paths.h"
#include "skin_fixture.h"
#include "skinui/score_font.h"
#include "skinui/score_font_label.h"

namespace {

TEST(ScoreFontLabel, ZoomFollowsTheStepWithZeroAsOne)
{
    struct Case {
        int step;
        double zoom;
        int fontHeight;
    } cases[] = {{0, 0.88, 18}, {1, 0.88, 18}, {10, 5.2, 108}, {20, 10.0, 208}};
    for (const Case& c : cases) {
        CScoreFontLabel label;
        label.SetZoom(c.step);
        EXPECT_NEAR(label.GetZoom(), c.zoom, 1e-9) << c.step;
        EXPECT_EQ(label.FontHeight(), c.fontHeight) << c.step;
    }
}

// The program's music font registered from the program folder for the test's duration.
class MusicFontFile {
public:
    MusicFontFile() : m_path(GetProgramFolder() + "kestrin.ttf") { m_added = AddFontResourceA(m_path.c_str()) > 0; }
    ~MusicFontFile()
    {
        if (m_added)
            RemoveFontResourceA(m_path.c_str());
    }
    bool Added() const { return m_added; }

private:
    std::string m_path;
    bool m_added = false;
};

// Before the score view exists the label draws with the face "8888 8888" in black; afterwards with the
// description and note colour the score view handed over (here bold, red).
TEST(ScoreFontLabel, PaintedLooksMatchTheGoldenPicture)
{
    MusicFontFile musicFont;
    ASSERT_TRUE(musicFont.Added()) << "the music font is built into the program folder";
    SkinOwner owner;
    CScoreFontLabel labels[2];
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(labels[i].Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 60, 50), &owner, 1 + i));
        labels[i].SetZoom(2 + 2 * i);
    }
    LOGFONT before = GetScoreFont();
    EXPECT_STREQ(before.lfFaceName, "8888 8888");
    CRasterImage picture;
    RenderPicture(
        120, 50,
        [&](CDC* dc) {
            labels[0].Paint(dc);
            LOGFONT described = before;
            described.lfWeight = FW_BOLD;
            SetScoreFont(described, RGB(200, 0, 0));
            dc->SetViewportOrg(60, 0);
            labels[1].Paint(dc);
            dc->SetViewportOrg(0, 0);
            SetScoreFont(before, RGB(0, 0, 0));
        },
        &picture);
    ExpectGolden("score_font_label", picture);
}

}  // namespace
