// Element records of the song and its tracks (kinds 0 to 15) and the measure table entry.
//
// Records are plain structs linked into lists owned by the song or a track. The native score
// file writes them field by field in its own byte layout; nothing copies them as raw memory.
#pragma once

#include <cstdint>

#include "kernel/windef.h"

// Kind numbers shared with the native score file.
enum ElementKind {
    KIND_TEMPO = 0,
    KIND_KEY_SIGNATURE = 1,
    KIND_TIME_SIGNATURE = 2,
    KIND_MEASURE_MARK = 3,
    KIND_NOTE = 4,
    KIND_CONTROL = 5,
    KIND_VELOCITY = 6,
    KIND_TRACK_TEXT = 7,
    KIND_PLACED_SYMBOL = 8,
    KIND_CURVE_MARK = 9,
    KIND_TRACK_DATA = 10,
    KIND_CLEF = 11,
    KIND_SPAN = 12,
    KIND_RECORD40 = 13,
    KIND_TEXT_ANNOTATION = 14,
    KIND_SYSEX = 15,
};

// Clefs of a staff.
enum Clef {
    CLEF_G = 0,
    CLEF_ALTO = 1,
    CLEF_TENOR = 2,
    CLEF_BASS = 3,
    CLEF_PIANO = 4,
};

// Key kinds of a measure.
enum KeyKind {
    KEY_NONE = 0,
    KEY_SHARPS = 1,
    KEY_FLATS = 2,
};

// One entry of the song's 200-entry measure table.
struct MeasureInfo {
    int8_t numerator;
    int8_t denominator;  // note value: 1, 2, 4, 8, 16 ...
    uint8_t keyKind;     // KeyKind
    uint8_t keyCount;    // accidentals - 1; 0 without accidentals
};

// Kind 0.
struct TempoChange {
    uint16_t bpm = 0;
    int32_t tick = 0;
    TempoChange* next = nullptr;
};

// Kind 1.
struct KeySignatureChange {
    int8_t count = 0;  // + sharps, - flats
    uint8_t mode = 0;  // as in the key meta event
    int32_t tick = 0;
    KeySignatureChange* next = nullptr;
};

// Kind 2.
struct TimeSignatureChange {
    uint8_t numerator = 4;
    uint8_t denominatorPower = 2;  // 2 = quarter
    int32_t tick = 0;
    TimeSignatureChange* next = nullptr;
};

// Kind 3: 0 repeat start, 1 repeat end.
struct MeasureMark {
    int32_t value = 0;
    int32_t measure = 0;
    MeasureMark* next = nullptr;
};

// Kind 4: sorted by start tick, then pitch descending; doubly linked.
struct NoteEvent {
    uint8_t lowerStaff = 0;    // 1 = lower staff of a piano staff
    int8_t graceLink = 0;      // -(10+n)/+(10+n): chain of n grace notes before/after; |v| < 10 marks a grace note
    int8_t accidental = 0;     // -2 .. +2
    int8_t headShift = 0;      // pixels added to the head's x
    int8_t stemDirection = 0;  // 0 automatic, 1 up, -1 down
    uint8_t tupletNumber = 0;  // 0 plain, else n of an n-tuplet
    uint32_t marked = 0;       // nonzero = the marked note of its track
    int8_t keyAccidental = 0;  // accidental the key gives the staff position
    int8_t scaleStep = 0;      // 1 .. 7
    uint8_t pitch = 0;
    uint8_t velocity = 0;
    uint8_t channel = 0;
    int32_t start = 0;
    int32_t end = 0;  // end == start: open (sounding, length unknown)
    NoteEvent* next = nullptr;
    NoteEvent* prev = nullptr;
};

// Kind 5.
struct ControlEvent {
    uint8_t status = 0;   // high nibble: 0xA, 0xB, 0xC, 0xD, 0xE
    uint8_t channel = 0;  // channel the event is written and played on
    uint8_t data1 = 0;
    uint8_t data2 = 0;  // 0 for program change and channel pressure
    int32_t tick = 0;
    ControlEvent* next = nullptr;
};

// Kind 6.
struct VelocityChange {
    uint8_t velocity = 0;
    int32_t tick = 0;
    VelocityChange* next = nullptr;
};

// Kind 7.
struct TrackTextEvent {
    static constexpr int kTextSize = 256;
    static constexpr int kMaxChars = 20;
    LOGFONTA font{};
    double textSettings[2] = {0.0, 0.0};
    COLORREF textColor = 0;
    char text[kTextSize] = {};
    int32_t tick = 0;
    double xOffset = 0.0;  // first placement, staff units
    double yOffset = 0.0;  // second placement, staff units
    TrackTextEvent* next = nullptr;
};

// Kind 8.
struct PlacedSymbol {
    int32_t type = 0;
    int32_t tick = 0;
    double xOffset = 0.0;
    double yOffset = 0.0;
    int32_t value = 0;
    PlacedSymbol* next = nullptr;
};

// Kind 9: three points; sorted by the first tick.
struct CurveMark {
    int32_t type = 0;  // low 16 bits used
    int32_t tick1 = 0;
    double offset1 = 0.0;  // y offset of point 1
    int32_t tick2 = 0;
    double offset2 = 0.0;  // y offset of point 2
    int32_t tick3 = 0;
    double offset3 = 0.0;                 // y offset of point 3
    double xOffset[3] = {0.0, 0.0, 0.0};  // x offsets of points 1, 2 and 3
    CurveMark* next = nullptr;
};

// Kind 10.
struct TrackDataEvent {
    int32_t tick = 0;
    uint8_t length = 0;
    uint8_t* data = nullptr;  // owned copy
    TrackDataEvent* next = nullptr;
};

// Kind 11.
struct ClefChange {
    int32_t tick = 0;
    uint8_t clef = CLEF_G;
    ClefChange* next = nullptr;
};

// Kind 12: [start, end).
struct SpanRecord {
    static constexpr int kTextSize = 20;
    uint8_t flag = 0;
    int32_t start = 0;
    int32_t end = 0;
    char text[kTextSize] = {};
    uint8_t secondFlag = 0;
    SpanRecord* next = nullptr;
};

// Kind 13: grace-note figure.
struct TrackRecord40 {
    int8_t lowerStaff = 0;
    int8_t beamCount = 0;  // flag and beam count, 0 .. 2
    int8_t reserved = 0;
    int8_t slash = 0;
    int8_t noteCount = 0;  // 1 .. 4
    int8_t steps[4] = {};  // scale degrees 1 .. 7
    int8_t octaves[4] = {};
    int8_t directions[4] = {};
    int8_t accidentals[4] = {};  // -1 flat, +1 sharp
    int32_t xOffset = 0;         // pixels
    int32_t yOffset = 0;
    int32_t tick = 0;
    TrackRecord40* next = nullptr;
};

// Kind 14.
struct TextAnnotation {
    static constexpr int kTextSize = 100;
    int32_t tick = 0;
    LOGFONTA font{};
    double textSettings[2] = {0.0, 0.0};
    COLORREF textColor = 0;
    char text[kTextSize] = {};
    TextAnnotation* next = nullptr;
};

// Kind 15.
struct SysExEvent {
    int32_t tick = 0;
    uint8_t length = 0;
    uint8_t* data = nullptr;  // owned copy, without the leading F0
    SysExEvent* next = nullptr;
};

// Copies text into a fixed field of size bytes: cut to size - 1 characters, NUL-terminated, zero-filled.
void CopyTextField(char* field, int size, const char* text);
