// The track instrument panel: rows placed and captioned as the main dialog says, and a choice in any box
// giving every row's instrument to its track.
#include "composer/track_instrument_panel.h"
#include <algorithm>

#include "memory_paint.h"
#include "notify_owner.h"
#include "song/score.h"
#include "song/track.h"

namespace {

class InstrumentPanel : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(panel.Create(CTrackInstrumentPanel::IDD, &owner));
        panel.MoveWindow(0, 0, 200, 400);
        panel.ShowWindow(SW_SHOW);
    }
    void TearDown() override
    {
        g_pScore = nullptr;
        panel.DestroyWindow();
    }
    CRect RectIn(CWnd& child)
    {
        CRect rect;
        child.GetWindowRect(&rect);
        panel.ScreenToClient(&rect);
        return rect;
    }

    NotifyOwner owner;
    CTrackInstrumentPanel panel;
};

TEST_F(InstrumentPanel, ShowsOnlyTheRowsItIsToldAndPlacesThemInTheColumn)
{
    for (int row = 0; row < CTrackInstrumentPanel::kRows; ++row)
        panel.SetRow(row, row, 30, 40, row, row < 3);
    for (int row = 0; row < CTrackInstrumentPanel::kRows; ++row) {
        EXPECT_EQ(panel.m_boxes[row]->IsWindowVisible(), row < 3) << row;
        EXPECT_EQ(panel.m_captions[row].IsWindowVisible(), row < 3) << row;
    }
    EXPECT_EQ(RectIn(*panel.m_boxes[2]), CRect(10, 100, 190, 120));  // 200 wide: 180 at x = 10
    EXPECT_EQ(RectIn(panel.m_captions[2]), CRect(10, 80, 190, 100));
    EXPECT_EQ(panel.m_boxes[2]->GetCurSel(), 2);
    // The caption is written in white.
    const Capture caption = PaintInMemory(180, 20, [&](CDC* dc) { panel.m_captions[2].Paint(dc); });
    EXPECT_GT(std::count(caption.pixels.begin(), caption.pixels.end(), 0xFFFFFFu), 10);
}

TEST_F(InstrumentPanel, TheInstrumentNameFitsInsideItsBox)
{
    panel.SetRow(0, 0, 30, 40, 0, TRUE);  // "Acoustic Grand Piano" in the box at (10, 20)-(190, 40)
    PumpFor(100);
    const CRect box = RectIn(*panel.m_boxes[0]);
    const Capture shot = CaptureWindow(panel.m_hWnd);
    ASSERT_EQ(shot.width, 200);
    // The rows of the name's dark pixels, left of the drop button and inside the frame.
    int top = box.bottom, bottom = box.top - 1;
    for (int y = box.top + 1; y < box.bottom - 1; ++y)
        for (int x = box.left + 3; x < box.left + 90; ++x) {
            const uint32_t p = shot.At(x, y);
            if (((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) < 240) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    // Capitals and the descenders of "p" and "G" whole: a line of text, with white below it inside the frame.
    EXPECT_GE(bottom - top + 1, 10) << "text rows " << top << ".." << bottom;
    EXPECT_LE(bottom, box.bottom - 3) << "text rows " << top << ".." << bottom;
}

TEST_F(InstrumentPanel, AChoiceGivesEveryRowsInstrumentToItsTrack)
{
    CScore song;
    g_pScore = &song;
    panel.SetRow(0, 40, 30, 40, 0, TRUE);
    panel.SetRow(1, 0, 30, 40, 1, TRUE);
    panel.SetRow(2, 73, 30, 40, 2, FALSE);  // hidden, keeping an earlier choice
    CAdvComboBox& box = *panel.m_boxes[1];
    box.SetCurSel(128);  // "Percussion"
    panel.SendMessage(WM_COMMAND, MAKEWPARAM(CTrackInstrumentPanel::kBoxId, CBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(box.GetSafeHwnd()));
    EXPECT_EQ(song.GetTrack(0)->GetProgram(), 40);
    EXPECT_EQ(song.GetTrack(1)->GetProgram(), 128);
    EXPECT_EQ(song.GetTrack(1)->GetInstrumentName(), "Percussion");
    EXPECT_EQ(song.GetTrack(2)->GetProgram(), 0);  // SetRow never selected for a hidden row
    EXPECT_EQ(song.GetTrack(29)->GetProgram(), 0);
}

}  // namespace
