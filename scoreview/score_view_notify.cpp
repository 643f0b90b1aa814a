// CScoreView: WM_USER+100 from the playback engine, the owner and the child dialogs.
#include "scoreview/score_view.h"

#include <algorithm>

namespace {

constexpr int kLayoutCode = 202;
constexpr WPARAM kLayoutAnswerCode = 143;
constexpr LPARAM kLayoutAnswerValue = 1043;
constexpr LPARAM kPlaybackOver = -100;

}  // namespace

LRESULT CScoreView::OnViewNotify(WPARAM code, LPARAM value)
{
    switch (code) {
    case kPlaybackNotifyCode: FollowPlayback(static_cast<int>(value)); break;
    case kLayoutCode:
        if (value == 0) {
            measuresPerLine = score.measuresPerLine[0];
            if (notifyWindow)
                notifyWindow->SendMessage(notifyMessage, kLayoutAnswerCode, kLayoutAnswerValue);
        }
        break;
    case kTrackEditNotifyCode: ApplyTrackTables(static_cast<int>(value)); break;
    case kTextEntryNotifyCode: OnTextEntryNotify(static_cast<int>(value)); break;
    default: break;
    }
    return 0;
}

void CScoreView::FollowPlayback(int beat)
{
    bool stopped = beat < 0;
    if (stopped) {
        SendReason(kPlaybackOver);
        playCursorX = -1;
        beat = score.division ? score.playTick / score.division : 0;
        score.loopPlay = 0;
    }
    PostCursorX(1);
    int division = std::max<int>(1, score.division);
    int first = StripXToTick(0, 0) / division;
    int last = StripXToTick(pageBitmap.Width(), 0) / division;
    bool redrawn = false;
    if (beat < first || beat >= last || stopped) {
        firstVisibleBeat = std::clamp(beat, 0, lastBeat);
        atStart = firstVisibleBeat == 0;
        RedrawScore(true);
        if (m_hWnd) {
            Invalidate(FALSE);
            UpdateWindow();
        }
        redrawn = true;
    }
    SendReason(9);
    if (!stopped && beat > 0)
        DrawPlayCursor(!redrawn);
}

void CScoreView::ApplyTrackTables(int move)
{
    if (move != 0 && trackEditDialog)
        trackEditDialog->ReadRows();
    for (int i = 0; i < kMaxTracks; ++i) {
        CTrack* track = score.GetTrack(i);
        track->SetInstrumentByName(trackNames[i]);
        track->SetShown(trackShown[i] != 0);
        if (move == 0)
            track->SetAudible(trackShown[i] != 0);
        track->trackNumber = trackNumber[i];
        track->SetVolume(static_cast<uint8_t>(trackVolume[i] & 0xFF));
        // Channel 9 is the drum channel: only the drum kit may take it.
        if (track->GetProgram() != 128 && trackChannel[i] == 9)
            trackChannel[i] = 0;
        track->SetChannel(trackChannel[i]);
    }
    if (move == 0) {
        score.RewindPlayback(0);
    } else {
        score.MoveTrack(move & 255, (move >> 8) & 255);
        // A track with notes that lands past the song's last track would be left out of every saved file.
        for (int i = 0; i < kMaxTracks; ++i)
            if (score.GetTrack(i)->notes)
                score.EnsureTrackCount(i);
        FillTrackTables();
    }
    score.modified = 1;
    RefreshScore();
}
