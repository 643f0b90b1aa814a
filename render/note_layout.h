// Note layout: a track's notes turned into notated pieces of the 22 standard lengths, ties and rests,
// measure by measure and staff by staff, in the slot lists the painters read.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <set>
#include <vector>

#include "render/measure_strip.h"
#include "render/slot_list.h"
#include "song/element_records.h"

constexpr int kLayoutTracks = 30;
constexpr int kStandardLengthCount = 22;
// The standard lengths in 48ths of a quarter note; 2, 4, 8, 16, 32 and 64 are the triplet lengths.
extern const int kStandardLengths[kStandardLengthCount];

// What the layout reads of the song and the view.
struct LayoutSong {
    const MeasureInfo* measures = nullptr;  // the song's 200 measures
    int division = 96;
    int lastTickMeasure = 0;                  // the measure that holds the song's last tick
    std::function<int(int tick)> clefAtTick;  // the laid-out track's clef at a tick (4 = piano staff)
    double gridValue = 4.0;                   // 4.0 = a sixteenth; the step is 3 x gridValue 48ths
    bool tripletFlag = false;                 // triplet entry: the tuplet test's grid is two thirds
};

// The nearest of 6, 12, 24, 48, 96 and 192; the smaller on equal distance.
int NearestNoteLength(int length);

// A tuplet note: one with a tuplet number, or one of a triplet length starting on a multiple of it that is
// at least the grid step.
bool IsTupletNote(const NoteEvent& note, int division, double gridValue, bool tripletFlag);

class CNoteLayout {
public:
    // Lays out the notes of measures firstMeasure..lastMeasure (and the rests among them) into the lists of
    // the track, after emptying the lists of every track.
    void LayoutTrackNotes(const LayoutSong& song, int track, int firstMeasure, int lastMeasure, NoteEvent* notes);

    // The complaint about a broken grace chain met since the last call, or null. The layout never shows it
    // itself: a message box would let the window repaint, and lay out again, in the middle of this layout.
    const char* TakeComplaint()
    {
        const char* complaint = m_complaint;
        m_complaint = nullptr;
        return complaint;
    }

    CSlotList noteSlots[kLayoutTracks][2];
    CSlotList tieSlots[kLayoutTracks][2];

private:
    int RoundToGrid(int ticks) const;
    int StaffOf(const NoteEvent& note) const;
    int64_t MeasureStartTick(int measure) const;
    void CollectChord(int endTick);
    void LayoutNote(int track, const NoteEvent& c);
    // Inserts the slot into the list (which: tie or note list of a staff) unless an identical one is there:
    // notes stacked on one another draw the same ink once.
    void InsertOnce(CSlotList& list, int which, const Slot& slot);
    void FillRests(int track, int firstMeasure, int lastMeasure, const NoteEvent* firstNote);
    void InsertRests(int track, int measure, int q, int length, int staff);
    int RestLengthInBeat(int track, int beat, int r, int measure, int q, int staff);
    int PreviousTupletLength(int track, int measure, int q, int staff);
    int RestUpToTuplet(int track, int measure, int q, int length, int staff);

    const LayoutSong* m_song = nullptr;
    double m_grid = 12.0;  // grid step in 48ths
    int m_gridTicks = 24;  // grid step in ticks
    double m_ticksPer48 = 2.0;
    NoteEvent* m_noteCursor = nullptr;
    int64_t m_measureStart48[kStripMeasureCount + 1] = {};  // the song's measure starts in 48ths, for one layout
    std::vector<NoteEvent> m_chord;
    int8_t m_tupletRestLength = 3;
    uint8_t m_tupletRestNumber = 0;
    const char* m_complaint = nullptr;
    std::set<std::array<int32_t, 6>> m_placed;
};
