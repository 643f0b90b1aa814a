// The measure strip: bar-line and content x of every measure, shared by all staff rows.
#pragma once

#include <array>
#include <cstdint>

#include "song/element_records.h"

constexpr int kStripMeasureCount = 200;

struct MeasureStripEntry {
    int32_t start = 0;    // x of the measure's bar line
    int32_t content = 0;  // x where its notes begin, after any clef, key or time change drawn at its head
    double spacing = 0;   // pixels per 48th of a quarter in this measure; 0: the view's note spacing
};

using MeasureXTable = std::array<MeasureStripEntry, kStripMeasureCount>;

// A measure's length in 48ths of a quarter note: numerator x (192 / denominator), integer division.
int MeasureLength48(const MeasureInfo& info);
// A measure's length in ticks: its length in 48ths x division / 48.
int64_t MeasureLengthTicks(const MeasureInfo& info, int division);

// Pixels of the strip's fixed room (the gap after a measure's notes, the room for what is drawn at a measure's
// head) at a zoom: the glyphs that fill it grow with the zoom, so the room does too.
int StripRoom(int pixels, double zoom);

// Rebuilds the strip of one track from the song's 200 measures and the track's clef at each measure
// (a piano staff counted as clef 0): gaps of 20, 30 and 53 pixels make room for a changed clef, time and key,
// and 46 more redraw an unchanged key after a changed clef; all of them at zoom 1, grown with the zoom.
// leadAccidentals (optional, one a measure): the accidentals of the chord at a measure's start; from the second
// on, each gets a column of kAccidentalColumn pixels before the notes. spacings (optional, one a measure): the
// pixels per 48th a measure needs at least, where the note spacing leaves too little room inside it.
void LayoutTrackMeasures(const MeasureInfo* measures, const uint8_t* clefs, double noteSpacing, MeasureXTable& table,
                         double zoom = 1.0, const uint8_t* leadAccidentals = nullptr, const double* spacings = nullptr);

// Pixels per 48th of a quarter inside measure m (clamped to the table): its own, else the note spacing.
double MeasureSpacing(const MeasureXTable& table, int m, double noteSpacing);

// The room of one more column of accidentals at zoom 1; at most kLeadAccidentalColumns columns get room.
constexpr int kAccidentalColumn = 8;
constexpr int kLeadAccidentalColumns = 4;

// Bar-line x of measure m, 0..200: the entry's start, and for 200 (after the last measure) the end of
// measure 199's content.
int MeasureBarX(const MeasureInfo* measures, const MeasureXTable& table, double noteSpacing, int m, double zoom = 1.0);
