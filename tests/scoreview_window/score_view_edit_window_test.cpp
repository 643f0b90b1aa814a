// Editing the score view through window messages: note entry in every value, erasing, dragging and undo,
// checked against the song; the reasons and cursor posts a recording owner receives; playback positions;
// panning while the space bar is held.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "scoreview/score_view.h"
#include "tests/support/window/ui_fixture.h"

namespace {

using Posts = std::vector<std::pair<WPARAM, LPARAM>>;

class RecordingOwner : public CWnd {
public:
    RecordingOwner() { EXPECT_TRUE(CreateEx(0, nullptr, "owner", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr)); }
    ~RecordingOwner() override { DestroyWindow(); }
    Posts Take()
    {
        PumpFor(30);
        return std::exchange(received, {});
    }
    Posts received;

protected:
    afx_msg LRESULT OnNotify100(WPARAM code, LPARAM value)
    {
        received.emplace_back(code, value);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RecordingOwner, CWnd)
ON_MESSAGE(kViewNotifyMessage, OnNotify100)
END_MESSAGE_MAP()

class EditWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(view.CreateEx(0, nullptr, "score", WS_POPUP | WS_VISIBLE, 20, 20, 600, 300, nullptr, nullptr));
        for (int i = 0; i < kMaxTracks; ++i)
            view.score.GetTrack(i)->SetShown(i == 0);
        view.UpdateMetrics();
        view.RedrawScore(true);
        PumpFor(50);
    }
    void TearDown() override { view.DestroyWindow(); }

    // The window point of a pitch at a tick on track 0's staff.
    CPoint At(int tick, int pitch) { return view.PageToWindow(view.StaffPointOnStrip(0, tick, pitch)); }
    void Move(CPoint p, bool down = false)
    {
        view.SendMessage(WM_MOUSEMOVE, down ? MK_LBUTTON : 0, MAKELPARAM(p.x, p.y));
    }
    void Click(CPoint p)
    {
        Move(p);
        view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        view.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    }
    static void Key(WORD vk, bool down)
    {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        SendInput(1, &input, sizeof input);
    }
    std::vector<std::pair<int, int>> Notes() const  // (start, length) per note of track 0
    {
        std::vector<std::pair<int, int>> notes;
        for (const NoteEvent* n = view.score.GetTrack(0)->notes; n; n = n->next)
            notes.emplace_back(n->start, n->end - n->start);
        return notes;
    }

    CScoreView view;
};

TEST_F(EditWindow, ClicksEnterEveryNoteValueAndUndoTakesEachBack)
{
    view.SetEditMode(2);
    const int lengths[7] = {384, 192, 96, 48, 24, 12, 6};
    std::vector<std::pair<int, int>> expected;
    for (int value = 0; value < 7; ++value) {
        view.SetPaletteChoice(137, value);
        int tick = 384 * 2 * value;  // the first beat of every second measure
        Click(At(tick, 67));
        expected.emplace_back(tick, lengths[value]);
        EXPECT_EQ(Notes(), expected) << value;
        EXPECT_EQ(view.score.GetTrack(0)->notes->pitch, 67);
    }
    EXPECT_EQ(view.score.modified, 1);
    for (int value = 6; value >= 0; --value) {
        view.OnUndo();
        expected.pop_back();
        EXPECT_EQ(Notes(), expected) << value;
    }
}

TEST_F(EditWindow, ATripletClickEntersThreeNotesOfTwoThirds)
{
    view.SetEditMode(2);
    view.SetPaletteChoice(137, 3);   // eighths
    view.SetPaletteChoice(137, 21);  // triplet
    Click(At(96 + 20, 67));
    EXPECT_EQ(Notes(), (std::vector<std::pair<int, int>>{{96, 32}, {128, 32}, {160, 32}}));
    for (int i = 0; i < 3; ++i)
        view.OnUndo();
    EXPECT_TRUE(Notes().empty());
}

TEST_F(EditWindow, TheEraserDeletesTheHoveredNoteAndUndoBringsItBack)
{
    view.score.GetTrack(0)->InsertNote(false, 192, 288, 67, 96, 0, 0, 0, 0, 0, 0);
    view.RedrawScore(true);
    view.SetEditMode(1);
    Click(At(192, 67));
    EXPECT_TRUE(Notes().empty());
    EXPECT_EQ(view.hoveredNote, nullptr);
    view.OnUndo();
    EXPECT_EQ(Notes(), (std::vector<std::pair<int, int>>{{192, 96}}));
}

TEST_F(EditWindow, DraggingANoteMovesItToThePitchAndTickUnderTheMouse)
{
    view.score.GetTrack(0)->InsertNote(false, 192, 288, 67, 96, 0, 0, 0, 0, 0, 0);
    view.RedrawScore(true);
    view.SetEditMode(2);
    CPoint from = At(192, 67), to = At(384, 71);
    Move(from);
    ASSERT_EQ(view.hitKind, 1);
    view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    Move(CPoint(to.x + (int)(view.unit / 2), to.y), true);
    view.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    ASSERT_EQ(Notes(), (std::vector<std::pair<int, int>>{{384, 96}}));
    EXPECT_EQ(view.score.GetTrack(0)->notes->pitch, 71);
    EXPECT_EQ(view.score.GetTrack(0)->notes->marked, 0u);
    EXPECT_EQ(view.hoveredNote, nullptr);
}

TEST_F(EditWindow, TheOwnerHearsReasonsAndCursorPosts)
{
    RecordingOwner owner;
    view.AttachToOwner(700, &owner, kViewNotifyMessage, 100);
    owner.Take();
    view.ZoomReset();
    Posts zoom = owner.Take();
    ASSERT_GE(zoom.size(), 5u);
    EXPECT_EQ(Posts(zoom.end() - 5, zoom.end()), (Posts{{100, 0}, {100, 1}, {100, 2}, {100, 3}, {100, 9}}));
    view.RefreshScore();
    Posts refresh = owner.Take();
    EXPECT_EQ(Posts(refresh.end() - 3, refresh.end()), (Posts{{100, 1}, {100, 2}, {100, 9}}));
    view.ZoomTo(3.0);
    EXPECT_EQ(view.verticalScrollRange, view.scaledRect.Height() - view.placementRect.Height());
    EXPECT_GT(view.verticalScrollRange, 0);
    owner.Take();
    view.SendMessage(kViewNotifyMessage, 202, 0);
    EXPECT_EQ(owner.Take(), (Posts{{143, 1043}}));
}

TEST_F(EditWindow, PlaybackPositionsMoveTheCursorAndScroll)
{
    RecordingOwner owner;
    view.AttachToOwner(700, &owner, kViewNotifyMessage, 100);
    owner.Take();
    view.score.playTick = 2 * view.score.division;
    view.PostMessage(kViewNotifyMessage, kPlaybackNotifyCode, 2);
    Posts inside = owner.Take();
    EXPECT_EQ(view.firstVisibleBeat, 0);
    // The reason is sent at once; the cursor post arrives through the queue.
    EXPECT_EQ(inside, (Posts{{100, 9}, {100, view.TickToStripX(192)}}));
    EXPECT_EQ(view.playCursorX, view.TickToStripX(192));

    view.score.playTick = 60 * view.score.division;
    view.PostMessage(kViewNotifyMessage, kPlaybackNotifyCode, 60);
    owner.Take();
    EXPECT_EQ(view.firstVisibleBeat, 60);

    view.PostMessage(kViewNotifyMessage, kPlaybackNotifyCode, -1);
    Posts over = owner.Take();
    ASSERT_FALSE(over.empty());
    EXPECT_EQ(over.front(), (std::pair<WPARAM, LPARAM>{100, -100}));
    EXPECT_EQ(view.playCursorX, -1);
}

TEST_F(EditWindow, ThePlayCursorUndrawsExactlyAndNeverTouchesThePage)
{
    view.Invalidate(FALSE);
    // Under load the first paint can land late: wait until two captures agree.
    Capture before = CaptureWindow(view.m_hWnd);
    for (int i = 0; i < 50; ++i) {
        PumpFor(50);
        Capture again = CaptureWindow(view.m_hWnd);
        bool settled = again.pixels == before.pixels;
        before = again;
        if (settled && i > 0)
            break;
    }
    std::vector<uint8_t> page(view.pageBitmap.Record().memory,
                              view.pageBitmap.Record().memory + view.pageBitmap.Record().bytesPerLine * 10);
    view.score.playTick = 96;
    view.DrawPlayCursor(false);
    CPoint top, bottom;
    ASSERT_TRUE(view.PlayCursorLine(view.playCursorX, top, bottom));
    Capture drawn = CaptureWindow(view.m_hWnd);
    EXPECT_NE(drawn.At(top.x, top.y + 5), before.At(top.x, top.y + 5));
    view.score.playTick = 192;
    view.DrawPlayCursor(true);   // moves the line
    view.DrawPlayCursor(false);  // the same line drawn again goes away
    view.playCursorX = -1;
    Capture after = CaptureWindow(view.m_hWnd);
    int differing = 0;
    for (size_t i = 0; i < after.pixels.size(); ++i)
        differing += after.pixels[i] != before.pixels[i];
    EXPECT_EQ(differing, 0);
    EXPECT_TRUE(std::equal(page.begin(), page.end(), view.pageBitmap.Record().memory));
}

TEST_F(EditWindow, DraggingInPanModeScrollsByBeatsAndInsertsNothing)
{
    RecordingOwner owner;
    view.AttachToOwner(700, &owner, kViewNotifyMessage, 100);
    view.SetEditMode(0);
    view.firstVisibleBeat = 4;
    CPoint from(300, 150), to(200, 150);
    view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    owner.Take();
    Move(to, true);
    view.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    EXPECT_EQ(view.firstVisibleBeat, 5);  // dragged left: the song moves on
    Posts posts = owner.Take();
    EXPECT_NE(std::find(posts.begin(), posts.end(), std::pair<WPARAM, LPARAM>{100, 10}), posts.end());
    EXPECT_TRUE(Notes().empty());
}

TEST_F(EditWindow, HoldingTheSpaceBarPansInNoteEntryAndLettingGoEntersNotesAgain)
{
    RecordingOwner owner;
    view.AttachToOwner(700, &owner, kViewNotifyMessage, 100);
    view.SetEditMode(2);
    view.firstVisibleBeat = 4;
    Key(VK_SPACE, true);
    CPoint from = At(384, 67);
    Move(from);
    view.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    EXPECT_EQ(::GetCapture(), nullptr);  // a press with the space bar down only anchors the pan
    for (int step = 1; step <= 3; ++step)
        Move(CPoint(from.x - 40 * step, from.y), true);
    view.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(from.x - 120, from.y));
    EXPECT_EQ(view.firstVisibleBeat, 7);  // one beat for each move to the left
    EXPECT_TRUE(Notes().empty());
    Posts posts = owner.Take();
    // Reason 10 from each of the three pans and from the release with the bar down.
    EXPECT_EQ(std::count(posts.begin(), posts.end(), std::pair<WPARAM, LPARAM>{100, 10}), 4);

    Key(VK_SPACE, false);
    view.RedrawScore(true);
    int tick = 8 * view.score.division;  // shown after the pan
    Click(At(tick, 67));
    EXPECT_EQ(Notes(), (std::vector<std::pair<int, int>>{{tick, 96}}));
}

TEST_F(EditWindow, ANoteMovedToATrackPastTheSongsLastStaysInTheSong)
{
    view.SetEditMode(2);
    Click(At(192, 67));
    Move(At(192, 67));
    ASSERT_NE(view.hoveredNote, nullptr);
    view.SendMessage(WM_COMMAND, CScoreView::kMenuMoveFirst + 3, 0);
    EXPECT_TRUE(Notes().empty());
    ASSERT_NE(view.score.GetTrack(3)->notes, nullptr);
    EXPECT_GE(view.score.trackCount, 5);  // the files write tracks 0 .. trackCount - 2
}

}  // namespace
