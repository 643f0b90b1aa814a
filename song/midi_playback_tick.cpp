// The playback timer callback and the events due at each tick: tempo, controls, note-ons and note-offs, the end.
#include <atomic>
#include <cstdlib>

#include "media/mmsystem.h"
#include "song/midi_playback.h"
#include "song/midi_playback_cursors.h"
#include "song/score.h"

namespace {

// Time of the last position post, shared by every song.
std::atomic<DWORD> g_lastPostTime{0};

int SongTrackCount(const CScore& song) { return song.trackCount - 1 < kMaxTracks ? song.trackCount - 1 : kMaxTracks; }

bool IsSounding(const NoteEvent* list, const NoteEvent& note)
{
    for (; list != nullptr; list = list->next)
        if (list->pitch == note.pitch && list->channel == note.channel && list->start == note.start &&
            list->end == note.end)
            return true;
    return false;
}

bool PitchFollows(const NoteEvent* node)
{
    for (const NoteEvent* later = node->next; later != nullptr; later = later->next)
        if (later->pitch == node->pitch)
            return true;
    return false;
}

}  // namespace

void CScore::PlaybackTimerProc(UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR)
{
    CScore* song = reinterpret_cast<CScore*>(user);
    // Held for the whole tick: edits and stop requests wait, and a stop seen here ends the tick at once.
    ScoreLock lock(song);
    const double now = static_cast<double>(timeGetTime());
    if (song->playState != 1)
        return;

    const double elapsed = now - song->startTime;
    int ticks = static_cast<int>(elapsed / song->msPerTick);
    if (elapsed - ticks * song->msPerTick > song->msPerTick / 2)
        ++ticks;
    if (elapsed >= song->msPerTick) {
        song->playTick += ticks;
        song->startTime += ticks * song->msPerTick;
    }
    if (song->playTick == 0)
        return;

    const DWORD nowMs = static_cast<DWORD>(now);
    const DWORD last = g_lastPostTime.load();
    if (std::llabs(static_cast<long long>(nowMs) - static_cast<long long>(last)) > 100) {
        PostPlaybackPosition(*song, song->TicksToBeats(song->playTick));
        g_lastPostTime.store(nowMs);
    }
    ReviseCursors(*song, song->playTick);
    song->PlaybackTick(song->playTick);
}

void CScore::PlaybackTick(int tick)
{
    ScoreLock lock(this);
    while (tempoCursor != nullptr && !tempoChanged && tempoCursor->tick <= tick) {
        TempoChange* change = tempoCursor;
        tempoCursor = change->next;
        // A change passed by 8 ticks or more is skipped; at most one is applied per tick.
        if (std::abs(tick - change->tick) < 8) {
            tempo = change->bpm;
            msPerTick = 60000.0 / tempo / division;
            break;
        }
    }

    const int songTracks = SongTrackCount(*this);
    int finished = 0;
    for (int i = 0; i < songTracks; ++i) {
        CTrack* track = tracks[i];
        if (noteCursors[i] == nullptr)
            ++finished;

        for (NoteEvent** link = &soundingNotes[i]; *link != nullptr;) {
            NoteEvent* node = *link;
            if (node->end >= tick) {
                link = &node->next;
                continue;
            }
            if (node->start <= node->end && !PitchFollows(node))
                SendShortMessage(0x80 | node->channel, node->pitch, node->velocity);
            *link = node->next;
            delete node;
        }
        if (soundingNotes[i] == nullptr)
            ++finished;

        for (ControlEvent*& event = controlCursors[i]; event != nullptr && event->tick <= tick; event = event->next)
            SendShortMessage((event->status & 0xF0) | event->channel, event->data1, event->data2);

        for (; noteCursors[i] != nullptr && noteCursors[i]->start <= tick; noteCursors[i] = noteCursors[i]->next) {
            const NoteEvent& note = *noteCursors[i];
            if (track == nullptr || !track->audible || IsSounding(soundingNotes[i], note))
                continue;
            NoteEvent* copy = new NoteEvent;
            copy->pitch = note.pitch;
            copy->velocity = note.velocity;
            copy->channel = note.channel;
            copy->start = note.start;
            copy->end = note.end;
            NoteEvent** tail = &soundingNotes[i];
            while (*tail != nullptr)
                tail = &(*tail)->next;
            *tail = copy;
            SendProgramChangesUpTo(i, note.start);
            SendShortMessage(0x90 | note.channel, note.pitch, note.velocity);
        }
    }

    if (playMode == 2 && loopPlay) {
        const int low = loopStart < loopEnd ? loopStart : loopEnd;
        const int high = loopStart < loopEnd ? loopEnd : loopStart;
        if (tick < high - division / 48)
            return;
        playTick = low;
        timeKillEvent(timerId);
        timeEndPeriod(timerResolution);
        AllNotesOff();
        playState = 2;
        PostPlaybackPosition(*this, -1);
        return;
    }

    bool ended = false;
    if (finished == 2 * songTracks) {
        if (songEndTick == 0)
            songEndTick = MeasureStartTick(MeasureAtTick(UpdateScoreLength() - 2) + 1);
        if (tick >= songEndTick) {
            ended = true;
            if (playState == 1)
                playTick = songEndTick;
        }
    }
    if (playState == 1 && ended) {
        timeKillEvent(timerId);
        timeEndPeriod(timerResolution);
        AllNotesOff();
        playState = 2;
        playTick = 0;
        RewindPlayback(1);
        RewindPlayback(1);
        PostPlaybackPosition(*this, -1);
    }
}
