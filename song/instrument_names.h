// The General MIDI instrument-name tables (English and Chinese) and the flag that picks one for display.
#pragma once

constexpr int kInstrumentCount = 129;    // programs 0..127 and the drum kit
constexpr int kInstrumentNameSize = 25;  // bytes per entry, NUL-padded
constexpr int kDrumKitProgram = 128;

// Process-wide: true shows English instrument names, false Chinese ones.
extern bool g_englishInstrumentNames;

// English name of a program ("" outside 0..128). The song model always names tracks with these.
const char* InstrumentName(int program);
// Chinese name of a program ("" outside 0..128).
const char* ChineseInstrumentName(int program);
// The name in the language the English flag selects.
const char* LocalInstrumentName(int program);
