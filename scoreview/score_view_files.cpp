// CScoreView: new song, open, save and the questions asked before a song is left.
#include "scoreview/score_view.h"

#include "kernel/prompt_service.h"
#include "services/language_text.h"
#include "song/smaf_contents_info.h"
#include "song/smaf_file.h"
#include "song/song_files.h"
#include "ui/ui.h"

namespace {

constexpr const char* kOpenFailed = "Open file failed !!!";

// The wait cursor while a file is read; whatever way the open ends, the cursor before it comes back.
class WaitCursor {
public:
    WaitCursor() : m_old(::SetCursor(::LoadCursor(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { ::SetCursor(m_old); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR m_old;
};

}  // namespace

void CScoreView::NewScore(int resetView)
{
    score.Reset();
    ClearUndoHistory();
    for (int i = 0; i < kMaxTracks; ++i) {
        LayoutTrackMeasures(i);
        score.GetTrack(i)->trackNumber = i + 1;
        trackNumber[i] = i + 1;
    }
    measuresPerLine = 2;
    for (int i = 0; i < kLineCount; ++i) {
        score.measuresPerLine[i] = 2;
        score.lineGaps[i] = 4.0;
    }
    ForgetHoveredNote();
    if (!resetView)
        return;
    PrepareBackgroundForRect(CRect(0, 0, pageWidth, pageHeight));
    ResetZoom();
    UpdateMetrics();
    score.modified = 0;
    currentRow = 1;
    ResetContentsInfo(GetSharedContentsInfo());
    RefreshScore();
}

int CScoreView::PromptSaveIfStopped()
{
    if (score.playState == 1) {
        AfxMessageBox("Stop playing first !!!", MB_ICONQUESTION);
        return 0;
    }
    if (score.modified)
        return AskSaveChanges();
    return 1;
}

int CScoreView::AskSaveChanges()
{
    int answer = AfxMessageBox(GetLanguageText("IDS_SAVEMESSAGE"), MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL)
        return 0;
    if (answer == IDYES) {
        // A save that did not happen keeps the song open; the writer has said why.
        if (score.Save() == SONG_KIND_NONE)
            return 0;
    } else
        score.modified = 0;
    return 1;
}

int CScoreView::OpenScoreFile(CString path, int smafOption)
{
    score.Reset();
    ClearUndoHistory();
    ForgetHoveredNote();
    score.fileName = path;
    WaitCursor wait;
    score.NewSong(1, 4, 2);
    firstVisibleBeat = 0;
    currentRow = 1;
    score.spMidiFlag = 0;
    for (int i = 0; i < kMaxTracks; ++i) {
        score.GetTrack(i)->trackNumber = 0;
        trackNumber[i] = 0;
    }

    CString type = path.Right(3);
    bool smf = type.CompareNoCase("mid") == 0;
    bool sms = type.CompareNoCase("sms") == 0;
    bool smaf = type.CompareNoCase("mmf") == 0;
    if (smf || sms) {
        bool read = smf ? score.LoadMidiFile(path) != 0 : score.LoadScoreFile(path) != 0;
        if (!read) {
            ::MessageBox(m_hWnd, kOpenFailed, nullptr, MB_OK);
            // What is open now is an empty song without a file, not the file that failed.
            score.fileName.Empty();
            score.NewSong(1, 4, 2);
            score.playTick = 0;
            score.modified = 0;
            for (int i = 0; i < kMaxTracks; ++i)
                LayoutTrackMeasures(i);
            RedrawScore(true);
            if (m_hWnd)
                Invalidate(TRUE);
            return -1;
        }
        if (smf)
            RelayoutAllTracks();
    } else if (smaf) {
        SmafContentsInfo* info = GetSharedContentsInfo();
        ResetContentsInfo(info);
        CSmafFile file(info);
        file.SetScore(&score);
        file.SetOption(smafOption);
        if (int result = file.Load(path)) {
            score.fileName.Empty();
            return result;
        }
    } else {
        score.modified = 0;
        ZoomToFit();
        return -1;
    }

    score.RebuildMeasureTable(!sms);
    score.UpdateInstrumentNames(!sms);
    if (!score.tempoList)
        score.SetTempoAt(false, 100, 0);
    score.playTick = 0;
    score.RewindPlayback(1);

    bool priorities = score.spMidiFlag != 0;
    if (!priorities)
        for (int i = 0; i < kMaxTracks; ++i)
            score.GetTrack(i)->trackNumber = 0;
    int number = 0;
    for (int i = 0; i <= score.trackCount - 2 && i < kMaxTracks; ++i) {
        CTrack* track = score.GetTrack(i);
        bool hasNotes = track->notes != nullptr;
        track->SetShown(hasNotes);
        track->SetAudible(true);
        if (!priorities && hasNotes)
            track->trackNumber = ++number;
    }
    for (int i = 0; i < kMaxTracks; ++i)
        trackNumber[i] = score.GetTrack(i)->trackNumber;

    score.modified = 0;
    for (int i = 0; i < kMaxTracks; ++i)
        LayoutTrackMeasures(i);
    PrepareBackgroundForRect(CRect(0, 0, pageWidth, pageHeight));
    ZoomReset();
    score.loopStart = markStart = 0;
    score.loopEnd = markEnd = score.UpdateScoreLength();
    if (m_hWnd)
        Invalidate(TRUE);
    return 0;
}

int CScoreView::Save() { return score.Save(); }

int CScoreView::SaveAs()
{
    int result = score.SaveAs();
    if (result >= 5)
        SendReason(10100);
    return result;
}
