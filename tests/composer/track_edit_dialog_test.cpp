// The track edit dialog: rows from the view's arrays, cell edits applied with code 158, the priority check,
// drag reordering, the value scroll bar's bounds and its steps from real input.
#include "composer/track_edit_dialog.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "kernel/prompt_service.h"
#include "media/midi_recording.h"
#include "song/midi_device.h"
#include "notify_owner.h"
#include "tests/support/window/pointer_input.h"
#include "services/language_text.h"

namespace {

using Posts = std::vector<std::pair<WPARAM, LPARAM>>;
constexpr WPARAM kTrackCode = 158;
constexpr int kTracks = CTrackEditDialog::kTracks;

class TrackEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 0; i < kTracks; ++i) {
            names[i] = "Acoustic Grand Piano";
            show[i] = i < 3;
            priorities[i] = i < 3 ? i + 1 : 0;
            volumes[i] = 100;
            channels[i] = i;
        }
        names[1] = "Violin";
        dialog.SetTracks(&owner, kNotifyMessage, kTrackCode, names, show, priorities, volumes, channels);
        ASSERT_TRUE(dialog.Create(CTrackEditDialog::IDD));
        dialog.ShowWindow(SW_SHOW);
        PumpFor(100);
        GetRecordingPromptService().Clear();
    }
    void TearDown() override { dialog.DestroyWindow(); }

    CString Cell(int row, int column) { return dialog.m_list.GetItemText(row, column); }
    CPoint CellCentre(int row, int column)
    {
        CRect cell;
        dialog.m_list.GetSubItemRect(row, column, LVIR_BOUNDS, cell);
        return cell.CenterPoint();
    }
    void ClickCell(int row, int column)
    {
        const CPoint at = CellCentre(row, column);
        ClickAt(dialog.m_list.GetSafeHwnd(), at.x, at.y);
        PumpFor(100);
    }
    void Scroll(UINT code)
    {
        dialog.m_list.SendMessage(WM_VSCROLL, code, reinterpret_cast<LPARAM>(dialog.m_list.m_valueBar.GetSafeHwnd()));
    }

    NotifyOwner owner;
    CString names[kTracks];
    int show[kTracks], priorities[kTracks], volumes[kTracks], channels[kTracks];
    CTrackEditDialog dialog;
};

TEST_F(TrackEdit, RowsShowTheArrays)
{
    CString text;
    dialog.GetWindowText(text);
    EXPECT_EQ(text, GetLanguageText("trackedittitle"));
    const struct {
        int row;
        const char* cells[6];
    } rows[] = {
        {0, {" 1 ", "1", "Acoustic Grand Piano", "1", "100", "1"}},
        {1, {" 2 ", "1", "Violin", "2", "100", "2"}},
        {29, {" 30 ", "0", "Acoustic Grand Piano", "", "", ""}},  // no SP-MIDI data: no values
    };
    for (const auto& r : rows)
        for (int c = 0; c < 6; ++c)
            EXPECT_EQ(Cell(r.row, c), r.cells[c]) << r.row << "," << c;
}

TEST_F(TrackEdit, CloseAppliesTheCellsAndNotifies)
{
    ClickCell(3, CTrackListCtrl::kShow);  // show track 4
    EXPECT_EQ(Cell(3, CTrackListCtrl::kShow), "1");
    ClickCell(0, CTrackListCtrl::kVolume);
    ASSERT_TRUE(dialog.m_list.m_valueBar.IsWindowVisible());
    Scroll(SB_LINEDOWN);
    Scroll(SB_LINEDOWN);
    ClickCell(1, CTrackListCtrl::kChannel);
    Scroll(SB_PAGEUP);
    ClickCell(2, CTrackListCtrl::kInstrument);
    ASSERT_TRUE(dialog.m_list.m_instrumentBox.IsWindowVisible());
    dialog.m_list.m_instrumentBox.SetCurSel(40);

    dialog.SendMessage(WM_COMMAND, IDOK);
    EXPECT_EQ(owner.Take(), (Posts{{kTrackCode, 0}}));
    EXPECT_FALSE(dialog.IsWindowVisible());
    EXPECT_EQ(show[3], 1);
    EXPECT_EQ(volumes[0], 98);
    EXPECT_EQ(channels[1], 2);  // shown 1-based, kept 0-based
    EXPECT_EQ(names[2], "Violin");
    EXPECT_EQ(priorities[3], 0);  // empty cells leave the arrays alone
    EXPECT_EQ(channels[3], 3);
}

TEST_F(TrackEdit, ReadingTheRowsForAMoveKeepsTheValuesOfEmptyCells)
{
    channels[29] = 4;
    volumes[29] = 90;
    dialog.ReadRows();
    EXPECT_EQ(channels[29], 4);  // no SP-MIDI data: nothing to apply
    EXPECT_EQ(volumes[29], 90);
    EXPECT_EQ(priorities[29], 0);
    EXPECT_EQ(channels[1], 1);
}

TEST_F(TrackEdit, SharedPriorityOfShownTracksKeepsTheDialogOpen)
{
    const struct {
        int row;
        const char* show;
        const char* priority;
        bool blocked;
    } cases[] = {
        {1, "1", "3", true},    // tracks 2 and 3 both priority 3
        {1, "0", "3", false},   // a hidden track does not count
        {1, "1", "33", true},   // above 30 counts as the row's index, 1, which the first track holds
        {2, "1", "31", true},   // likewise 2, the second track's
        {0, "1", "35", false},  // index 0 is no priority
    };
    for (const auto& c : cases) {
        dialog.FillRows();
        dialog.m_list.SetItemText(c.row, CTrackListCtrl::kShow, c.show);
        dialog.m_list.SetItemText(c.row, CTrackListCtrl::kPriority, c.priority);
        dialog.ShowWindow(SW_SHOW);
        GetRecordingPromptService().Clear();
        dialog.SendMessage(WM_COMMAND, IDOK);
        const auto messages = GetRecordingPromptService().Messages();
        EXPECT_EQ(messages.size(), c.blocked ? 1u : 0u) << c.row << " " << c.priority;
        if (c.blocked && !messages.empty()) {
            EXPECT_EQ(messages[0].text, std::string(GetLanguageText("sameprioritytip")));
        }
        EXPECT_EQ(owner.Take().size(), c.blocked ? 0u : 1u) << c.row << " " << c.priority;
        for (int i = 0; i < 3; ++i)
            priorities[i] = i + 1;
        show[1] = 1;
    }
}

TEST_F(TrackEdit, DragPostsTheRowAndItsTarget)
{
    const HWND list = dialog.m_list.GetSafeHwnd();
    const CPoint from = CellCentre(4, CTrackListCtrl::kInstrument);
    const CPoint to = CellCentre(1, CTrackListCtrl::kInstrument);
    MoveTo(list, from.x, from.y);
    Press();
    for (int y = from.y; y >= to.y; y -= 4)
        MoveTo(list, from.x, y);
    MoveTo(list, to.x, to.y);
    CRect target;
    dialog.m_list.GetItemRect(1, &target, LVIR_BOUNDS);
    EXPECT_EQ(CaptureWindow(list).At(target.CenterPoint().x, target.bottom - 1), 0u) << "the drop line under row 1";
    Release();
    EXPECT_EQ(owner.Take(), (Posts{{kTrackCode, 0x0401}}));
    EXPECT_NE(CaptureWindow(list).At(target.CenterPoint().x, target.bottom - 1), 0u) << "the line is gone";
}

TEST_F(TrackEdit, ValueScrollStaysWithinItsBounds)
{
    const struct {
        int column;
        const char* start;
        UINT code;
        const char* end;
    } cases[] = {
        {CTrackListCtrl::kVolume, "127", SB_LINEUP, "127"}, {CTrackListCtrl::kVolume, "1", SB_LINEDOWN, "1"},
        {CTrackListCtrl::kChannel, "16", SB_PAGEUP, "16"},  {CTrackListCtrl::kChannel, "5", SB_PAGEDOWN, "4"},
        {CTrackListCtrl::kPriority, "40", SB_LINEUP, "40"}, {CTrackListCtrl::kPriority, "", SB_LINEUP, "1"},
    };
    for (const auto& c : cases) {
        dialog.m_list.SetItemText(0, c.column, c.start);
        ClickCell(0, c.column);
        Scroll(c.code);
        EXPECT_EQ(Cell(0, c.column), c.end) << c.column << " " << c.start;
    }
}

TEST_F(TrackEdit, TheValueBarStepsUnderRealPointerAndKeysAndStaysOverItsRow)
{
    ClickCell(0, CTrackListCtrl::kVolume);
    CScrollBar& bar = dialog.m_list.m_valueBar;
    ASSERT_TRUE(bar.IsWindowVisible());
    CRect rect;
    bar.GetClientRect(&rect);
    // xdotool at points of the bar: its upper arrow twice, its lower arrow once, the wheel down, the Up key.
    auto xdo = [&bar](int y, const std::string& steps) {
        POINT p{4, y};
        ClientToScreen(bar.GetSafeHwnd(), &p);
        const std::string command =
            "xdotool mousemove " + std::to_string(p.x) + " " + std::to_string(p.y) + " " + steps;
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        PumpFor(300);
    };
    xdo(2, "click 1 click 1");
    EXPECT_EQ(Cell(0, CTrackListCtrl::kVolume), "102");
    xdo(rect.bottom - 2, "click 1");
    xdo(rect.bottom / 2, "click 5");
    EXPECT_EQ(Cell(0, CTrackListCtrl::kVolume), "100");
    xdo(rect.bottom / 2, "key Up");
    EXPECT_EQ(Cell(0, CTrackListCtrl::kVolume), "101");

    // The list scrolled: the bar goes while its row is out of view and comes back over it.
    CRect before, after;
    bar.GetWindowRect(&before);
    dialog.m_list.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    PumpFor(100);
    ASSERT_GT(dialog.m_list.GetTopIndex(), 0);
    EXPECT_FALSE(bar.IsWindowVisible());
    for (int i = 0; i < kTracks && dialog.m_list.GetTopIndex() > 0; ++i)
        dialog.m_list.SendMessage(WM_VSCROLL, SB_LINEUP, 0);
    PumpFor(100);
    bar.GetWindowRect(&after);
    EXPECT_TRUE(bar.IsWindowVisible());
    EXPECT_EQ(after, before);
}

TEST_F(TrackEdit, EditorsOpenOnlyOnShownTracks)
{
    ClickCell(10, CTrackListCtrl::kInstrument);
    EXPECT_FALSE(dialog.m_list.m_instrumentBox.IsWindowVisible());
    ClickCell(10, CTrackListCtrl::kVolume);
    EXPECT_FALSE(dialog.m_list.m_valueBar.IsWindowVisible());
    ClickCell(0, CTrackListCtrl::kInstrument);
    EXPECT_TRUE(dialog.m_list.m_instrumentBox.IsWindowVisible());
    EXPECT_EQ(dialog.m_list.m_instrumentBox.GetCurSel(), 0);
}

TEST_F(TrackEdit, HeaderClickOfTheShowColumnFlipsEveryRow)
{
    CRect header;
    dialog.m_list.GetSubItemRect(0, CTrackListCtrl::kShow, LVIR_BOUNDS, header);
    ClickAt(dialog.m_list.GetSafeHwnd(), header.CenterPoint().x, 4);
    PumpFor(100);
    for (int row : {0, 5, 29})
        EXPECT_EQ(Cell(row, CTrackListCtrl::kShow), "0") << row;
}

TEST_F(TrackEdit, ChoosingAnInstrumentPlaysAOneSecondPreviewNote)
{
    midiOutUseRecordingDevice(true);
    ASSERT_EQ(OpenMidiOutHandle(0), static_cast<MMRESULT>(MMSYSERR_NOERROR));
    midiOutClearRecording();
    ClickCell(0, CTrackListCtrl::kInstrument);
    CComboBox& box = dialog.m_list.m_instrumentBox;
    for (int program : {40, 40}) {  // the same instrument again plays nothing more
        box.SetCurSel(program);
        dialog.m_list.SendMessage(WM_COMMAND, MAKEWPARAM(100, CBN_SELCHANGE),
                                  reinterpret_cast<LPARAM>(box.GetSafeHwnd()));
    }
    EXPECT_TRUE(PumpUntil([] { return midiOutRecordedMessages().size() >= 6; }));
    std::vector<DWORD> sent;
    for (const RecordedMidiMessage& m : midiOutRecordedMessages())
        sent.push_back(m.message);
    // Program change and note on channel 16, then the note's end with that program and with program 0.
    EXPECT_EQ(sent, (std::vector<DWORD>{0x28CF, 0x64489F, 0x28CF, 0x489F, 0x00CF, 0x489F}));
    CloseMidiDevices();
    midiOutUseRecordingDevice(false);
}

TEST(TrackEditDialog, CloseWithoutTracksOnlyHidesTheEditor)
{
    NotifyOwner owner;
    CTrackEditDialog dialog;
    ASSERT_TRUE(dialog.Create(CTrackEditDialog::IDD));
    dialog.ShowWindow(SW_SHOW);
    dialog.FillRows();
    dialog.ReadRows();
    dialog.SendMessage(WM_COMMAND, IDOK);
    EXPECT_FALSE(dialog.IsWindowVisible());
    EXPECT_EQ(owner.Take(), Posts{});
    dialog.DestroyWindow();
}

// A window manager, started for the test when none runs and ended with it; none when openbox is not installed.
class WindowManager {
public:
    WindowManager()
    {
        if (std::system("xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'") == 0 ||
            std::system("command -v openbox >/dev/null") != 0)
            return;
        char program[] = "openbox";
        char* argv[] = {program, nullptr};
        if (posix_spawnp(&m_pid, program, nullptr, nullptr, argv, environ) != 0)
            m_pid = 0;
        ready = m_pid && PumpUntil([] {
                    return std::system("xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'") == 0;
                });
    }
    ~WindowManager()
    {
        if (m_pid) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }
    bool ready = false;

private:
    pid_t m_pid = 0;
};

class TrackEditUnderAWindowManager : public TrackEdit {
protected:
    WindowManager manager;  // up before the fixture makes the dialog
};

// The window manager's caption and border come round the dialog's client area, which keeps its template size:
// the Close button at the bottom is whole, and a click on its lower edge closes the dialog.
TEST_F(TrackEditUnderAWindowManager, TheCloseButtonIsWholeAndClosesTheDialog)
{
    if (!manager.ready)
        GTEST_SKIP() << "no window manager to try with";
    PumpFor(500);
    CRect client, close;
    dialog.GetClientRect(&client);
    dialog.GetDlgItem(IDOK)->GetWindowRect(&close);
    dialog.ScreenToClient(&close);
    EXPECT_LE(close.bottom, client.bottom) << "the Close button is cut off at the bottom";
    dialog.GetDlgItem(IDOK)->GetWindowRect(&close);
    const std::string at = std::to_string(close.CenterPoint().x) + " " + std::to_string(close.bottom - 3);
    ASSERT_EQ(std::system(("xdotool mousemove --sync " + at + " click 1 >/dev/null 2>&1").c_str()), 0);
    EXPECT_TRUE(PumpUntil([&] { return !dialog.IsWindowVisible(); }));
}

}  // namespace
