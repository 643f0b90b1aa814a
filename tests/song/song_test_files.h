// Standard MIDI File builders shared by the song file-format tests.
#pragma once

#include <cstdint>
#include <vector>

#include "tests/support/byte_builders.h"
#include "tests/support/temp_folder.h"

// "MTrk", the big-endian length and the data.
inline Bytes TrackChunk(const Bytes& data)
{
    Bytes out = {'M', 'T', 'r', 'k'};
    AppendBig(out, static_cast<uint32_t>(data.size()), 4);
    Append(out, data);
    return out;
}

// A Standard MIDI File from its header values and chunk data.
inline Bytes MidiFile(int format, int trackCount, int division, const std::vector<Bytes>& chunks)
{
    Bytes out = {'M', 'T', 'h', 'd', 0, 0, 0, 6};
    AppendBig(out, static_cast<uint32_t>(format), 2);
    AppendBig(out, static_cast<uint32_t>(trackCount), 2);
    AppendBig(out, static_cast<uint32_t>(division), 2);
    for (const Bytes& chunk : chunks)
        Append(out, TrackChunk(chunk));
    return out;
}
