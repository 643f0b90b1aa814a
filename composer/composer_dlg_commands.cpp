// CComposerDlg: the one dispatcher of the main window's commands and notifications, with New and Open.
#include <algorithm>
#include <cstdlib>

#include "audio/midi_audio.h"
#include "composer/composer_dlg.h"
#include "composer/export_name.h"
#include "services/composer_globals.h"
#include "services/log_writer.h"
#include "ui/shellapi.h"

namespace {

// Notifications of the score view (lParam of code 100).
enum ViewReason {
    VIEW_SCROLLED = 0,
    VIEW_MOUSE_MOVED = 1,
    VIEW_TRACKS_CHANGED = 9,
    VIEW_TRACK_LIST_CHANGED = 10,
    VIEW_SAVE_AS_AUDIO = 10100,
};

// Commands that would start a second export, replace the song or close the window; while an export runs they
// would pull the song or the window from under it.
bool WaitsForExport(WPARAM id, LPARAM value)
{
    switch (id) {
    case 300:
    case 3000:
    case 3027:
    case 3028:
    case 10001: return true;
    case NOTIFY_SCORE_VIEW: return value == VIEW_SAVE_AS_AUDIO;
    default: return false;
    }
}

int Toggled(int flag) { return (flag + 1) % 2; }

// The horizontal bar's range: 200 measures of the first measure's beats.
int BeatRange(const CScore& song) { return song.measureTable[0].numerator * 200; }

void OnViewNotification(CComposerDlg& dlg, LPARAM reason)
{
    CScoreView& view = dlg.m_scoreView;
    CPositionMarkerBar& bar = dlg.m_markerBar;
    switch (reason) {
    case VIEW_SCROLLED:
        view.GetBeatXs(bar.m_nTicks, bar.m_nTickCount, bar.m_nMajorTickInterval, bar.m_nTickCapacity);
        if (bar.GetSafeHwnd())
            bar.Invalidate();
        break;
    case VIEW_MOUSE_MOVED:
        if (bar.GetSafeHwnd())
            bar.SetPlayPosition(view.GetSnappedMouseX());
        break;
    case VIEW_TRACKS_CHANGED: {
        const int range = view.verticalScrollRange;
        dlg.m_vScrollBar.SetScrollRange(0, range, FALSE);
        dlg.m_vScrollBar.SetScrollPos(std::min(std::abs(view.GetScrollPosition().y), range), TRUE);
        dlg.m_hScrollBar.SetScrollRange(0, BeatRange(view.score), FALSE);
        dlg.m_hScrollBar.SetScrollPos(view.firstVisibleBeat, TRUE);
        dlg.SendMessage(WM_SKINCOMMAND, NOTIFY_SCORE_VIEW, VIEW_SCROLLED);
        if (const int length = view.score.UpdateScoreLength())
            dlg.m_rangeBar.m_dPos = view.score.playTick * 100.0 / length;
        dlg.m_rangeBar.Invalidate(FALSE);
        dlg.ApplyFadeTime(FALSE);
        dlg.UpdateRangeTexts(FALSE);
        break;
    }
    case VIEW_TRACK_LIST_CHANGED: dlg.UpdateTrackPanel(); break;
    case VIEW_SAVE_AS_AUDIO: {
        const CString target = g_strExportTarget;
        g_strExportTarget.Empty();
        dlg.ExportRingtone(target);
        break;
    }
    default: break;
    }
}

}  // namespace

LRESULT CComposerDlg::OnUserMessage(WPARAM id, LPARAM value)
{
    CScore& song = m_scoreView.score;
    if (m_bExporting && WaitsForExport(id, value)) {
        WriteLog("Wait for the export to end - ", static_cast<int>(id));
        if (id == NOTIFY_SCORE_VIEW)
            g_strExportTarget.Empty();
        if (id == ID_CAPTION_CLOSE)
            return 0;
        UpdateStatusTexts();
        return CSkinDialog::OnSkinCommand(id, value);
    }
    switch (id) {
    case 27:
    case 28: {
        const bool in = id == 27;
        int& flag = in ? m_bFadeIn : m_bFadeOut;
        flag = Toggled(flag);
        (in ? m_btnFadeIn : m_btnFadeOut).Redraw();
        ApplyRangeBarRange();
        m_rangeBar.Invalidate(FALSE);
        WriteLog(in ? (flag ? "Fade in check" : "Fade in uncheck") : (flag ? "Fade out check" : "Fade out uncheck"));
        break;
    }
    case 29:
        ApplyFadeTime(TRUE);
        m_rangeBar.Invalidate(FALSE);
        break;
    case 36:
        ToggleFixedDuration();
        m_btnFixedDuration.Redraw();
        break;
    case 41:
        ShellExecute(GetSafeHwnd(), "open", m_strExportFolder, nullptr, nullptr, SW_SHOWNORMAL);
        WriteLog("Open export folder - ", m_strExportFolder);
        break;
    case 47:
    case 48:
    case 49:
    case 50:
    case 51:
    case 52:
        m_scoreView.SetPaletteChoice(137, static_cast<int>(id) - 47);
        m_scoreView.SetPaletteChoice(137, 10);
        break;
    case 53: m_scoreView.SetPaletteChoice(137, song.dotMode == 1 ? 10 : 11); break;
    case 54:
        m_scoreView.AddOrRemoveTrack(1);
        UpdateTrackPanel();
        break;
    case 55:
        m_scoreView.AddOrRemoveTrack(0);
        UpdateTrackPanel();
        m_trackPanel.Invalidate();
        break;
    case IDC_LOWER_PANEL_BUTTON:
        m_bLowerPanel = Toggled(m_bLowerPanel);
        m_btnLowerPanel.Redraw();
        LayoutControls();
        break;
    case 900:
        song.SetTempoAt(false, song.tempo, 0);
        m_tempoLabel.SetTempo(song.tempo);
        song.modified = 1;
        ApplyFadeTime(FALSE);
        UpdateRangeTexts(FALSE);
        break;
    case 3000: OnCloseCommand(); break;
    case 3001:
    case 3002: m_scoreView.Play(static_cast<int>(id) - 3001); break;
    case 3003: m_scoreView.Stop(); break;
    case 3004: m_scoreView.OnEditMeasures(); break;
    case 3005:
    case 3006:
        m_nMeasuresPerLine = std::clamp(m_nMeasuresPerLine + (id == 3005 ? 1 : -1), 1, 10);
        m_scoreView.SetMeasuresPerLine(m_nMeasuresPerLine);
        song.modified = 1;
        SendMessage(WM_SKINCOMMAND, NOTIFY_SCORE_VIEW, 2);
        break;
    case 3007:
    case 3008:
        m_nStaffScale = std::clamp(m_nStaffScale + (id == 3007 ? 1 : -1), 1, 50);
        m_scoreView.SetStaffScale(m_nStaffScale, 2);
        break;
    case 3009: m_scoreView.OnMidiDevices(); break;
    case 3011:
    case 3012:
    case 3013:
        m_scoreView.SetEditMode(static_cast<int>(id) - 3011);
        ShowPaletteForEditMode();
        break;
    case 3023:
    case 3024: m_scoreView.ScrollBeats(static_cast<int>(id) - 3023); break;
    case 3027: NewSong(); break;
    case 3028: OpenSong(); break;
    case 3029: m_scoreView.Save(); break;
    case 3030: m_scoreView.SaveAs(); break;
    case 3034:
        if (m_nViewMode == 0)
            m_scoreView.ShowTrackEditor();
        break;
    case 3037: ShellExecute(GetSafeHwnd(), "open", g_strHomePage, nullptr, nullptr, SW_SHOWNORMAL); break;
    case 3042: OnNoteZoom(); break;
    case 3045: OnAppearance(); break;
    case 3051: m_scoreView.OnChangeClef(); break;
    case 3052: m_scoreView.OnChangeKeySignature(); break;
    case 3053: m_scoreView.OnChangeTimeSignature(); break;
    case 3054:
    case 3055: m_scoreView.ChangeNoteSpacing(id == 3054 ? 1 : 0); break;
    case 3056: m_scoreView.ZoomToFit(); break;
    case 3057: m_scoreView.ZoomReset(); break;
    case 3059: PreparePrintout(); break;
    case 3072:
        m_bToolGroup = Toggled(m_bToolGroup);
        ApplyPanelVisibility();
        break;
    case 10000:
        if (value == 1)
            ApplyRangeBarCursor();
        else
            ApplyRangeBarRange();
        break;
    case 10001:
        g_nLastSaveAsKind = EXPORT_TYPE_M4R;
        ExportRingtone(CString());
        break;
    case 10002: ChooseExportFolder(); break;
    case NOTIFY_SCORE_VIEW: OnViewNotification(*this, value); break;
    case NOTIFY_MARKER_BAR:
        if (value == 0)
            m_scoreView.RefreshScore();
        else
            m_scoreView.SetLeftMargin(static_cast<int>(value));
        break;
    case ID_CAPTION_CLOSE:
        if (!m_scoreView.PromptSaveIfStopped())
            return 0;
        break;
    case 103: {
        const int grids[] = {2, 4, 8, 16};
        m_scoreView.SetGridValue(value >= 3038 && value <= 3041 ? grids[value - 3038] : 4);
        break;
    }
    case 137:
        if (value >= 40)
            m_scoreView.SetGridValue(static_cast<int>(value) - 40);
        m_scoreView.SetPaletteChoice(137, static_cast<int>(value));
        break;
    case 138: m_scoreView.SetPaletteChoice(138, static_cast<int>(value)); break;
    case 139:
        if (value >= 50)
            m_scoreView.SetSymbolNumber(static_cast<int>(value) - 50);
        else if (value == 40 || value == 41)
            m_scoreView.SetShowHandles(static_cast<int>(value) - 40);
        else
            m_scoreView.SetPaletteChoice(139, static_cast<int>(value));
        break;
    case 140:
    case 141:
    case 142: m_scoreView.SetPaletteChoice(static_cast<int>(id), static_cast<int>(value)); break;
    case 154:
        if (value == 1446 || value == 1447)
            m_scoreView.SetRangeMeasureValue(static_cast<int>(value) - 1446);
        else if (value == 1448)
            m_scoreView.threeStateOption = m_scoreView.threeStateOption == 0 ? -1 : 0;
        else if (value == 1449)
            m_scoreView.threeStateOption = m_scoreView.threeStateOption == 1 ? -1 : 1;
        break;
    case 192:
        m_scoreView.SetEditMode(static_cast<int>(value));
        ApplyPanelVisibility();
        break;
    case 2001:
        if (value == 0)
            m_scoreView.RefreshScore();
        else if (value < 10000)
            m_scoreView.SetStaffTop(static_cast<int>(value));
        else if (value < 20000)
            m_scoreView.SetStaffSpacing(static_cast<int>(value) - 10000);
        else if (value < 30000)
            m_scoreView.SetBottomMargin(static_cast<int>(value) - 20000);
        else
            m_scoreView.SetLineGap(static_cast<int>(value) - 30000);
        break;
    default: break;
    }
    UpdateStatusTexts();
    return CSkinDialog::OnSkinCommand(id, value);
}

void CComposerDlg::NewSong()
{
    if (!m_scoreView.PromptSaveIfStopped())
        return;
    ReadPaperSettings();
    m_scoreView.NewScore(1);
    // The range and the scroll position are the new song's, as after Open.
    ResetRangeBar();
    m_scoreView.ScrollTo(0, 0);
    m_scoreView.ScrollToBeat(0);
    CScore& song = m_scoreView.score;
    m_nMeasuresPerLine = song.measuresPerLine[0];
    m_tempoSlider.Invalidate(FALSE);
    m_tempoLabel.SetTempo(song.tempo);
    // Up one and back: the staff scale is applied to the new song.
    SendMessage(WM_SKINCOMMAND, 3007, 0);
    SendMessage(WM_SKINCOMMAND, 3008, 0);
    m_hScrollBar.SetScrollRange(0, BeatRange(song), TRUE);
    UpdateTrackPanel();
    ApplyFadeTime(FALSE);
    UpdateRangeTexts(FALSE);
    song.fileName = NextDefaultSongName(m_strExportFolder);
    g_strExportTarget.Empty();
    m_strLastOutput.Empty();
}

void CComposerDlg::OpenSong(const CString& path)
{
    OnOpenSong(path);
    ResetRangeBar();
    CScore& song = m_scoreView.score;
    m_nMeasuresPerLine = song.measuresPerLine[0];
    m_tempoSlider.Invalidate(FALSE);
    m_tempoLabel.SetTempo(song.tempo);
    LayoutControls();
    m_hScrollBar.SetScrollRange(0, BeatRange(song), TRUE);
    ApplyFadeTime(FALSE);
    UpdateRangeTexts(FALSE);
    g_strExportTarget.Empty();
    m_strLastOutput.Empty();
}
