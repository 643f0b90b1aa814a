// CScore: the song document: 30 tracks, the score-level lists, the 200-measure table,
// the file readers and writers and the playback state.
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

#include "kernel/cstring.h"
#include "kernel/object.h"
#include "kernel/windef.h"
#include "song/element_records.h"
#include "song/track.h"

class CWnd;

constexpr int kMaxTracks = 30;
constexpr int kMeasureCount = 200;
constexpr int kLineCount = 1000;
constexpr int kOutputBufferSize = 500000;
// The latest tick a file can place an event at: any delta between two such ticks fits the
// four bytes of a Standard MIDI File's variable-length quantity.
constexpr int kMaxFileTick = (1 << 28) - 1;
// Tempo of a Standard MIDI File that sets none.
constexpr int kMidiDefaultTempo = 120;

// Note-on or note-off of the MIDI writer's temporary list.
struct MidiNoteEvent {
    int32_t tick;
    uint8_t status;
    uint8_t pitch;
    uint8_t velocity;
};

class CScore : public CObject {
public:
    CScore();
    ~CScore() override;
    CScore(const CScore&) = delete;
    CScore& operator=(const CScore&) = delete;

    // One lock guards every list: edits take it, and so does the playback tick while it reads.
    void Lock() { m_lock.lock(); }
    void Unlock() { m_lock.unlock(); }

    // Construction and reset.
    void Reset();
    void NewSong(int tracks, uint8_t numerator, uint8_t denominatorPower);
    void ClearContents();
    void SetNotifyTarget(CWnd* window, UINT message, UINT wParam);

    // Measure arithmetic.
    int MeasureLength(int measure) const;
    int MeasureStartTick(int n) const;
    int MeasureAtTick(int tick) const;
    int TickAtMeasurePosition(int n, int pos48) const;
    int StepTicks(bool tripletReduction) const;

    // Signatures, tempo, clefs.
    KeySignatureChange* SetKeySignatureFrom(int tick, int8_t count, uint8_t mode);
    int KeySignatureAt(int tick) const;
    TimeSignatureChange* SetTimeSignatureFrom(int tick, uint8_t numerator, uint8_t denominatorPower);
    void TimeSignatureAt(int tick, uint8_t& numerator, uint8_t& denominatorPower) const;
    TempoChange* SetTempoAt(bool keepLater, int bpm, int tick);
    int TempoAt(int tick) const;
    // The tempo a MIDI file of the song plays at a tick: the song's own tempo while it has no tempo changes,
    // the file default before the first change.
    int TempoOfFileAt(int tick) const;
    // Seconds from the song's start to a tick, through the tempo changes as a MIDI file of the song plays them.
    double SecondsAtTick(int tick) const;
    ClefChange* SetClefFrom(bool dropLater, int track, int tick, int clef);
    void RebuildTimeTable();
    void RebuildKeyTable();
    void RebuildClefTable();
    void RebuildMeasureTable(bool respell);

    // Score-level elements.
    MeasureMark* InsertMeasureMark(int value, int measure);
    int HasMeasureMark(int measure, int value) const;
    SysExEvent* InsertSysEx(int tick, uint8_t length, const uint8_t* data);
    TextAnnotation* InsertTextAnnotation(const TextAnnotation& annotation);
    int DeleteTextAnnotation(TextAnnotation* node);
    int DeleteTempoNear(const TempoChange& pattern);
    int DeleteTimeSignatureNear(const TimeSignatureChange& pattern);
    int DeleteKeySignatureNear(const KeySignatureChange& pattern);
    int DeleteMeasureMark(const MeasureMark& pattern);

    // List heads; i is a slot 0..29 (null outside).
    CTrack* GetTrack(int i) const;
    NoteEvent* GetTrackNotes(int i) const;
    ControlEvent* GetTrackControls(int i) const;
    TrackDataEvent* GetTrackDataEvents(int i) const;
    TrackTextEvent* GetTrackTextEvents(int i) const;
    SpanRecord* GetTrackSpans(int i) const;
    PlacedSymbol* GetTrackPlacedSymbols(int i) const;
    CurveMark* GetTrackCurveMarks(int i) const;
    TrackRecord40* GetTrackRecords40(int i) const;
    ClefChange* GetTrackClefs(int i) const;
    TextAnnotation* GetTextAnnotations() const { return annotations; }

    // Track order and visibility.
    int LastShownTrackCount() const;
    int CountShownTracks() const;
    void EnsureTrackCount(int n);
    void MoveTrack(int target, int source);
    void UpdateInstrumentNames(bool setNames);

    // Whole-song edits.
    void InsertDeleteMeasures(bool insert, int measure, int count);
    void DeleteMeasureRange(int measure, int count);
    void ScaleTimes(double factor);
    int ScaleTick(int tick, double factor) const;
    int ScaleStepOfPitch(int track, int pitch, int measure);

    // SP-MIDI.
    void ApplySpMidiPriorities();
    void SetChannelPriority(int channel, int priority);

    // Song length (score_length.cpp).
    int FirstProgramOfTrack(int track) const;
    int TicksToBeats(int tick) const;
    int UpdateScoreLength();
    void ExtendToMeasureOf(int tick);

    // Playback engine (midi_playback*.cpp).
    void StartPlaybackThread();
    void StartPlayback();
    void StopPlayback();
    static void CALLBACK PlaybackTimerProc(UINT timerId, UINT message, DWORD_PTR user, DWORD_PTR reserved1,
                                           DWORD_PTR reserved2);
    void PlaybackTick(int tick);
    void RewindPlayback(int mode);
    void SendShortMessage(uint8_t status, uint8_t data1, uint8_t data2);
    void AllNotesOff();
    void SendChannelReset(BOOL resetControllers);
    int SendProgramChangesUpTo(int track, int tick);

    // Standard MIDI File reader.
    int LoadMidiFile(CString path);
    int ReadWholeFile(CString path);
    int ReadMidiHeader();
    void ParseMidiTrack(int chunkIndex, int length);
    int ReadFileBytes(uint8_t* dest, int n);
    static void SwapBytes(uint8_t* buffer, int n);
    uint8_t ReadByte();
    uint32_t ReadVarLen();
    int NextIsDataByte() const;
    void ReadText(char* dest, int n);

    // Standard MIDI File writer, Save and Save As.
    int SaveMidiFile(const char* path);
    int Save();
    int SaveAs();
    void MarkSaved(int kind);

    // Native score file.
    int SaveScoreFile(const char* path);
    int LoadScoreFile(const char* path);
    int CountElements(int kind, int track) const;

    // Song fields.
    LOGFONTA* lyricFont = nullptr;
    int32_t* lyricValue = nullptr;
    CWnd* notifyWindow = nullptr;
    UINT notifyMessage = 0;
    UINT notifyWParam = 0;
    int32_t spMidiFlag = 0;
    uint16_t format = 1;
    int16_t trackCount = 2;  // song tracks + 1
    int16_t division = 96;
    TempoChange* tempoList = nullptr;
    TimeSignatureChange* timeList = nullptr;
    KeySignatureChange* keyList = nullptr;
    SysExEvent* sysExList = nullptr;
    MeasureMark* measureMarks = nullptr;
    TextAnnotation* annotations = nullptr;
    double lineGaps[kLineCount];  // extra gap per line, 4.0 each
    double timeScale = 1.0;
    CTrack* tracks[kMaxTracks] = {};
    CString copyright;
    CString sequenceName1;
    CString sequenceName2;
    CString text1;
    CString text2;
    CString furtherTexts;
    int32_t measuresPerLine[kLineCount];  // 2 each
    CString fileName;
    int32_t lastUsedTick = 0;
    int32_t playTick = 0;  // current tick: cursor and playback position
    int32_t currentTrack = 0;
    int32_t playState = 2;  // 1 playing, 2 stopped
    int32_t loopPlay = 0;
    int32_t dotMode = 0;  // 0 plain, 1 dotted, 2 double-dotted
    int32_t tripletFlag = 0;
    MeasureInfo measureTable[kMeasureCount];
    uint8_t measureClefTable[kMaxTracks][kMeasureCount];
    int32_t measureValues[kMaxTracks][kMeasureCount];
    uint8_t tempoChanged = 0;
    int32_t tempo = 100;
    double gridValue = 4.0;         // editing step in 64ths (4.0 = a sixteenth)
    double tripletGridValue = 8.0;  // length of an entered note in 64ths
    int32_t modified = 0;

    // Page layout stored by the native score file.
    double staffScale = 13.0;
    int32_t pageWidth = 359;
    int32_t pageHeight = 237;
    double firstStaffTop = 8.0;
    double staffSpacing = 10.0;
    double bottomMargin = 4.0;
    double leftMargin = 4.0;

    // Playback state.
    int32_t songEndTick = 0;
    double startTime = 0.0;
    uint8_t timerResolution = 1;
    int32_t playMode = 0;  // 2 = play the loop range
    int32_t loopStart = 0;
    int32_t loopEnd = 0;
    NoteEvent* soundingNotes[kMaxTracks] = {};
    uint8_t timerPeriod = 30;
    double msPerTick = 6.25;
    UINT timerId = 0;
    TempoChange* tempoCursor = nullptr;
    NoteEvent* noteCursors[kMaxTracks] = {};
    ControlEvent* controlCursors[kMaxTracks] = {};

private:
    template <typename Node>
    static void FreeList(Node*& head);
    void FreeSysExList();
    void ShiftTicksFrom(int start, int shift, int markMeasure, int markShift);
    // Marks the song stopped, ends its playback timer and silences the notes (with the lock held).
    void StopPlaybackTimer();

    // Reader state.
    std::vector<uint8_t> m_fileImage;
    size_t m_fileReadPos = 0;
    std::vector<uint8_t> m_workBuffer;
    size_t m_workReadPos = 0;
    size_t m_chunkEnd = 0;
    int m_endReached = 0;
    int32_t m_accumulatedTick = 0;

    // Writer state.
    std::vector<uint8_t> m_output;
    int32_t m_lastWrittenTick = 0;
    int32_t m_writeStart = 0;
    bool m_runningStatus = false;
    uint8_t m_lastNoteStatus = 0;
    std::vector<MidiNoteEvent> m_noteEvents;
    void WriteMidiHeader(std::vector<uint8_t>& file);
    void WriteConductorTrack();
    void WriteConductorTexts();
    void WriteTrack(int slot);
    void BuildNoteEvents(int slot);
    void WriteChunk(std::vector<uint8_t>& file);
    void WriteVarLen(uint32_t value);
    void WriteByteOut(uint8_t value);
    void WriteDelta(int tick);
    void WriteMetaText(uint8_t type, const CString& text);
    void WriteTempoEvent(const TempoChange& event);
    void WriteTimeEvent(const TimeSignatureChange& event);
    void WriteKeyEvent(const KeySignatureChange& event);
    void WriteDataEvent(uint8_t length, const uint8_t* data);
    void WriteControlEvent(const ControlEvent& event);
    void WriteNoteEvent(const MidiNoteEvent& event);

    // Reader helpers.
    void ParseMetaEvent(int track, int& names, int& texts);
    void ParseSysExEvent(int track);
    void ParseChannelEvent(uint8_t status, int track);
    // Channel of each track's last note-on in the chunk being read, -1 for none: given to the
    // track once the chunk ends, with the same result as giving it at every note-on.
    int m_noteChannels[kMaxTracks] = {};

    std::recursive_mutex m_lock;

    // Start ticks of the measures (and the end of the last), rebuilt when the measure table or the
    // division has changed since, so that finding a tick's measure walks no table.
    const int64_t* CurrentMeasureStarts() const;
    mutable std::mutex m_measureStartsLock;
    mutable int64_t m_measureStarts[kMeasureCount + 1] = {};
    mutable MeasureInfo m_measureStartsTable[kMeasureCount] = {};
    mutable int m_measureStartsDivision = -1;
    mutable bool m_measureStartsRising = true;
};

// The song of the score view, set while the view exists.
extern CScore* g_pScore;

// Keeps every track's append index for a scope: the file readers hold one while they insert.
class TrackAppendScope {
public:
    explicit TrackAppendScope(CScore& song) : m_song(song)
    {
        for (CTrack* track : m_song.tracks)
            if (track)
                track->BeginAppending();
    }
    ~TrackAppendScope()
    {
        for (CTrack* track : m_song.tracks)
            if (track)
                track->EndAppending();
    }
    TrackAppendScope(const TrackAppendScope&) = delete;
    TrackAppendScope& operator=(const TrackAppendScope&) = delete;

private:
    CScore& m_song;
};

// Holds the song's lock for a scope; a null song takes nothing.
class ScoreLock {
public:
    explicit ScoreLock(CScore* score) : m_score(score)
    {
        if (m_score)
            m_score->Lock();
    }
    ~ScoreLock()
    {
        if (m_score)
            m_score->Unlock();
    }
    ScoreLock(const ScoreLock&) = delete;
    ScoreLock& operator=(const ScoreLock&) = delete;

private:
    CScore* m_score;
};
