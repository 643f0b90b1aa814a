// SMAF number coding of durations and gate times, and the conversions between ticks and 4 ms units.
#pragma once

#include <cstdint>
#include <vector>

class CScore;

// One length as one or two bytes (values up to 16511; FF 7F also stands for 16512).
void SmafEncodeLength(std::vector<uint8_t>& out, int value);
// Appends q no-operation events of 16512 units and returns the remainder to write as the duration.
int SmafSplitLongDuration(std::vector<uint8_t>& out, int value);
// Reads a length from at most available bytes; 0 bytes consumed when none are there.
int SmafDecodeLength(const uint8_t* bytes, int available, int* consumed);

// Units of 4 ms from tick a to tick b, at the tempo in force at b.
int SmafTicksToUnits(const CScore& song, int a, int b);
// Ticks of u units at the tempo of tick 0, at most the latest tick a file can hold.
int SmafUnitsToTicks(const CScore& song, long long units);
