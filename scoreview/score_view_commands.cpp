// CScoreView: the settings, view, playback and track commands the composer calls.
#include "scoreview/score_view.h"

#include <algorithm>

#include "kernel/prompt_service.h"
#include "scoreview/midi_device_dialog.h"
#include "services/rounding.h"
#include "song/midi_device.h"

namespace {

// The strip divides by the spacing: it never reaches zero.
constexpr double kMinNoteSpacing = 0.1;
constexpr double kSpacingStep = 0.1;

// Set while a beat scroll redraws, so that a scroll asked for meanwhile is dropped.
bool g_scrollingBeats = false;

}  // namespace

void CScoreView::RedrawAndInvalidate()
{
    RedrawScore(true);
    if (m_hWnd)
        Invalidate(FALSE);
}

void CScoreView::SetPageSize(int width, int height)
{
    pageWidth = width;
    pageHeight = height;
    SetContentSize(width, height);
}

void CScoreView::SetStaffScale(double scale, int)
{
    score.staffScale = scale;
    RefreshScore();
}

void CScoreView::SetMeasuresPerLine(int n)
{
    measuresPerLine = n;
    for (int i = 0; i < kLineCount; ++i) {
        score.measuresPerLine[i] = n;
        score.lineGaps[i] = 4.0;
    }
    RefreshScore();
}

void CScoreView::SetEditMode(int mode) { editMode = mode; }

void CScoreView::SetPaletteChoice(int group, int value)
{
    if (group == 137) {
        if (value < 10) {
            paletteChoice[0] = value;
        } else if (value < 20) {
            score.dotMode = value - 10;
        } else {
            std::fill(std::begin(tupletFlags), std::end(tupletFlags), 0);
            if (value >= 21 && value <= 25)
                tupletFlags[value - 21] = 1;
        }
    } else if (group >= 138 && group <= 142) {
        paletteChoice[group - 137] = value;
    } else if (group == 155) {
        paletteChoice[6] = value - 1050;
    }
}

void CScoreView::SetSymbolNumber(int n) { symbolNumber = n; }

void CScoreView::SetShowHandles(int flag)
{
    showHandles = flag;
    RedrawAndInvalidate();
}

void CScoreView::SetGridValue(int value)
{
    score.gridValue = value;
    RefreshScore();
}

int CScoreView::TicksToSeconds(int ticks) const
{
    const int64_t perMinute = static_cast<int64_t>(score.tempo) * score.division;
    return perMinute ? static_cast<int>(static_cast<int64_t>(ticks) * 60 / perMinute) : 0;
}

void CScoreView::ZoomTo(double z)
{
    SetZoomKeepCentre(z);
    UpdateMetrics();
    RedrawAndInvalidate();
    for (LPARAM reason : {0, 1, 2, 3})
        SendReason(reason);
}

void CScoreView::ZoomToFit()
{
    FitZoom();
    UpdateMetrics();
    RedrawAndInvalidate();
    for (LPARAM reason : {0, 1, 2, 3})
        SendReason(reason);
}

void CScoreView::ZoomReset()
{
    ResetZoom();
    UpdateMetrics();
    RedrawAndInvalidate();
    for (LPARAM reason : {0, 1, 2, 3, 9})
        SendReason(reason);
}

void CScoreView::RefreshScore()
{
    UpdateMetrics();
    RedrawAndInvalidate();
    UpdatePageCount();
    for (LPARAM reason : {1, 2, 9})
        SendReason(reason);
}

void CScoreView::UpdatePageCount()
{
    int division = std::max<int>(1, score.division);
    int shown = (StripXToTick(pageBitmap.Width(), 0) - StripXToTick(0, 0)) / division;
    int songBeats = score.UpdateScoreLength() / division;
    pageCount = shown > 0 ? std::max(1, (songBeats + shown - 1) / shown) : 1;
}

void CScoreView::ScrollBeats(int delta)
{
    if (g_scrollingBeats)
        return;
    g_scrollingBeats = true;
    PostCursorX(1);
    firstVisibleBeat = std::clamp(firstVisibleBeat + delta, 0, lastBeat);
    atStart = firstVisibleBeat == 0;
    RedrawScore(true);
    if (m_hWnd) {
        Invalidate(FALSE);
        UpdateWindow();
    }
    g_scrollingBeats = false;
}

void CScoreView::SetCursorTick(int tick)
{
    score.playTick = tick;
    ScrollToBeat(score.division ? tick / score.division : 0);
}

void CScoreView::ScrollToBeat(int beat)
{
    firstVisibleBeat = std::clamp(beat, 0, lastBeat);
    atStart = firstVisibleBeat == 0;
    RedrawAndInvalidate();
    SendReason(9);
}

void CScoreView::ChangeNoteSpacing(int wider)
{
    double spacing = noteSpacing + (wider ? kSpacingStep : -kSpacingStep);
    if (spacing < kMinNoteSpacing - 1e-9)
        return;
    noteSpacing = spacing;
    RelayoutAllTracks();
    SendReason(9);
}

void CScoreView::SetRangePercent(double start, double end)
{
    score.playMode = 2;
    rangePercent[0] = start;
    rangePercent[1] = end;
    int length = score.UpdateScoreLength();
    score.loopStart = markStart = RoundHalfAway(length * start / 100);
    score.loopEnd = markEnd = RoundHalfAway(length * end / 100);
    RedrawAndInvalidate();
}

void CScoreView::ReapplyRangePercent() { SetRangePercent(rangePercent[0], rangePercent[1]); }

void CScoreView::Play(int loop)
{
    savedRow = currentRow;
    savedScroll = GetScrollPosition();
    playCursorX = -1;
    score.loopPlay = loop;
    score.StartPlaybackThread();
}

void CScoreView::Stop()
{
    score.StopPlayback();
    currentRow = savedRow;
    ScrollTo(savedScroll.x, savedScroll.y);
    UpdateMetrics();
    RedrawAndInvalidate();
    for (LPARAM reason : {0, 1, 2, 6})
        SendReason(reason);
}

void CScoreView::AddOrRemoveTrack(int add)
{
    int shown = score.CountShownTracks();
    if (add) {
        if (shown >= kMaxTracks)
            return;
        int last = -1;
        for (int i = 0; i < kMaxTracks; ++i)
            if (score.GetTrack(i)->IsShown())
                last = i;
        if (last + 1 >= kMaxTracks)
            return;
        score.GetTrack(last + 1)->SetShown(true);
    } else {
        if (shown <= 1)
            return;
        if (CTrack* track = score.GetTrack(score.currentTrack))
            track->SetShown(false);
    }
    UpdateMetrics();
    RedrawAndInvalidate();
    SendReason(9);
}

void CScoreView::ShowTrackEditor()
{
    if (score.playState == 1) {
        AfxMessageBox("Stop playing first !!!", MB_ICONQUESTION);
        return;
    }
    for (int i = 0; i <= score.trackCount - 2 && i < kMaxTracks; ++i)
        if (!score.GetTrack(i)->IsShown())
            score.GetTrack(i)->trackNumber = 0;
    FillTrackTables();
    if (trackEditDialog && trackEditDialog->Window()) {
        CWnd* window = trackEditDialog->Window();
        window->CenterWindow(CWnd::GetDesktopWindow());
        window->ShowWindow(SW_SHOW);
    }
    score.modified = 1;
}

void CScoreView::FillTrackTables()
{
    for (int i = 0; i < kMaxTracks; ++i) {
        const CTrack* track = score.GetTrack(i);
        trackNames[i] = track->GetInstrumentName();
        trackShown[i] = track->IsShown();
        trackNumber[i] = track->trackNumber;
        trackVolume[i] = track->GetVolume();
        trackChannel[i] = track->GetChannel();
    }
    if (trackEditDialog)
        trackEditDialog->FillRows();
}

void CScoreView::OnMidiDevices() { ChooseMidiDevice(this); }

BOOL CScoreView::PreTranslateMessage(MSG* msg) { return CCanvasView::PreTranslateMessage(msg); }
