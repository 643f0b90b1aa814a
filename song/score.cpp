// CScore construction, reset to a new song, clearing, list accessors and track order.
#include "song/score.h"

#include <algorithm>

#include "song/instrument_names.h"
#include "song/list_ops.h"

CScore* g_pScore = nullptr;

CScore::CScore()
{
    for (double& gap : lineGaps)
        gap = 4.0;
    for (int32_t& count : measuresPerLine)
        count = 2;
    Reset();
    notifyWindow = nullptr;
    m_output.reserve(kOutputBufferSize);
    loopPlay = 0;
}

CScore::~CScore()
{
    // The timer callback reads this song: it must be ended before anything is freed.
    if (playState == 1)
        StopPlayback();
    ClearContents();
    for (int i = 0; i < kMaxTracks; ++i) {
        FreeList(soundingNotes[i]);
        delete tracks[i];
        tracks[i] = nullptr;
    }
}

template <typename Node>
void CScore::FreeList(Node*& head)
{
    while (head) {
        Node* next = head->next;
        delete head;
        head = next;
    }
}

void CScore::FreeSysExList()
{
    while (sysExList) {
        SysExEvent* next = sysExList->next;
        delete[] sysExList->data;
        delete sysExList;
        sysExList = next;
    }
}

void CScore::ClearContents()
{
    ScoreLock lock(this);
    for (CTrack* track : tracks) {
        if (track)
            track->ClearLists();
    }
    FreeList(tempoList);
    FreeList(timeList);
    FreeList(keyList);
    FreeSysExList();
    FreeList(measureMarks);
    FreeList(annotations);
    RebuildTimeTable();
    RebuildKeyTable();
    for (int i = 0; i < kMaxTracks; ++i) {
        noteCursors[i] = nullptr;
        controlCursors[i] = nullptr;
    }
    tempoCursor = nullptr;
    timeScale = 1.0;
}

void CScore::Reset()
{
    // A reset while playing would leave the timer reading cleared lists and notes sounding.
    if (playState == 1)
        StopPlayback();
    ScoreLock lock(this);
    ClearContents();
    gridValue = 4.0;
    tripletGridValue = 8.0;
    format = 1;
    trackCount = 2;
    division = 96;
    timeScale = 1.0;
    lyricFont = nullptr;
    lyricValue = nullptr;
    playTick = 0;
    dotMode = 0;
    tripletFlag = 0;
    for (int i = 0; i < kMaxTracks; ++i) {
        delete tracks[i];
        tracks[i] = new CTrack;
        tracks[i]->SetOwner(this);
        FreeList(soundingNotes[i]);
        for (int m = 0; m < kMeasureCount; ++m)
            measureValues[i][m] = 1;
        tracks[i]->priority = i + 1;
        tracks[i]->channel = i % 16;
        tracks[i]->shown = i < 4 ? 1 : 0;
    }
    for (double& gap : lineGaps)
        gap = 4.0;
    NewSong(1, 4, 2);
    timerResolution = 1;
    tempo = 100;
    timerPeriod = 30;
    playMode = 0;
    currentTrack = 0;
    playState = 2;
    RebuildMeasureTable(false);
    fileName.Empty();
    copyright.Empty();
    sequenceName1.Empty();
    sequenceName2.Empty();
    text1.Empty();
    text2.Empty();
    furtherTexts.Empty();
    lastUsedTick = 0;
    tracks[0]->SetInstrument(0);
    tracks[1]->SetInstrument(22);
    tracks[2]->SetInstrument(40);
    tracks[3]->SetInstrument(kDrumKitProgram);
    modified = 0;
}

void CScore::NewSong(int tracksInSong, uint8_t numerator, uint8_t denominatorPower)
{
    ScoreLock lock(this);
    format = 1;
    trackCount = static_cast<int16_t>(std::clamp(tracksInSong, 0, kMaxTracks) + 1);
    division = 96;
    ClearContents();
    SetTimeSignatureFrom(0, numerator, denominatorPower);
    RebuildTimeTable();
    RebuildKeyTable();
    playMode = 0;
}

void CScore::SetNotifyTarget(CWnd* window, UINT message, UINT wParam)
{
    notifyWindow = window;
    notifyMessage = message;
    notifyWParam = wParam;
}

CTrack* CScore::GetTrack(int i) const { return i >= 0 && i < kMaxTracks ? tracks[i] : nullptr; }

NoteEvent* CScore::GetTrackNotes(int i) const
{
    CTrack* track = GetTrack(i);
    return track ? track->notes : nullptr;
}

ControlEvent* CScore::GetTrackControls(int i) const
{
    CTrack* track = GetTrack(i);
    return track ? track->controls : nullptr;
}

TrackDataEvent* CScore::GetTrackDataEvents(int i) const
{
    CTrack* track = GetTrack(i);
    return track ? track->dataEvents : nullptr;
}

TrackTextEvent* CScore::GetTrackTextEvents(int i) const
{
    CTrack* track = GetTrack(i);
    return track ? track->textEvents : nullptr;
}

SpanRecord* CScore::GetTrackSpans(int i) const
{
    CTrack* track = GetTrack(i);
    return track ? track->spans : nullptr;
}

PlacedSymbol* CScore::GetTrackPlacedSymbols(int i) const
{
    CTrack* track = GetTrack(i);
    return track ? track->placedSymbols : nullptr;
}

CurveMark* CScore::GetTrackCurveMarks(int i) const
{
    CTrack* track = GetTrack(i);
    return track ? track->curveMarks : nullptr;
}

TrackRecord40* CScore::GetTrackRecords40(int i) const
{
    CTrack* track = GetTrack(i);
    return track ? track->records : nullptr;
}

ClefChange* CScore::GetTrackClefs(int i) const
{
    CTrack* track = GetTrack(i);
    return track ? track->clefs : nullptr;
}

int CScore::LastShownTrackCount() const
{
    for (int i = kMaxTracks - 1; i >= 0; --i) {
        if (tracks[i] && tracks[i]->IsShown())
            return i + 1;
    }
    return 0;
}

int CScore::CountShownTracks() const
{
    return static_cast<int>(
        std::count_if(std::begin(tracks), std::end(tracks), [](const CTrack* t) { return t && t->IsShown(); }));
}

void CScore::EnsureTrackCount(int n)
{
    n = std::clamp(n, 0, kMaxTracks - 1);
    if (trackCount < n + 2)
        trackCount = static_cast<int16_t>(n + 2);
}

void CScore::MoveTrack(int target, int source)
{
    if (source == target || source == target + 1)
        return;
    if (source < 0 || source >= kMaxTracks || target < -1 || target >= kMaxTracks)
        return;
    ScoreLock lock(this);
    CTrack* moving = tracks[source];
    if (source > target) {
        // Slots target+1 .. source-1 move down by one.
        for (int i = source; i > target + 1; --i)
            tracks[i] = tracks[i - 1];
        tracks[target + 1] = moving;
    } else {
        // Slots source+1 .. target move up by one; the track lands where the target track was.
        for (int i = source; i < target; ++i)
            tracks[i] = tracks[i + 1];
        tracks[target] = moving;
    }
}

void CScore::UpdateInstrumentNames(bool setNames)
{
    ScoreLock lock(this);
    for (int i = 0; i <= trackCount - 2 && i < kMaxTracks; ++i) {
        CTrack* track = tracks[i];
        int program = track->channel == 9 ? kDrumKitProgram : FirstProgramOfTrack(i);
        track->program = std::clamp(program, 0, kDrumKitProgram);
        if (setNames)
            track->instrumentName = InstrumentName(track->program);
    }
}
