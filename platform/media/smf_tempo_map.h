// Tempo map of a Standard MIDI File: where its data ends, in ticks and in seconds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct SmfTempoChange {
    uint64_t tick;
    uint32_t microsecondsPerQuarter;
};

struct SmfTempoMap {
    int division = 0;                    // ticks per quarter note, or the raw SMPTE word when negative
    uint64_t endTick = 0;                // tick of the last event of the longest track
    std::vector<SmfTempoChange> tempos;  // sorted by tick

    // Time in seconds of a tick (120 bpm until the first tempo change).
    double TickToSeconds(uint64_t tick) const;
    double EndSeconds() const { return TickToSeconds(endTick); }
};

// Parses the file's header and tracks; false when it is not a Standard MIDI File.
bool ParseSmfTempoMap(const uint8_t* data, size_t size, SmfTempoMap* map);
bool ReadSmfTempoMap(const std::string& path, SmfTempoMap* map);
