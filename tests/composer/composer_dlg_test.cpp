// The composer's main window: its controls with their ids and skin elements, the layout at two sizes, the
// minimum size, the scroll bars and the keys and commands that close it or not.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "composer/composer_app.h"
#include "composer/composer_dlg.h"
#include "kernel/path_map.h"
#include "services/log_writer.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_data.h"
#include "tests/support/window/pointer_input.h"
#include "tests/support/window/ui_fixture.h"

// Rectangles and points in failure messages.
inline void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}
inline void PrintTo(const CPoint& p, std::ostream* os) { *os << "(" << p.x << "," << p.y << ")"; }
inline void PrintTo(const CSize& s, std::ostream* os) { *os << s.cx << "x" << s.cy; }

namespace {

CRect ClientRectOf(CWnd& parent, CWnd& child)
{
    CRect r;
    child.GetWindowRect(&r);
    parent.ScreenToClient(&r);
    return r;
}

CSize ElementSize(int element)
{
    CSkinElement e;
    LoadSkinElement(element, &e);
    return CSize(e.position.Width(), e.position.Height());
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        dlg = std::make_unique<CComposerDlg>();
        ASSERT_TRUE(dlg->Create(IDD_COMPOSER, nullptr));
        dlg->ShowWindow(SW_SHOW);
        PumpFor(100);
    }
    void TearDown() override
    {
        dlg->DestroyWindow();
        dlg.reset();
    }
    // Sizes the window and lays it out as the end of a grip drag does.
    void Resize(int width, int height)
    {
        CRect r;
        dlg->GetWindowRect(&r);
        dlg->MoveWindow(r.left, r.top, width, height, TRUE);
        dlg->LayoutControls();
        PumpFor(50);
    }
    CRect At(CWnd& child) { return ClientRectOf(*dlg, child); }

    std::unique_ptr<CComposerDlg> dlg;
};

TEST_F(MainWindow, StartUpCreatesEveryControlWithItsIdAndElement)
{
    CComposerDlg& d = *dlg;
    const struct {
        CWnd* control;
        int id;
        int element;  // 0: no skin element gives the size
    } controls[] = {
        {&d.m_btnHomePage, CMD_HOME_PAGE, 77},
        {&d.m_btnNew, CMD_NEW, 60},
        {&d.m_btnOpen, CMD_OPEN, 61},
        {&d.m_btnSaveAs, CMD_SAVE_AS, 62},
        {&d.m_btnEditMode[2], CMD_EDIT_MODE_FIRST + 2, 65},
        {&d.m_btnEditMode[1], CMD_EDIT_MODE_FIRST + 1, 64},
        {&d.m_btnEditMode[0], CMD_EDIT_MODE_FIRST, 63},
        {&d.m_btnPlay, CMD_PLAY, 79},
        {&d.m_btnPlayPart, CMD_PLAY_PART, 80},
        {&d.m_btnStop, CMD_STOP, 81},
        {&d.m_btnToolGroup, CMD_TOOL_GROUP, 66},
        {&d.m_btnTrackEditor, CMD_TRACK_EDITOR, 67},
        {&d.m_btnClef, CMD_CLEF, 68},
        {&d.m_btnKeySignature, CMD_KEY_SIGNATURE, 69},
        {&d.m_btnTimeSignature, CMD_TIME_SIGNATURE, 70},
        {&d.m_btnMeasures, CMD_MEASURES, 71},
        {&d.m_btnNoteZoom, CMD_NOTE_ZOOM, 72},
        {&d.m_btnAppearance, CMD_APPEARANCE, 73},
        {&d.m_btnMidiDevices, CMD_MIDI_DEVICES, 74},
        {&d.m_tempoLabel, IDC_LABEL, 75},
        {&d.m_tempoSlider, 0, 46},
        {&d.m_btnPalette[0], CMD_NOTE_VALUE_FIRST, 47},
        {&d.m_btnPalette[5], CMD_NOTE_VALUE_LAST, 52},
        {&d.m_btnPalette[6], CMD_VALUE_MODIFIER, 53},
        {&d.m_btnAddTrack, CMD_ADD_TRACK, 54},
        {&d.m_btnRemoveTrack, CMD_REMOVE_TRACK, 55},
        {&d.m_btnSmallPlay, CMD_PLAY, 23},
        {&d.m_btnSmallPlayPart, CMD_PLAY_PART, 25},
        {&d.m_btnSmallStop, CMD_STOP, 24},
        {&d.m_btnExportSettings, IDC_TOOLBAR_TOOL, 14},
        {&d.m_btnOpenExportFolder, CMD_OPEN_EXPORT_FOLDER, 41},
        {&d.m_btnFadeIn, CMD_FADE_IN, 27},
        {&d.m_btnFadeOut, CMD_FADE_OUT, 28},
        {&d.m_btnFixedDuration, CMD_FIXED_DURATION, 36},
        {&d.m_btnExport, IDC_EXPORT_BUTTON, 16},
        {&d.m_btnLowerPanel, IDC_LOWER_PANEL_BUTTON, 84},
        {&d.m_fadeLabel, IDC_LABEL, 37},
        {&d.m_fadeSlider, 0, 29},
        {&d.m_labels[LBL_PANEL_TITLE], IDC_LABEL, 26},
        {&d.m_labels[LBL_EXPORT_FOLDER], IDC_LABEL, 15},
        {&d.m_labels[LBL_RANGE_START], IDC_LABEL, 21},
        {&d.m_labels[LBL_SIZE], IDC_LABEL, 35},
        {&d.m_sizeGrip, IDC_LABEL, 85},
        {&d.m_btnZoomIn, CMD_ZOOM_IN, 0},
        {&d.m_btnZoomOut, CMD_ZOOM_OUT, 0},
        {&d.m_scoreView, IDC_SCORE_VIEW, 0},
        {&d.m_hScrollBar, IDC_HSCROLL_BAR, 0},
        {&d.m_vScrollBar, IDC_VSCROLL_BAR, 0},
    };
    for (const auto& c : controls) {
        ASSERT_TRUE(c.control->GetSafeHwnd()) << c.id << " " << c.element;
        if (c.id) {
            EXPECT_EQ(c.control->GetDlgCtrlID(), c.id) << c.element;
        }
        if (c.element) {
            EXPECT_EQ(At(*c.control).Size(), ElementSize(c.element)) << c.id << " " << c.element;
        }
    }
    EXPECT_EQ(At(d.m_btnZoomIn).Size(), CSize(20, 20));
    // Export keeps its window id; the lower-panel toggle has one of its own.
    EXPECT_EQ(d.GetDlgItem(IDC_EXPORT_BUTTON), &d.m_btnExport);
    EXPECT_EQ(d.GetDlgItem(IDC_LOWER_PANEL_BUTTON), &d.m_btnLowerPanel);
    // A new song, the lower panel and the tool group hidden, separator 2 never shown.
    EXPECT_FALSE(d.m_fadeSlider.IsWindowVisible());
    EXPECT_FALSE(d.m_tempoSlider.IsWindowVisible());
    EXPECT_TRUE(d.m_btnExport.IsWindowVisible());
    EXPECT_TRUE(d.m_separators[0].IsWindowVisible());
    EXPECT_FALSE(d.m_separators[2].IsWindowVisible());
}

TEST_F(MainWindow, StartsAtFourFifthsOfTheScreenCentred)
{
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    CRect r;
    dlg->GetWindowRect(&r);
    const int w = sw * 4 / 5, h = sh * 4 / 5;
    EXPECT_EQ(r, CRect(sw / 2 - w / 2, sh / 2 - h / 2, sw / 2 + w / 2, sh / 2 + h / 2));
}

TEST_F(MainWindow, LayoutFollowsTheWindowSize)
{
    // Skin 1: caption 22, toolbar 30, Export 96 x 28, range bar 34 high, palette buttons 24 x 24.
    for (const CSize size : {CSize(1000, 700), CSize(1200, 900)}) {
        const int W = size.cx, H = size.cy;
        Resize(W, H);
        SCOPED_TRACE(W);
        const CRect view(170, 86, 170 + W - 250, H - 142);
        // The view's static edge: the layer reports its rectangle from inside the one-pixel edge.
        const CRect shown = At(dlg->m_scoreView);
        EXPECT_EQ(shown.Size(), view.Size());
        EXPECT_LE(abs(shown.left - view.left) + abs(shown.top - view.top), 2);
        EXPECT_EQ(At(dlg->m_btnExport), CRect(W - 106, H - 68, W - 10, H - 40));
        EXPECT_EQ(At(dlg->m_btnLowerPanel).TopLeft(), CPoint(W / 2 - 12, H - 68));
        EXPECT_EQ(At(dlg->m_rangeBar), CRect(10, H - 112, W - 44, H - 78));
        EXPECT_EQ(At(dlg->m_labels[LBL_STATUS_LEFT]), CRect(10, H - 30, W - 230, H - 10));
        EXPECT_EQ(At(dlg->m_labels[LBL_STATUS_RIGHT]), CRect(W - 220, H - 30, W - 20, H - 10));
        EXPECT_EQ(At(dlg->m_sizeGrip), CRect(W - 16, H - 16, W, H));
        EXPECT_EQ(At(dlg->m_trackPanel), CRect(20, 86, 170, view.bottom));
        EXPECT_EQ(At(dlg->m_markerBar), CRect(170, 72, view.right, 86));
        EXPECT_EQ(At(dlg->m_hScrollBar), CRect(170, view.bottom, view.right - 40, view.bottom + 20));
        EXPECT_EQ(At(dlg->m_btnZoomIn).TopLeft(), CPoint(view.right - 40, view.bottom));
        EXPECT_EQ(At(dlg->m_btnRemoveTrack).TopLeft(), CPoint(view.right, view.bottom - 24));
        EXPECT_EQ(At(dlg->m_btnAddTrack).TopLeft(), CPoint(view.right, view.bottom - 48));
        EXPECT_EQ(At(dlg->m_vScrollBar), CRect(view.right, 86, view.right + 20, view.bottom - 48));
        EXPECT_EQ(At(dlg->m_btnPalette[0]).TopLeft(), CPoint(view.right + 30, 86));
        EXPECT_EQ(At(dlg->m_btnPalette[6]).TopLeft(), CPoint(view.right + 30, 86 + 6 * 34));
        // The lower panel's rows are placed even while hidden.
        EXPECT_EQ(At(dlg->m_btnFixedDuration).TopLeft(), CPoint(W / 2 - 290 + 120 + 10 + 120 + 10 + 90 + 20, H - 187));
    }
    // The toolbar does not depend on the size: 18 buttons of 30, seven gaps, the slider and the tempo label.
    EXPECT_EQ(At(dlg->m_btnNew).TopLeft(), CPoint(10, 32));
    EXPECT_EQ(At(dlg->m_btnEditMode[2]).left, 10 + 3 * 30 + 10);
    EXPECT_EQ(At(dlg->m_separators[0]), CRect(103, 32, 105, 62));
    EXPECT_EQ(At(dlg->m_tempoSlider).TopLeft(), CPoint(10 + 18 * 30 + 70, 32 + 7));
    EXPECT_EQ(At(dlg->m_tempoLabel).right, 830);
}

TEST_F(MainWindow, LowerPanelToggleShowsThePanelAndLiftsTheRangeBar)
{
    Resize(1000, 700);
    dlg->m_bLowerPanel = 1;
    dlg->LayoutControls();
    EXPECT_TRUE(dlg->m_fadeSlider.IsWindowVisible());
    EXPECT_TRUE(dlg->m_btnSmallPlay.IsWindowVisible());
    // The range bar now stands on the fixed-duration toggle's top.
    EXPECT_EQ(At(dlg->m_rangeBar).bottom, At(dlg->m_btnFixedDuration).top - 10);
    EXPECT_EQ(dlg->m_nMinHeight, 527);
}

TEST_F(MainWindow, SizingBelowTheMinimumSnapsBack)
{
    EXPECT_EQ(dlg->m_nMinWidth, 830);
    EXPECT_EQ(dlg->m_nMinHeight, 527);
    CRect r;
    dlg->GetWindowRect(&r);
    dlg->MoveWindow(r.left, r.top, 400, 300, TRUE);
    PumpFor(50);
    dlg->GetWindowRect(&r);
    EXPECT_EQ(r.Size(), CSize(830, 527));
    // A size above the minimum is kept.
    dlg->MoveWindow(r.left, r.top, 900, 600, TRUE);
    PumpFor(50);
    dlg->GetWindowRect(&r);
    EXPECT_EQ(r.Size(), CSize(900, 600));
}

TEST_F(MainWindow, DraggingTheGripBelowTheMinimumSnapsBackToIt)
{
    CRect r;
    dlg->GetWindowRect(&r);
    const HWND h = dlg->m_hWnd;
    // Pressed 6 pixels inside the corner: the sizing keeps that offset to the pointer, which is put on the
    // corner of the snapped window.
    MoveTo(h, r.Width() - 6, r.Height() - 6);
    Press();
    MoveTo(h, r.Width() - 400, r.Height() - 400);
    Release();
    ASSERT_TRUE(PumpUntil([&] {
        dlg->GetWindowRect(&r);
        return r.Width() < 900;
    })) << r.Width()
        << "x" << r.Height();
    EXPECT_EQ(r.Size(), CSize(830 + 6, 527 + 6));
    // The release is laid out by the drag timer: the status row sits on the new bottom.
    EXPECT_TRUE(PumpUntil([&] { return At(dlg->m_labels[LBL_STATUS_LEFT]).top == r.Height() - 30; }));
}

TEST_F(MainWindow, ResizesByTheCaptionButtonsAreLaidOutAtOnce)
{
    CRect normal, area, r;
    dlg->GetWindowRect(&normal);
    SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
    // Maximised over the work area without the grip, then back at the size it had, with it.
    const struct {
        WPARAM command;
        CRect rect;
        bool grip;
    } steps[] = {{CSkinDialog::ID_CAPTION_MAXIMIZE, area, false}, {CSkinDialog::ID_CAPTION_RESTORE, normal, true}};
    for (const auto& step : steps) {
        dlg->SendMessage(WM_SKINCOMMAND, step.command, 0);
        PumpFor(50);
        dlg->GetWindowRect(&r);
        EXPECT_EQ(r, step.rect) << step.command;
        EXPECT_EQ(At(dlg->m_btnExport).bottom, step.rect.Height() - 40) << step.command;
        EXPECT_EQ(dlg->m_sizeGrip.IsWindowVisible(), step.grip) << step.command;
        EXPECT_EQ(dlg->m_bSizedByCaption, 0);
    }
    // A size change by other means is left to the end of the grip drag.
    dlg->SetWindowPos(nullptr, 0, 0, 950, 650, SWP_NOMOVE | SWP_NOZORDER);
    PumpFor(50);
    EXPECT_EQ(At(dlg->m_btnExport).bottom, normal.Height() - 40);
}

// While maximised, a press where the grip stood drags neither the size nor the place of the window.
TEST_F(MainWindow, AMaximisedWindowStaysPutUnderADrag)
{
    dlg->SendMessage(WM_USER + 100, CSkinDialog::ID_CAPTION_MAXIMIZE, 0);
    PumpFor(50);
    CRect full, r;
    dlg->GetWindowRect(&full);
    MoveTo(dlg->m_hWnd, full.Width() - 6, full.Height() - 6);
    Press();
    MoveTo(dlg->m_hWnd, full.Width() - 300, full.Height() - 200);
    Release();
    PumpFor(300);
    dlg->GetWindowRect(&r);
    EXPECT_EQ(r, full);
}

TEST_F(MainWindow, ScrollBarsMoveAndClampTheirPositions)
{
    CScrollBar& v = dlg->m_vScrollBar;
    v.SetScrollRange(0, 100);
    v.SetScrollPos(95);
    const struct {
        UINT code;
        UINT pos;
        int expected;
    } vertical[] = {{SB_PAGEDOWN, 0, 100},   {SB_LINEDOWN, 0, 100},      {SB_LINEUP, 0, 99},
                    {SB_THUMBTRACK, 40, 40}, {SB_THUMBPOSITION, 70, 40}, {SB_PAGEUP, 0, 30}};
    for (const auto& c : vertical) {
        dlg->SendMessage(WM_VSCROLL, MAKEWPARAM(c.code, c.pos), (LPARAM)v.m_hWnd);
        EXPECT_EQ(v.GetScrollPos(), c.expected) << c.code;
    }
    CScrollBar& h = dlg->m_hScrollBar;
    h.SetScrollRange(0, 800);
    h.SetScrollPos(0);
    dlg->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_PAGERIGHT, 0), (LPARAM)h.m_hWnd);
    EXPECT_EQ(h.GetScrollPos(), 10);
    dlg->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_LINELEFT, 0), (LPARAM)h.m_hWnd);
    EXPECT_EQ(h.GetScrollPos(), 9);
}

TEST_F(MainWindow, KeysAreConsumedAndNeverClose)
{
    for (WPARAM key : {(WPARAM)VK_RETURN, (WPARAM)VK_ESCAPE, (WPARAM)VK_TAB, (WPARAM)VK_BACK}) {
        MSG msg{};
        msg.hwnd = dlg->m_hWnd;
        msg.message = WM_KEYDOWN;
        msg.wParam = key;
        EXPECT_TRUE(dlg->PreTranslateMessage(&msg)) << key;
        msg.message = WM_KEYUP;
        EXPECT_TRUE(dlg->PreTranslateMessage(&msg)) << key;
    }
    MSG other{};
    other.hwnd = dlg->m_hWnd;
    other.message = WM_MOUSEMOVE;
    EXPECT_FALSE(dlg->PreTranslateMessage(&other));
    EXPECT_TRUE(::IsWindow(dlg->m_hWnd));
}

TEST_F(MainWindow, TheInsertionCrossStaysAwayWhileAModalDialogHoldsTheWindow)
{
    CScoreView& view = dlg->m_scoreView;
    view.editMode = 2;
    CRect r;
    view.GetClientRect(&r);
    const LPARAM middle = MAKELPARAM(r.Width() / 2, r.Height() / 2);
    view.SendMessage(WM_MOUSEMOVE, 0, middle);
    EXPECT_NE(view.crossPoint, CPoint(-1, -1));
    // As a modal dialog does: its owner is disabled while it runs.
    dlg->EnableWindow(FALSE);
    view.SendMessage(WM_MOUSEMOVE, 0, middle);
    EXPECT_EQ(view.crossPoint, CPoint(-1, -1));
    dlg->EnableWindow(TRUE);
}

TEST_F(MainWindow, StatusTextsStandOutFromTheirField)
{
    // Relative luminance contrast of white text on the field (at least 7:1 reads easily).
    auto channel = [](uint32_t v) {
        const double c = v / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    PumpFor(100);
    const Capture shot = CaptureWindow(dlg->m_labels[LBL_STATUS_RIGHT].m_hWnd);
    const uint32_t field = shot.At(shot.width - 4, 3) & 0xFFFFFF;
    const double luminance =
        0.2126 * channel(field >> 16) + 0.7152 * channel((field >> 8) & 0xFF) + 0.0722 * channel(field & 0xFF);
    EXPECT_GE(1.05 / (luminance + 0.05), 7.0) << std::hex << field;
}

TEST_F(MainWindow, TheCaptionKeepsABlankBetweenItsWords)
{
    // The columns of the caption strip where the title's white ink lies, and the widest gap inside the title.
    const CString saved = g_strProductTitle;
    g_strProductTitle = kProductTitle;
    dlg->Invalidate();
    PumpFor(100);
    const Capture shot = CaptureWindow(dlg->m_hWnd);
    std::vector<bool> ink(shot.width, false);
    for (int y = 0; y < g_nCaptionHeight; ++y)
        for (int x = 0; x < shot.width / 2 + 100; ++x)
            if ((shot.At(x, y) & 0xFFFFFF) == 0xFFFFFF)
                ink[x] = true;
    int first = -1, last = -1, widest = 0, run = 0;
    for (int x = shot.width / 2 - 100; x < shot.width / 2 + 100; ++x) {
        if (!ink[x]) {
            ++run;
            continue;
        }
        if (first >= 0)
            widest = std::max(widest, run);
        else
            first = x;
        last = x;
        run = 0;
    }
    g_strProductTitle = saved;
    ASSERT_GT(last - first, 40) << "no title found";
    EXPECT_GE(widest, 4) << "the words of \"Tonwick Composer\" run together";
}

CComposerDlg* g_running = nullptr;

void PostKeysThenClose(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    const HWND h = g_running->m_hWnd;
    PostMessage(h, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessage(h, WM_KEYDOWN, VK_RETURN, 0);
    PostMessage(h, WM_COMMAND, IDC_CLOSE_COMMAND, 0);
}

TEST(MainWindowRun, EscapeAndEnterLeaveItOpenTheCloseCommandEndsIt)
{
    auto dlg = std::make_unique<CComposerDlg>();
    g_running = dlg.get();
    SetTimer(nullptr, 0, 500, PostKeysThenClose);
    EXPECT_EQ(dlg->DoModal(), IDOK);
    g_running = nullptr;
}

bool g_openAfterRefusedClose = false;

void EndTheExportAndClose(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    if (!g_running)
        return;
    g_openAfterRefusedClose = true;
    g_running->m_bExporting = 0;
    PostMessage(g_running->m_hWnd, WM_COMMAND, IDC_CLOSE_COMMAND, 0);
}

void CloseDuringAnExport(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    g_running->m_bExporting = 1;
    PostMessage(g_running->m_hWnd, WM_COMMAND, IDC_CLOSE_COMMAND, 0);
    // Runs only while the modal loop still does.
    SetTimer(nullptr, 0, 1500, EndTheExportAndClose);
}

TEST(MainWindowRun, TheCloseCommandWaitsForTheEndOfAnExport)
{
    auto dlg = std::make_unique<CComposerDlg>();
    g_running = dlg.get();
    g_openAfterRefusedClose = false;
    SetTimer(nullptr, 0, 500, CloseDuringAnExport);
    EXPECT_EQ(dlg->DoModal(), IDOK);
    EXPECT_TRUE(g_openAfterRefusedClose);
    g_running = nullptr;
}

}  // namespace

// The paths the user reads are Linux paths: the opened song's in the status field, the export folder's label,
// and the log's line about the folder; a name's own backslash reads as it is.
TEST_F(MainWindow, PathsAreShownWithSlashes)
{
    TempFolder t;
    const std::string song = t.Linux("my songs/a\\b.mid");
    std::filesystem::create_directories(t.Linux("my songs"));
    std::filesystem::copy_file(TestDataPath("midi/bach_format0.mid"), song);
    dlg->OpenSong(ToWindowsPath(song).c_str());
    PumpFor(100);
    EXPECT_STREQ(dlg->m_labels[LBL_STATUS_LEFT].GetText(), song.c_str());

    dlg->m_strExportFolder = ToWindowsPath(t.Linux("tones/")).c_str();
    dlg->ShowExportFolder();
    // A long folder gives up its middle; what is left reads as a Linux path.
    const std::string label(dlg->m_labels[LBL_EXPORT_FOLDER].GetText());
    EXPECT_EQ(label.find('\\'), std::string::npos) << label;
    EXPECT_EQ(label.front(), '/') << label;
    EXPECT_EQ(label.substr(label.size() - 7), "/tones/") << label;

    WriteLog("Open export folder - ", dlg->m_strExportFolder);
    std::ifstream log(std::string(std::getenv("XDG_DOCUMENTS_DIR")) + "/quaverly/" + GetLogFileName());
    const std::string text((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("Open export folder - " + t.Linux("tones/") + "\r\n"), std::string::npos);
}
