// Reading a SMAF score-track chunk into the notes and control events of four song tracks.
#include <cstring>

#include "song/score.h"
#include "song/smaf_coding.h"
#include "song/smaf_track_writer.h"

namespace {

// About 111 hours of 4 ms units: beyond it no tick fits the song.
const long long kLongestTime = 100000000;

uint8_t ClampData(int value) { return static_cast<uint8_t>(value > 127 ? 127 : value); }

}  // namespace

void CSmafTrackWriter::ReadControl(int slot, uint8_t code, uint8_t data, int tick)
{
    int track = firstTrack + slot;
    CTrack* songTrack = track < kMaxTracks ? song->GetTrack(track) : nullptr;
    int type = (code >> 4) & 3;
    int n = code & 15;
    uint8_t status = 0, data1 = 0, data2 = 0;
    switch (type) {
    case 0:
        status = 0xB0;
        data1 = 11;
        data2 = ClampData(n == 1 ? 0 : n * 8 + 15);
        break;
    case 1:
        status = 0xE0;
        data2 = ClampData(n * 8);
        break;
    case 2:
        status = 0xB0;
        data1 = 1;
        data2 = ClampData((code & 0x0E) * 8);
        break;
    default:
        switch (n) {
        case 0:
            status = 0xC0;
            data1 = ClampData(data);
            break;
        case 1:
            midiChannel[slot] = data >= 128 ? 9 : track % 16;
            if (songTrack)
                songTrack->SetChannel(midiChannel[slot]);
            return;
        case 2:
            if (data <= 4)
                octaveShift[slot] = 12 * data;
            else if (data >= 0x81 && data <= 0x84)
                octaveShift[slot] = -12 * (data - 0x80);
            return;
        case 3:
            status = 0xB0;
            data1 = 1;
            data2 = ClampData(data);
            break;
        case 4:
            status = 0xE0;
            data2 = ClampData(data);
            break;
        case 7:
            status = 0xB0;
            data1 = 7;
            data2 = ClampData(data);
            break;
        case 10:
            status = 0xB0;
            data1 = 8;
            data2 = ClampData(data);
            break;
        case 11:
            status = 0xB0;
            data1 = 11;
            data2 = ClampData(data);
            break;
        default: return;  // codes without a MIDI meaning make no event
        }
    }
    if (!songTrack)
        return;
    // The file's own instrument at the start replaces the one the reset gave the track; the events
    // read before it all lie at tick 0, so only tick-0 program changes go.
    if (status == 0xC0 && tick == 0)
        songTrack->DeleteControlsOfType(0xC0, 0);
    songTrack->InsertControl(status, data1, data2, tick);
}

void CSmafTrackWriter::Read(const uint8_t* chunk, uint32_t size)
{
    // Search "Mtsq" inside the chunk (chunk offsets; the 8-byte header counts).
    uint64_t end = static_cast<uint64_t>(size) + 8;
    uint64_t sequence = 0;
    bool found = false;
    for (uint64_t at = 0; at + 4 <= end && at + 4 <= static_cast<uint64_t>(size); ++at) {
        if (std::memcmp(chunk + at, "Mtsq", 4) == 0) {
            sequence = at;
            found = true;
            break;
        }
    }
    if (!found)
        return;
    for (int slot = 0; slot < 4; ++slot) {
        midiChannel[slot] = (firstTrack + slot) % 16;
        octaveShift[slot] = 0;
        if (firstTrack + slot < kMaxTracks && song->GetTrack(firstTrack + slot))
            song->GetTrack(firstTrack + slot)->SetChannel(midiChannel[slot]);
    }
    // Events run up to the chunk's size + 4 from its start, and never past its end.
    uint64_t limit = static_cast<uint64_t>(size) + 4;
    if (limit > end)
        limit = end;
    uint64_t pos = sequence + 8;
    long long t = 0;
    while (pos < limit) {
        int used = 0;
        t += SmafDecodeLength(chunk + pos, static_cast<int>(limit - pos), &used);
        if (used == 0 || t > kLongestTime)
            break;
        pos += used;
        if (pos >= limit)
            break;
        uint8_t b = chunk[pos];
        int available = static_cast<int>(limit - pos);
        if (b >= 0x01 && b <= 0xFE) {
            int gateUsed = 0;
            int gate = SmafDecodeLength(chunk + pos + 1, available - 1, &gateUsed);
            if (gateUsed == 0)
                break;
            pos += 1 + gateUsed;
            int slot = b >> 6, track = firstTrack + slot;
            int pitch = 37 + 12 * ((b >> 4) & 3) + (b & 15) - 1 + octaveShift[slot];
            if (track < kMaxTracks && song->GetTrack(track) && pitch >= 0 && pitch <= 127) {
                if (song->trackCount < track + 2)
                    song->trackCount = static_cast<int16_t>(track + 2);
                song->GetTrack(track)->InsertNote(false, SmafUnitsToTicks(*song, t), SmafUnitsToTicks(*song, t + gate),
                                                  static_cast<int8_t>(pitch), 100, 0, 0, 0, 0, 0, 0);
            }
        } else if (b == 0x00) {
            if (available < 2)
                break;
            uint8_t code = chunk[pos + 1];
            int type = (code >> 4) & 3;
            if (type == 3 && available < 3)
                break;
            uint8_t data = type == 3 ? chunk[pos + 2] : 0;
            pos += type == 3 ? 3 : 2;
            ReadControl(code >> 6, code, data, SmafUnitsToTicks(*song, t));
        } else {
            if (available < 2)
                break;
            uint8_t next = chunk[pos + 1];
            if (next == 0x00)
                pos += 2;
            else if (next == 0xF0)
                pos += available >= 3 ? chunk[pos + 2] + 3 : available;
            // Any other escape counts no bytes; the next duration read moves past it.
        }
    }
}
