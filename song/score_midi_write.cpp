// Standard MIDI File writer: header, conductor chunk and one chunk per shown song track.
#include <algorithm>
#include <cstdlib>
#include <functional>

#include "kernel/prompt_service.h"
#include "song/file_bytes.h"
#include "song/score.h"

namespace {

// One list taking part in a chunk's merge by tick.
struct MergeSource {
    std::function<bool()> atEnd;
    std::function<int()> tick;
    std::function<void()> writeAndAdvance;
    bool endsAtLoopEnd = true;
    bool cut = false;
};

void PutBigEndian(std::vector<uint8_t>& out, uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

int CScore::SaveMidiFile(const char* path)
{
    ScoreLock lock(this);
    m_writeStart = playMode == 2 ? loopStart : 0;
    std::vector<uint8_t> file;
    WriteMidiHeader(file);
    WriteConductorTrack();
    WriteChunk(file);
    m_noteEvents.clear();
    for (int slot = 0; slot <= trackCount - 2 && slot < kMaxTracks; ++slot) {
        if (!tracks[slot]->IsShown())
            continue;
        WriteTrack(slot);
        WriteChunk(file);
    }
    m_noteEvents.clear();
    m_output.clear();
    FileWriteResult result = WriteFileReplacing(path, file);
    if (result == FILE_WRITE_OK)
        return 1;
    MessageBox(nullptr, result == FILE_WRITE_READONLY ? "This is a readonly file." : "Save file failed !!!", "Error",
               MB_OK);
    return 0;
}

void CScore::WriteMidiHeader(std::vector<uint8_t>& file)
{
    int shownTracks = 0;
    for (int slot = 0; slot <= trackCount - 2 && slot < kMaxTracks; ++slot)
        shownTracks += tracks[slot]->IsShown() ? 1 : 0;
    file.insert(file.end(), {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1});
    PutBigEndian(file, static_cast<uint32_t>(shownTracks + 1), 2);
    PutBigEndian(file, static_cast<uint16_t>(division), 2);
}

void CScore::WriteChunk(std::vector<uint8_t>& file)
{
    file.insert(file.end(), {'M', 'T', 'r', 'k'});
    PutBigEndian(file, static_cast<uint32_t>(m_output.size()), 4);
    file.insert(file.end(), m_output.begin(), m_output.end());
}

void CScore::WriteByteOut(uint8_t value) { m_output.push_back(value); }

void CScore::WriteVarLen(uint32_t value)
{
    uint8_t groups[5];
    int count = 0;
    do {
        groups[count++] = value & 0x7F;
        value >>= 7;
    } while (value);
    while (count > 1)
        WriteByteOut(static_cast<uint8_t>(groups[--count] | 0x80));
    WriteByteOut(groups[0]);
}

void CScore::WriteDelta(int tick)
{
    // Ticks are kept inside what a four-byte delta can reach, so no delta needs a fifth byte.
    tick = std::clamp(tick, 0, kMaxFileTick);
    int last = std::clamp(m_lastWrittenTick, 0, kMaxFileTick);
    WriteVarLen(static_cast<uint32_t>(std::abs(tick - last)));
    m_lastWrittenTick = tick;
}

void CScore::WriteMetaText(uint8_t type, const CString& text)
{
    WriteVarLen(0);
    WriteByteOut(0xFF);
    WriteByteOut(type);
    WriteVarLen(static_cast<uint32_t>(text.GetLength() + 1));
    m_output.insert(m_output.end(), text.GetString(), text.GetString() + text.GetLength());
    WriteByteOut(0);
    m_runningStatus = false;
}

void CScore::WriteConductorTexts()
{
    WriteMetaText(0x03, sequenceName1);
    WriteMetaText(0x03, sequenceName2);
    WriteMetaText(0x01, text1);
    WriteMetaText(0x01, text2);
    WriteMetaText(0x02, copyright);
    const char* rest = furtherTexts.GetString();
    int remaining = furtherTexts.GetLength();
    for (;;) {
        int piece = std::min(remaining, 100);
        WriteVarLen(0);
        WriteByteOut(0xFF);
        WriteByteOut(0x01);
        WriteVarLen(static_cast<uint32_t>(piece));
        m_output.insert(m_output.end(), rest, rest + piece);
        rest += piece;
        remaining -= piece;
        if (piece < 100)
            break;
    }
}

void CScore::WriteTempoEvent(const TempoChange& event)
{
    WriteDelta(event.tick);
    uint32_t microseconds = std::min<uint32_t>(60000000u / std::max<uint16_t>(event.bpm, 1), 0xFFFFFF);
    m_output.insert(m_output.end(), {0xFF, 0x51, 0x03});
    PutBigEndian(m_output, microseconds, 3);
    m_runningStatus = false;
}

void CScore::WriteTimeEvent(const TimeSignatureChange& event)
{
    WriteDelta(event.tick);
    m_output.insert(m_output.end(), {0xFF, 0x58, 0x04, event.numerator, event.denominatorPower, 0x24, 0x08});
    m_runningStatus = false;
}

void CScore::WriteKeyEvent(const KeySignatureChange& event)
{
    WriteDelta(event.tick);
    m_output.insert(m_output.end(), {0xFF, 0x59, 0x02, static_cast<uint8_t>(event.count), event.mode});
    m_runningStatus = false;
}

void CScore::WriteDataEvent(uint8_t length, const uint8_t* data)
{
    WriteByteOut(0xF0);
    WriteVarLen(length);
    m_output.insert(m_output.end(), data, data + length);
    m_runningStatus = false;
}

void CScore::WriteControlEvent(const ControlEvent& event)
{
    uint8_t type = event.status & 0xF0;
    WriteByteOut(static_cast<uint8_t>(type | (event.channel & 0x0F)));
    WriteByteOut(event.data1);
    if (type == 0xA0 || type == 0xB0 || type == 0xE0)
        WriteByteOut(event.data2);
    m_runningStatus = false;
}

void CScore::WriteNoteEvent(const MidiNoteEvent& event)
{
    if (!m_runningStatus || m_lastNoteStatus != event.status)
        WriteByteOut(event.status);
    WriteByteOut(event.pitch);
    WriteByteOut(event.velocity);
    m_runningStatus = true;
    m_lastNoteStatus = event.status;
}

// Writes the sources merged by tick: always the smallest tick next, the earlier source on equal ticks.
static void MergeByTick(std::vector<MergeSource>& sources, bool loopMode, int loopEnd,
                        const std::function<void()>& onCut)
{
    for (;;) {
        MergeSource* best = nullptr;
        for (MergeSource& source : sources) {
            if (source.cut || source.atEnd())
                continue;
            if (!best || source.tick() < best->tick())
                best = &source;
        }
        if (!best)
            return;
        if (loopMode && best->endsAtLoopEnd && best->tick() > loopEnd) {
            // Past the loop end the list ends; the delta times of what follows stay measured
            // from the last event really written.
            best->cut = true;
            onCut();
            continue;
        }
        best->writeAndAdvance();
    }
}

// The last change of a list at or before a tick, advancing the list's cursor past it; null when none is.
template <typename Change>
static const Change* TakeInForce(const Change*& cursor, int tick)
{
    const Change* inForce = nullptr;
    for (; cursor && cursor->tick <= tick; cursor = cursor->next)
        inForce = cursor;
    return inForce;
}

void CScore::WriteConductorTrack()
{
    const bool loopMode = playMode == 2;
    m_output.clear();
    m_lastWrittenTick = m_writeStart;
    m_runningStatus = false;
    WriteConductorTexts();

    const TempoChange* tempo = tempoList;
    const TimeSignatureChange* time = timeList;
    const KeySignatureChange* key = keyList;
    const SysExEvent* sysEx = sysExList;
    // The file starts with the tempo the song plays there: a song without tempo changes plays at its own
    // tempo, and a range starts with the tempo, time and key in force at its start.
    const TempoChange* tempoInForce = loopMode ? TakeInForce(tempo, m_writeStart) : nullptr;
    if (tempoInForce || !tempo || tempo->tick > m_writeStart) {
        TempoChange start;
        start.tick = m_writeStart;
        start.bpm = static_cast<uint16_t>(TempoOfFileAt(m_writeStart));
        WriteTempoEvent(start);
    }
    if (loopMode) {
        if (const TimeSignatureChange* inForce = TakeInForce(time, m_writeStart)) {
            TimeSignatureChange start = *inForce;
            start.tick = m_writeStart;
            WriteTimeEvent(start);
        }
        if (const KeySignatureChange* inForce = TakeInForce(key, m_writeStart)) {
            KeySignatureChange start = *inForce;
            start.tick = m_writeStart;
            WriteKeyEvent(start);
        }
    }
    std::vector<MergeSource> sources(4);
    sources[0] = {[&] { return !tempo; }, [&] { return tempo->tick; },
                  [&] {
                      WriteTempoEvent(*tempo);
                      tempo = tempo->next;
                  }};
    sources[1] = {[&] { return !time; }, [&] { return time->tick; },
                  [&] {
                      WriteTimeEvent(*time);
                      time = time->next;
                  }};
    sources[2] = {[&] { return !key; }, [&] { return key->tick; },
                  [&] {
                      WriteKeyEvent(*key);
                      key = key->next;
                  }};
    // System-exclusive set-ups before a range are all sent at its start, in their order.
    sources[3] = {[&] { return !sysEx; }, [&] { return sysEx->tick; },
                  [&] {
                      WriteDelta(std::max<int>(sysEx->tick, m_writeStart));
                      WriteDataEvent(sysEx->length, sysEx->data);
                      sysEx = sysEx->next;
                  }};
    MergeByTick(sources, loopMode, loopEnd, [this] { m_runningStatus = false; });
    m_output.insert(m_output.end(), {0x00, 0xFF, 0x2F, 0x00});
}

void CScore::BuildNoteEvents(int slot)
{
    m_noteEvents.clear();
    bool loopMode = playMode == 2;
    for (const NoteEvent* note = tracks[slot]->notes; note; note = note->next) {
        if (loopMode && (note->start < loopStart || note->start > loopEnd))
            continue;
        m_noteEvents.push_back(
            {note->start, static_cast<uint8_t>(0x90 | (note->channel & 0x0F)), note->pitch, note->velocity});
        m_noteEvents.push_back(
            {note->end, static_cast<uint8_t>(0x80 | (note->channel & 0x0F)), note->pitch, note->velocity});
    }
    // Each event goes after every event with the same or an earlier tick.
    std::stable_sort(m_noteEvents.begin(), m_noteEvents.end(),
                     [](const MidiNoteEvent& a, const MidiNoteEvent& b) { return a.tick < b.tick; });
}

void CScore::WriteTrack(int slot)
{
    CTrack* track = tracks[slot];
    bool loopMode = playMode == 2;
    m_output.clear();
    m_lastWrittenTick = m_writeStart;
    m_runningStatus = false;
    BuildNoteEvents(slot);

    // The track's controls with the program change that starts the chunk (and, for a loop range,
    // the one a sixteenth before its end); a tick that already has a program change keeps its own.
    // A record whose status is no channel message has no MIDI form; written, its status byte
    // would read as a data byte and shift every later event.
    std::vector<ControlEvent> controls;
    for (const ControlEvent* e = track->controls; e; e = e->next) {
        uint8_t type = e->status & 0xF0;
        if (type >= 0xA0 && type <= 0xE0 && (!loopMode || e->tick >= loopStart))
            controls.push_back(*e);
    }
    if (track->program < 128) {
        auto addProgram = [&](int tick) {
            bool present = std::any_of(controls.begin(), controls.end(), [tick](const ControlEvent& e) {
                return (e.status & 0xF0) == 0xC0 && e.tick == tick;
            });
            if (present || tick < m_writeStart)
                return;
            ControlEvent change;
            change.channel = static_cast<uint8_t>((track->notes ? track->notes->channel : track->channel) & 0x0F);
            change.status = static_cast<uint8_t>(0xC0 | change.channel);
            change.data1 = static_cast<uint8_t>(track->program);
            change.tick = tick;
            auto at = std::find_if(controls.begin(), controls.end(),
                                   [tick](const ControlEvent& e) { return e.tick >= tick; });
            controls.insert(at, change);
        };
        addProgram(m_writeStart);
        if (loopMode)
            addProgram(loopEnd - division / 4);
    }

    WriteMetaText(0x03, track->name);

    size_t control = 0;
    size_t note = 0;
    const TrackDataEvent* data = track->dataEvents;
    while (loopMode && data && data->tick < loopStart)
        data = data->next;
    std::vector<MergeSource> sources(3);
    sources[0] = {[&] { return control >= controls.size(); }, [&] { return controls[control].tick; },
                  [&] {
                      WriteDelta(controls[control].tick);
                      WriteControlEvent(controls[control]);
                      ++control;
                  }};
    sources[1] = {[&] { return note >= m_noteEvents.size(); }, [&] { return m_noteEvents[note].tick; },
                  [&] {
                      WriteDelta(m_noteEvents[note].tick);
                      WriteNoteEvent(m_noteEvents[note]);
                      ++note;
                  },
                  false};
    sources[2] = {[&] { return !data; }, [&] { return data->tick; },
                  [&] {
                      WriteDelta(data->tick);
                      WriteDataEvent(data->length, data->data);
                      data = data->next;
                  }};
    MergeByTick(sources, loopMode, loopEnd, [this] { m_runningStatus = false; });
    m_output.insert(m_output.end(), {0x00, 0xFF, 0x2F, 0x00});
    m_runningStatus = false;
}
