// The score dialogs: values outside what the song takes are refused with the usual message; the key
// dialog's preview; the key change that moves the notes after the cursor, chosen in the running dialog.
#include <gtest/gtest.h>
#include <strings.h>

#include <cstdlib>
#include <string>
#include <utility>

#include "kernel/prompt_service.h"
#include "scoreview/key_signature_dialog.h"
#include "scoreview/measure_dialog.h"
#include "scoreview/note_zoom_dialog.h"
#include "scoreview/score_view.h"
#include "scoreview/time_signature_dialog.h"
#include "tests/support/window/ui_fixture.h"

namespace {

// Types the text into the dialog's edit and reads the fields back as OK would; answers whether they passed.
template <class Dialog>
bool Accepts(Dialog& dialog, int editId, const char* text)
{
    GetRecordingPromptService().Clear();
    dialog.SetDlgItemText(editId, text);
    bool accepted = dialog.UpdateData(TRUE) != FALSE;
    EXPECT_EQ(GetRecordingPromptService().Messages().size(), accepted ? 0u : 1u) << text;
    return accepted;
}

TEST(ScoreDialogs, NumbersOutsideTheSongsRangesAreRefused)
{
    CTimeSignatureDialog time(4, 2);
    ASSERT_TRUE(time.Create(CTimeSignatureDialog::IDD));
    EXPECT_FALSE(Accepts(time, CTimeSignatureDialog::kNumeratorId, "0"));
    EXPECT_FALSE(Accepts(time, CTimeSignatureDialog::kNumeratorId, "300"));
    EXPECT_TRUE(Accepts(time, CTimeSignatureDialog::kNumeratorId, "7"));
    EXPECT_EQ(time.m_numerator, 7);
    time.DestroyWindow();

    CMeasureDialog measures;
    ASSERT_TRUE(measures.Create(CMeasureDialog::IDD));
    EXPECT_FALSE(Accepts(measures, CMeasureDialog::kCountId, "0"));
    EXPECT_FALSE(Accepts(measures, CMeasureDialog::kCountId, "250"));
    EXPECT_TRUE(Accepts(measures, CMeasureDialog::kCountId, "3"));
    measures.DestroyWindow();

    CNoteZoomDialog zoom(1.5);
    ASSERT_TRUE(zoom.Create(CNoteZoomDialog::IDD));
    EXPECT_EQ(zoom.m_percent, 150);
    EXPECT_FALSE(Accepts(zoom, CNoteZoomDialog::kPercentId, "400"));
    EXPECT_TRUE(Accepts(zoom, CNoteZoomDialog::kPercentId, "300"));
    for (int i = 0; i < 3; ++i)
        zoom.SendMessage(WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(zoom.m_percent, 300);
    zoom.DestroyWindow();
}

// The dialog's scroll bar: a child of the scroll-bar class.
HWND ScrollBarOf(CWnd& dialog)
{
    for (HWND child = ::GetWindow(dialog.GetSafeHwnd(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char name[32] = {};
        ::GetClassName(child, name, sizeof name);
        if (strcasecmp(name, "scrollbar") == 0)
            return child;
    }
    return nullptr;
}

TEST(ScoreDialogs, TheNoteZoomBarStepsUnderRealClicks)
{
    CNoteZoomDialog zoom(1.5);
    ASSERT_TRUE(zoom.Create(CNoteZoomDialog::IDD));
    zoom.ShowWindow(SW_SHOW);
    PumpFor(200);
    HWND bar = ScrollBarOf(zoom);
    ASSERT_NE(bar, nullptr);
    CRect rect;
    ::GetClientRect(bar, &rect);
    // xdotool clicks on the bar's upper end twice and on its lower end once.
    for (auto [y, clicks] : {std::pair{2, 2}, std::pair{(int)rect.bottom - 2, 1}}) {
        POINT p{rect.right / 2, y};
        ::ClientToScreen(bar, &p);
        std::string command = "xdotool mousemove " + std::to_string(p.x) + " " + std::to_string(p.y);
        for (int i = 0; i < clicks; ++i)
            command += " click 1";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        PumpFor(300);
    }
    EXPECT_EQ(zoom.m_percent, 151);
    EXPECT_EQ(zoom.GetDlgItemInt(CNoteZoomDialog::kPercentId), 151u);
    zoom.DestroyWindow();
}

TEST(ScoreDialogs, TheKeyDialogScrollsThroughSharpsAndFlats)
{
    CKeySignatureDialog key(2);
    ASSERT_TRUE(key.Create(CKeySignatureDialog::IDD));
    EXPECT_EQ(key.m_scroll.GetScrollPos(), 5);
    for (int i = 0; i < 20; ++i)
        key.SendMessage(WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(key.m_key, 7);
    for (int i = 0; i < 20; ++i)
        key.SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(key.m_key, -7);
    key.DestroyWindow();
}

// Track 0 gets a middle C in the first measure and one at the start of the second, where the cursor is put.
int MiddleCsAroundTheFirstBarLine(CScoreView& view)
{
    CTrack* track = view.score.GetTrack(0);
    int measure = view.score.MeasureStartTick(1);
    track->InsertNote(false, 0, 96, 60, 96, 0, 0, 0, 0, 0, 0);
    track->InsertNote(false, measure, measure + 96, 60, 96, 0, 0, 0, 0, 0, 0);
    view.score.EnsureTrackCount(0);
    view.score.playTick = measure;
    return measure;
}

TEST(ScoreDialogs, AKeyChangeMovingNotesTransposesOnlyFromTheCursorMeasure)
{
    CScoreView view;
    CTrack* track = view.score.GetTrack(0);
    int measure = MiddleCsAroundTheFirstBarLine(view);
    view.ApplyKeySignature(2, 1, 0);  // D major, notes move up
    EXPECT_EQ(view.score.KeySignatureAt(measure), 2);
    EXPECT_EQ(track->notes->pitch, 60);
    EXPECT_EQ(track->notes->next->pitch, 62);
    EXPECT_EQ(view.score.modified, 1);
}

// Answers the modal key dialog once it is up: two sharps, the notes moved down, then OK or Cancel.
struct KeyDialogProbe {
    static inline UINT closeWith = IDOK;
    static void CALLBACK Choose(HWND, UINT, UINT_PTR id, DWORD)
    {
        KillTimer(nullptr, id);
        CWnd* wnd = CWnd::FromHandle(GetFocus());
        while (wnd && !dynamic_cast<CKeySignatureDialog*>(wnd))
            wnd = wnd->GetParent();
        auto* dialog = dynamic_cast<CKeySignatureDialog*>(wnd);
        if (!dialog) {
            PostQuitMessage(0);  // ends the modal loop, so the test fails instead of waiting
            return;
        }
        dialog->SendMessage(WM_VSCROLL, SB_LINEUP, 0);
        dialog->SendMessage(WM_VSCROLL, SB_LINEUP, 0);
        dialog->CheckRadioButton(CKeySignatureDialog::kUpId, CKeySignatureDialog::kDownId,
                                 CKeySignatureDialog::kDownId);
        HWND down = dialog->GetDlgItem(CKeySignatureDialog::kDownId)->m_hWnd;
        dialog->SendMessage(WM_COMMAND, MAKEWPARAM(CKeySignatureDialog::kDownId, BN_CLICKED), (LPARAM)down);
        dialog->PostMessage(WM_COMMAND, closeWith, 0);
    }
};

TEST(ScoreDialogs, TheKeyCommandMovesTheNotesAfterTheCursorAsTheDialogChose)
{
    const struct {
        UINT closeWith;
        int key, first, second;
    } cases[] = {{IDOK, 2, 60, 50}, {IDCANCEL, 0, 60, 60}};
    for (const auto& c : cases) {
        CScoreView view;
        CTrack* track = view.score.GetTrack(0);
        int measure = MiddleCsAroundTheFirstBarLine(view);
        KeyDialogProbe::closeWith = c.closeWith;
        SetTimer(nullptr, 0, 200, KeyDialogProbe::Choose);
        view.OnChangeKeySignature();
        MSG quit;
        ASSERT_FALSE(PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the dialog was not found";
        EXPECT_EQ(view.score.KeySignatureAt(measure), c.key) << c.closeWith;
        EXPECT_EQ(track->notes->pitch, c.first) << c.closeWith;
        EXPECT_EQ(track->notes->next->pitch, c.second) << c.closeWith;
        EXPECT_EQ(view.score.modified, c.closeWith == IDOK ? 1 : 0);
    }
}

}  // namespace
