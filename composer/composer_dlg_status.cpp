// CComposerDlg: the status row, the marked range's texts, the range bar's link to the score view and the track
// panel's rows.
#include <cstdlib>

#include "composer/composer_dlg.h"
#include "composer/export_range.h"
#include "kernel/path_map.h"
#include "services/log_writer.h"
#include "services/rounding.h"

namespace {

const COLORREF kStatusColour = RGB(255, 255, 255);
constexpr int kStatusFontSize = 13;

}  // namespace

void CComposerDlg::UpdateStatusTexts()
{
    CString path = m_scoreView.score.fileName;
    if (path.IsEmpty())
        path = m_strLastOutput;
    path = path.IsEmpty() ? CString("New filename!") : CString(DisplayPath(path.GetString()).c_str());
    if (m_labels[LBL_STATUS_LEFT].GetSafeHwnd())
        m_labels[LBL_STATUS_LEFT].SetTextFont(path, "Arial", kStatusFontSize, kStatusColour);
    CString position;
    position.Format("Pos:Track %d, Measure %d", m_scoreView.currentTrack + 1, m_scoreView.currentMeasure + 1);
    if (m_labels[LBL_STATUS_RIGHT].GetSafeHwnd())
        m_labels[LBL_STATUS_RIGHT].SetTextFont(position, "Arial", kStatusFontSize, kStatusColour);

    // The buttons whose pressed look follows a variable.
    CSkinButton* followers[] = {&m_btnEditMode[0], &m_btnEditMode[1], &m_btnEditMode[2],  &m_btnPlay,
                                &m_btnPlayPart,    &m_btnSmallPlay,   &m_btnSmallPlayPart};
    for (CSkinButton* button : followers)
        if (button->GetSafeHwnd())
            button->Redraw();
    for (CSkinButton& button : m_btnPalette)
        if (button.GetSafeHwnd())
            button.Redraw();
}

void CComposerDlg::UpdateRangeTexts(BOOL log)
{
    // Through the tempo changes, as the export plays the range.
    const double startSeconds = m_scoreView.score.SecondsAtTick(m_scoreView.score.loopStart);
    const double endSeconds = m_scoreView.score.SecondsAtTick(m_scoreView.score.loopEnd);
    m_nRangeStartSeconds = static_cast<int>(startSeconds);
    m_nRangeEndSeconds = static_cast<int>(endSeconds);
    const CString start = FormatRangeTime(m_nRangeStartSeconds);
    const CString end = FormatRangeTime(m_nRangeEndSeconds);
    m_dRangeDuration = endSeconds - startSeconds;
    const int seconds = RoundHalfAway(m_dRangeDuration);
    const CString duration = FormatRangeTime(seconds);
    CString size;
    size.Format("%d KB", EstimateRingtoneKilobytes(seconds, m_nExportSample, m_nExportBitrate, m_nExportChannel));
    const std::pair<ComposerLabel, CString> texts[] = {
        {LBL_RANGE_START, start}, {LBL_RANGE_END, end}, {LBL_DURATION, duration}, {LBL_SIZE, size}};
    for (const auto& [label, text] : texts)
        if (m_labels[label].GetSafeHwnd())
            m_labels[label].SetText(text);
    if (log)
        WriteLog("Ringtine from ", start, " to ", end, " Duration is ", duration);
}

void CComposerDlg::ApplyRangeBarCursor()
{
    const int length = m_scoreView.score.UpdateScoreLength();
    m_scoreView.SetCursorTick(static_cast<int>(length * m_rangeBar.m_dPos / 100));
}

void CComposerDlg::ApplyRangeBarRange()
{
    m_scoreView.SetRangePercent(m_rangeBar.m_dStart, m_rangeBar.m_dEnd);
    UpdateRangeTexts(TRUE);
}

void CComposerDlg::ResetRangeBar()
{
    m_rangeBar.m_dEnd = 100.0;
    m_rangeBar.m_dStart = 0.0;
    m_rangeBar.m_dPos = 0.0;
    if (m_rangeBar.GetSafeHwnd())
        m_rangeBar.Invalidate(FALSE);
    ApplyRangeBarRange();
}

void CComposerDlg::UpdateTrackPanel()
{
    int scrolled = std::abs(m_scoreView.GetScrollPosition().y);
    if (scrolled > m_scoreView.verticalOverflow)
        scrolled = m_scoreView.verticalOverflow;
    const int top = m_scoreView.staffTopPx - scrolled;
    const int rowHeight = static_cast<int>(m_scoreView.staffSpacingPx);
    int shown = 0;
    for (int i = 0; i < kMaxTracks; ++i) {
        CTrack* track = m_scoreView.score.GetTrack(i);
        if (!track)
            continue;
        if (m_trackPanel.GetSafeHwnd())
            m_trackPanel.SetRow(i, track->GetProgram(), top, rowHeight, shown, track->IsShown());
        if (track->IsShown())
            ++shown;
    }
}
