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

// Commands that would start a second export, replace the song or close the window; while an export runs they
// would pull the song or the window from under it.
bool WaitsForExport(WPARAM id, LPARAM value)
{
    switch (id) {
    case CSkinDialog::ID_CAPTION_CLOSE:
    case CMD_CLOSE:
    case CMD_NEW:
    case CMD_OPEN:
    case CMD_EXPORT: return true;
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
    case CMD_FADE_IN:
    case CMD_FADE_OUT: {
        const bool in = id == CMD_FADE_IN;
        int& flag = in ? m_bFadeIn : m_bFadeOut;
        flag = Toggled(flag);
        (in ? m_btnFadeIn : m_btnFadeOut).Redraw();
        ApplyRangeBarRange();
        m_rangeBar.Invalidate(FALSE);
        WriteLog(in ? (flag ? "Fade in check" : "Fade in uncheck") : (flag ? "Fade out check" : "Fade out uncheck"));
        break;
    }
    case CMD_FADE_TIME:
        ApplyFadeTime(TRUE);
        m_rangeBar.Invalidate(FALSE);
        break;
    case CMD_FIXED_DURATION:
        ToggleFixedDuration();
        m_btnFixedDuration.Redraw();
        break;
    case CMD_OPEN_EXPORT_FOLDER:
        ShellExecute(GetSafeHwnd(), "open", m_strExportFolder, nullptr, nullptr, SW_SHOWNORMAL);
        WriteLog("Open export folder - ", m_strExportFolder);
        break;
    case CMD_NOTE_VALUE_FIRST:
    case CMD_NOTE_VALUE_FIRST + 1:
    case CMD_NOTE_VALUE_FIRST + 2:
    case CMD_NOTE_VALUE_FIRST + 3:
    case CMD_NOTE_VALUE_FIRST + 4:
    case CMD_NOTE_VALUE_LAST:
        m_scoreView.SetPaletteChoice(PALETTE_NOTE, static_cast<int>(id) - CMD_NOTE_VALUE_FIRST);
        m_scoreView.SetPaletteChoice(PALETTE_NOTE, PALETTE_NOTE_MODIFIER_OFF);
        break;
    case CMD_VALUE_MODIFIER:
        m_scoreView.SetPaletteChoice(PALETTE_NOTE,
                                     song.dotMode == 1 ? PALETTE_NOTE_MODIFIER_OFF : PALETTE_NOTE_MODIFIER_ON);
        break;
    case CMD_ADD_TRACK:
        m_scoreView.AddOrRemoveTrack(1);
        UpdateTrackPanel();
        break;
    case CMD_REMOVE_TRACK:
        m_scoreView.AddOrRemoveTrack(0);
        UpdateTrackPanel();
        m_trackPanel.Invalidate();
        break;
    case CMD_LOWER_PANEL:
        m_bLowerPanel = Toggled(m_bLowerPanel);
        m_btnLowerPanel.Redraw();
        LayoutControls();
        break;
    case CMD_TEMPO:
        song.SetTempoAt(false, song.tempo, 0);
        m_tempoLabel.SetTempo(song.tempo);
        song.modified = 1;
        ApplyFadeTime(FALSE);
        UpdateRangeTexts(FALSE);
        break;
    case CMD_CLOSE: OnCloseCommand(); break;
    case CMD_PLAY:
    case CMD_PLAY_PART: m_scoreView.Play(static_cast<int>(id) - CMD_PLAY); break;
    case CMD_STOP: m_scoreView.Stop(); break;
    case CMD_MEASURES: m_scoreView.OnEditMeasures(); break;
    case CMD_MORE_MEASURES_PER_LINE:
    case CMD_FEWER_MEASURES_PER_LINE:
        m_nMeasuresPerLine = std::clamp(m_nMeasuresPerLine + (id == CMD_MORE_MEASURES_PER_LINE ? 1 : -1), 1, 10);
        m_scoreView.SetMeasuresPerLine(m_nMeasuresPerLine);
        song.modified = 1;
        SendMessage(WM_SKINCOMMAND, NOTIFY_SCORE_VIEW, VIEW_LAYOUT_CHANGED);
        break;
    case CMD_STAFF_SCALE_UP:
    case CMD_STAFF_SCALE_DOWN:
        m_nStaffScale = std::clamp(m_nStaffScale + (id == CMD_STAFF_SCALE_UP ? 1 : -1), 1, 50);
        m_scoreView.SetStaffScale(m_nStaffScale, 2);
        break;
    case CMD_MIDI_DEVICES: m_scoreView.OnMidiDevices(); break;
    case CMD_EDIT_MODE_FIRST:
    case CMD_EDIT_MODE_FIRST + 1:
    case CMD_EDIT_MODE_LAST:
        m_scoreView.SetEditMode(static_cast<int>(id) - CMD_EDIT_MODE_FIRST);
        ShowPaletteForEditMode();
        break;
    case CMD_SCROLL_BEATS_FIRST:
    case CMD_SCROLL_BEATS_LAST: m_scoreView.ScrollBeats(static_cast<int>(id) - CMD_SCROLL_BEATS_FIRST); break;
    case CMD_NEW: NewSong(); break;
    case CMD_OPEN: OpenSong(); break;
    case CMD_SAVE: m_scoreView.Save(); break;
    case CMD_SAVE_AS: m_scoreView.SaveAs(); break;
    case CMD_TRACK_EDITOR:
        if (m_nViewMode == 0)
            m_scoreView.ShowTrackEditor();
        break;
    case CMD_HOME_PAGE: ShellExecute(GetSafeHwnd(), "open", g_strHomePage, nullptr, nullptr, SW_SHOWNORMAL); break;
    case CMD_NOTE_ZOOM: OnNoteZoom(); break;
    case CMD_APPEARANCE: OnAppearance(); break;
    case CMD_CLEF: m_scoreView.OnChangeClef(); break;
    case CMD_KEY_SIGNATURE: m_scoreView.OnChangeKeySignature(); break;
    case CMD_TIME_SIGNATURE: m_scoreView.OnChangeTimeSignature(); break;
    case CMD_ZOOM_IN:
    case CMD_ZOOM_OUT: m_scoreView.ChangeNoteSpacing(id == CMD_ZOOM_IN ? 1 : 0); break;
    case CMD_ZOOM_TO_FIT: m_scoreView.ZoomToFit(); break;
    case CMD_ZOOM_RESET: m_scoreView.ZoomReset(); break;
    case CMD_PRINT: PreparePrintout(); break;
    case CMD_TOOL_GROUP:
        m_bToolGroup = Toggled(m_bToolGroup);
        ApplyPanelVisibility();
        break;
    case CMD_RANGE_BAR:
        if (value == RANGE_BAR_CURSOR)
            ApplyRangeBarCursor();
        else
            ApplyRangeBarRange();
        break;
    case CMD_EXPORT:
        g_nLastSaveAsKind = EXPORT_TYPE_M4R;
        ExportRingtone(CString());
        break;
    case CMD_EXPORT_SETTINGS: ChooseExportFolder(); break;
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
    case NOTIFY_GRID: {
        const int grids[] = {2, 4, 8, 16};
        m_scoreView.SetGridValue(value >= GRID_VALUE_FIRST && value <= GRID_VALUE_LAST ? grids[value - GRID_VALUE_FIRST]
                                                                                       : 4);
        break;
    }
    case PALETTE_NOTE:
        if (value >= PALETTE_NOTE_GRID)
            m_scoreView.SetGridValue(static_cast<int>(value) - PALETTE_NOTE_GRID);
        m_scoreView.SetPaletteChoice(PALETTE_NOTE, static_cast<int>(value));
        break;
    case PALETTE_TOOL: m_scoreView.SetPaletteChoice(PALETTE_TOOL, static_cast<int>(value)); break;
    case PALETTE_SYMBOL:
        if (value >= PALETTE_SYMBOL_NUMBER)
            m_scoreView.SetSymbolNumber(static_cast<int>(value) - PALETTE_SYMBOL_NUMBER);
        else if (value == PALETTE_SYMBOL_HIDE_HANDLES || value == PALETTE_SYMBOL_SHOW_HANDLES)
            m_scoreView.SetShowHandles(static_cast<int>(value) - PALETTE_SYMBOL_HIDE_HANDLES);
        else
            m_scoreView.SetPaletteChoice(PALETTE_SYMBOL, static_cast<int>(value));
        break;
    case PALETTE_SYMBOL + 1:
    case PALETTE_SYMBOL + 2:
    case PALETTE_LAST_TOOL: m_scoreView.SetPaletteChoice(static_cast<int>(id), static_cast<int>(value)); break;
    case PALETTE_RANGE:
        if (value == PALETTE_RANGE_MEASURE_FIRST || value == PALETTE_RANGE_MEASURE_LAST)
            m_scoreView.SetRangeMeasureValue(static_cast<int>(value) - PALETTE_RANGE_MEASURE_FIRST);
        else if (value == PALETTE_RANGE_TOGGLE_ZERO)
            m_scoreView.threeStateOption = m_scoreView.threeStateOption == 0 ? -1 : 0;
        else if (value == PALETTE_RANGE_TOGGLE_ONE)
            m_scoreView.threeStateOption = m_scoreView.threeStateOption == 1 ? -1 : 1;
        break;
    case NOTIFY_EDIT_MODE:
        m_scoreView.SetEditMode(static_cast<int>(value));
        ApplyPanelVisibility();
        break;
    case NOTIFY_PAGE:
        if (value == PAGE_REFRESH)
            m_scoreView.RefreshScore();
        else if (value < PAGE_STAFF_SPACING)
            m_scoreView.SetStaffTop(static_cast<int>(value));
        else if (value < PAGE_BOTTOM_MARGIN)
            m_scoreView.SetStaffSpacing(static_cast<int>(value) - PAGE_STAFF_SPACING);
        else if (value < PAGE_LINE_GAP)
            m_scoreView.SetBottomMargin(static_cast<int>(value) - PAGE_BOTTOM_MARGIN);
        else
            m_scoreView.SetLineGap(static_cast<int>(value) - PAGE_LINE_GAP);
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
    SendMessage(WM_SKINCOMMAND, CMD_STAFF_SCALE_UP, 0);
    SendMessage(WM_SKINCOMMAND, CMD_STAFF_SCALE_DOWN, 0);
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
