// Building a SMAF score-track chunk: header, setup chunk, slot set-up events and the merged event sequence.
#include "song/smaf_track_writer.h"

#include <climits>

#include "song/big_endian.h"
#include "song/score.h"
#include "song/smaf_coding.h"

namespace {

const uint8_t kSetupChunk[29] = {'M',  't',  's',  'u',  0,    0,    0,    0x15, 0xFF, 0xF0,
                                 0x12, 0x43, 0x03, 0x00, 0x00, 0x00, 0x60, 0x01, 0x14, 0x52,
                                 0xF4, 0x3A, 0xA0, 0x14, 0x62, 0xF7, 0x00, 0xA0, 0xF7};
const int kExportMilliseconds = 5000;

int ExpressionCode(int value) { return value >= 31 ? (value - 31) / 8 + 2 : 1; }

int ModulationCode(int value)
{
    if (value < 88)
        return (value >> 3) + 1;
    if (value < 104)
        return 12;
    if (value < 120)
        return 13;
    return 14;
}

}  // namespace

CSmafTrackWriter::CSmafTrackWriter(CScore* song, int firstTrack, int channelCount)
    : song(song), firstTrack(firstTrack), channelCount(channelCount)
{
}

void CSmafTrackWriter::WriteDuration(int tick)
{
    int units = SmafTicksToUnits(*song, tick, currentTick);
    SmafEncodeLength(buffer, SmafSplitLongDuration(buffer, units));
}

void CSmafTrackWriter::WriteSlotSetup(int slot)
{
    int track = firstTrack + slot;
    CTrack* songTrack = song->GetTrack(track);
    uint8_t c = static_cast<uint8_t>(slot << 6);
    int program = song->FirstProgramOfTrack(track) & 0x7F;
    buffer.insert(buffer.end(), {0x00, 0x00, static_cast<uint8_t>(c | 0x30), static_cast<uint8_t>(program)});
    buffer.insert(buffer.end(),
                  {0x00, 0x00, static_cast<uint8_t>(c | 0x37), static_cast<uint8_t>(songTrack->GetVolume() & 0x7F)});
    buffer.insert(buffer.end(), {0x00, 0x00, static_cast<uint8_t>(c | 0x0A)});
    const NoteEvent* notes = song->GetTrackNotes(track);
    if (notes->channel == 9)
        buffer.insert(buffer.end(), {0x00, 0x00, static_cast<uint8_t>(c | 0x31), 0x80});
    int lo = 127, hi = 0;
    for (const NoteEvent* note = notes; note; note = note->next) {
        if (note->pitch < lo)
            lo = note->pitch;
        if (note->pitch > hi)
            hi = note->pitch;
    }
    int shift = 0, code = 0;
    if (lo < 37) {
        int s = (36 - lo) / 12 + 1;
        shift = 12 * s;
        code = 0x80 + s;
    }
    if (hi > 84) {
        int s = (hi - 85) / 12 + 1;
        shift = -12 * s;
        code = s;
    }
    octaveShift[slot] = shift;
    buffer.insert(buffer.end(), {0x00, 0x00, static_cast<uint8_t>(c | 0x32), static_cast<uint8_t>(code)});
}

void CSmafTrackWriter::EncodeNote(int slot, const NoteEvent& note)
{
    if (song->playMode == 2 && (note.start < song->loopStart || note.start > song->loopEnd))
        return;
    WriteDuration(note.start);
    int p = note.pitch + octaveShift[slot];
    int octave = 0, key = 1;
    if (p >= 37) {
        octave = (p - 37) / 12;
        if (octave > 3)
            octave = 3;
        key = (p - 37) % 12 + 1;
    }
    buffer.push_back(static_cast<uint8_t>((slot << 6) | (octave << 4) | key));
    SmafEncodeLength(buffer, SmafTicksToUnits(*song, note.end, note.start) % 16512);
}

void CSmafTrackWriter::EncodeControl(int slot, const ControlEvent& control)
{
    int tick = control.tick;
    if (song->playMode == 2) {
        if (tick > song->loopEnd)
            return;
        if (tick < song->loopStart)
            tick = currentTick;
    }
    WriteDuration(tick);
    uint8_t c = static_cast<uint8_t>(slot << 6);
    int type = control.status >> 4;
    if (type == 0xC) {
        buffer.insert(buffer.end(), {0x00, static_cast<uint8_t>(c | 0x30), static_cast<uint8_t>(control.data1 & 0x7F)});
    } else if (type == 0xB && control.data1 == 1) {
        buffer.insert(buffer.end(), {0x00, static_cast<uint8_t>(c | 0x20 | ModulationCode(control.data2))});
    } else if (type == 0xB && control.data1 == 7) {
        buffer.insert(buffer.end(), {0x00, static_cast<uint8_t>(c | 0x37), static_cast<uint8_t>(control.data2 & 0x7F)});
    } else if (type == 0xB && control.data1 == 11) {
        buffer.insert(buffer.end(), {0x00, static_cast<uint8_t>(c | ExpressionCode(control.data2))});
    } else {
        buffer.insert(buffer.end(), {0xFF, 0x00});
    }
}

bool CSmafTrackWriter::Build(int chunkNumber)
{
    if (song->trackCount - 1 <= 0)
        return false;
    buffer.clear();
    buffer.reserve(100000);
    buffer.insert(buffer.end(),
                  {'M', 'T', 'R', static_cast<uint8_t>(chunkNumber), 0, 0, 0, 0, 0x00, 0x00, 0x02, 0x02, 0x80, 0x80});
    buffer.insert(buffer.end(), kSetupChunk, kSetupChunk + sizeof(kSetupChunk));
    size_t sequenceStart = buffer.size();
    buffer.insert(buffer.end(), {'M', 't', 's', 'q', 0, 0, 0, 0});

    const NoteEvent* noteCursor[4] = {};
    const ControlEvent* controlCursor[4] = {};
    for (int slot = 0; slot < channelCount; ++slot) {
        int track = firstTrack + slot;
        if (!song->GetTrack(track))
            continue;
        // Only a track with notes gets the set-up events; its controls are written either way.
        controlCursor[slot] = song->GetTrackControls(track);
        if (!song->GetTrackNotes(track))
            continue;
        WriteSlotSetup(slot);
        noteCursor[slot] = song->GetTrackNotes(track);
    }

    startTick = song->playMode == 2 ? song->loopStart : 0;
    currentTick = startTick;
    // The export covers the opening five seconds of music at the opening tempo.
    int limitTick = startTick + static_cast<int>(kExportMilliseconds * song->TempoAt(0) *
                                                 static_cast<double>(song->division) / 60000.0);
    const NoteEvent* lastNote = nullptr;
    for (;;) {
        if (song->playMode == 2 && currentTick > song->loopEnd)
            break;
        int best = INT_MAX, bestSlot = -1;
        bool bestIsNote = false;
        for (int slot = 0; slot < channelCount; ++slot) {
            if (const ControlEvent* control = controlCursor[slot]) {
                int distance = control->tick - currentTick;
                if (control->tick < currentTick || distance < best) {
                    best = distance;
                    bestSlot = slot;
                    bestIsNote = false;
                }
            }
            if (const NoteEvent* note = noteCursor[slot]) {
                int distance = note->start - currentTick;
                if (distance < best) {
                    best = distance;
                    bestSlot = slot;
                    bestIsNote = true;
                }
            }
        }
        if (bestSlot < 0)
            break;
        int eventTick;
        if (bestIsNote) {
            const NoteEvent* note = noteCursor[bestSlot];
            eventTick = note->start;
            if (eventTick >= limitTick)
                break;
            EncodeNote(bestSlot, *note);
            lastNote = note;
            noteCursor[bestSlot] = note->next;
        } else {
            const ControlEvent* control = controlCursor[bestSlot];
            eventTick = control->tick;
            if (eventTick >= limitTick)
                break;
            EncodeControl(bestSlot, *control);
            controlCursor[bestSlot] = control->next;
        }
        if (eventTick > currentTick)
            currentTick = eventTick;
    }

    int tail = lastNote ? SmafTicksToUnits(*song, lastNote->end, lastNote->start) % 16512 : 0;
    SmafEncodeLength(buffer, tail);
    buffer.insert(buffer.end(), {0xFF, 0x00, 0x00, 0x00, 0x00, 0x00});
    PutBigEndian32(buffer, sequenceStart + 4, static_cast<uint32_t>(buffer.size() - sequenceStart - 8));
    PutBigEndian32(buffer, 4, static_cast<uint32_t>(buffer.size() - 8));
    return true;
}
