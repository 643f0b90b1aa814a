// Note layout: pieces of standard lengths split at beats and bar lines, ties, chords, grace chains,
// triplets and the rests that fill each measure.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kernel/prompt_service.h"
#include "render/note_arithmetic.h"
#include "render/note_glyphs.h"
#include "render/note_layout.h"
#include "strip_song.h"

namespace {

struct NoteSpec {
    int start, end, pitch;
    int graceLink = 0;
    int tuplet = 0;
};

class NoteLayout : public ::testing::Test {
protected:
    NoteLayout()
    {
        song.measures = strip.measures.data();
        song.division = 96;
        song.lastTickMeasure = 0;
        song.clefAtTick = [](int) { return 0; };
        GetRecordingPromptService().Clear();
    }
    // Lays out the notes (linked in order) for measures 0..1 and returns the upper staff's slots as text:
    // "measure.position:pitch/length", rests as "measure.position:R/length".
    std::string Layout(const std::vector<NoteSpec>& specs)
    {
        notes.assign(specs.size(), NoteEvent{});
        for (size_t i = 0; i < specs.size(); ++i) {
            notes[i].start = specs[i].start;
            notes[i].end = specs[i].end;
            notes[i].pitch = (uint8_t)specs[i].pitch;
            notes[i].graceLink = (int8_t)specs[i].graceLink;
            notes[i].tupletNumber = (uint8_t)specs[i].tuplet;
            notes[i].next = i + 1 < specs.size() ? &notes[i + 1] : nullptr;
            notes[i].prev = i > 0 ? &notes[i - 1] : nullptr;
        }
        layout.LayoutTrackNotes(song, 2, 0, song.lastTickMeasure, notes.empty() ? nullptr : notes.data());
        return Dump(layout.noteSlots[2][0], false);
    }
    std::string Ties() { return Dump(layout.tieSlots[2][0], true); }

    static std::string Dump(CSlotList& list, bool ties)
    {
        std::string out;
        for (int i = 0, n = list.Count(); i < n; ++i) {
            Slot s = list.GetAt(i);
            if (!out.empty())
                out += " ";
            out += std::to_string(s.Measure()) + "." + std::to_string(s.Position()) + ":";
            if (ties)
                out += std::to_string(s.TieEnd()) + "-" + std::to_string(s.TiePitch());
            else if (s.Length() & kRestSlotBit)
                out += "R/" + std::to_string(s.Length() & ~kRestSlotBit);
            else
                out += std::to_string(s.NaturalPitch()) + "/" + std::to_string(s.Length());
        }
        return out;
    }

    StripSong strip;
    LayoutSong song;
    CNoteLayout layout;
    std::vector<NoteEvent> notes;
};

TEST_F(NoteLayout, PiecesSplitAtBeatsAndBarLinesWithTies)
{
    struct Case {
        const char* what;
        std::vector<NoteSpec> notes;
        int lastMeasure;
        const char* slots;
        const char* ties;
    };
    const Case cases[] = {
        {"a quarter", {{0, 96, 60}}, 0, "0.0:60/48 0.48:R/144", ""},
        {"from mid-beat to a beat", {{48, 192, 62}}, 0, "0.0:R/24 0.24:62/24 0.48:62/48 0.96:R/96", "0.24:48-62"},
        {"across the bar line", {{288, 480, 64}}, 1, "0.0:R/144 0.144:64/48 1.0:64/48 1.48:R/144", "0.144:0-64"},
        {"50 48ths round to 48", {{0, 100, 65}}, 0, "0.0:65/48 0.48:R/144", ""},
        {"dotted half", {{0, 288, 67}}, 0, "0.0:67/144 0.144:R/48", ""},
        {"an empty measure", {{384, 768, 60}}, 1, "0.96:R/192 1.0:60/192", ""},
        {"a gap from 60 to 96",
         {{0, 120, 60}, {192, 384, 62}},
         0,
         "0.0:60/48 0.48:60/12 0.60:R/12 0.72:R/24 0.96:62/96",
         "0.0:48-60"},
    };
    for (const Case& c : cases) {
        song.lastTickMeasure = c.lastMeasure;
        EXPECT_EQ(Layout(c.notes), c.slots) << c.what;
        EXPECT_EQ(Ties(), c.ties) << c.what;
    }
}

TEST_F(NoteLayout, ChordsHighestFirstAndTripletGroupsEndTogether)
{
    // Starts 5 ticks apart round to one grid step: one chord, the higher laid out first.
    EXPECT_EQ(Layout({{0, 96, 60}, {5, 96, 67}, {96, 384, 64}}), "0.0:67/48 0.0:60/48 0.48:64/144");
    // A triplet of 32, 32 and 30 ticks: the last piece is stretched to end with its group.
    EXPECT_EQ(Layout({{0, 32, 60, 0, 3}, {32, 64, 62, 0, 3}, {64, 94, 64, 0, 3}, {96, 384, 65}}),
              "0.0:60/16 0.16:62/16 0.32:64/16 0.48:65/144");
}

// Notes stacked on one another (same pitch, start and length) draw the same ink: each piece and tie is laid
// out once, so that a file of thousands of copies paints as fast as one of a few.
TEST_F(NoteLayout, StackedCopiesAreLaidOutOnce)
{
    song.lastTickMeasure = 1;
    std::vector<NoteSpec> stacked;
    for (int i = 0; i < 3; ++i)
        stacked.insert(stacked.end(), {{0, 480, 60}, {0, 480, 64}});
    EXPECT_EQ(Layout(stacked), "0.0:64/192 0.0:60/192 1.0:64/48 1.0:60/48 1.48:R/144");
    EXPECT_EQ(Ties(), "0.0:0-64 0.0:0-60");
}

TEST_F(NoteLayout, GraceChainsTakeTheirMainNotesSpanAndABrokenChainEndsTheLayout)
{
    // The main note (grace link -12) starts where the second note before it starts.
    EXPECT_EQ(Layout({{0, 24, 72, -1}, {24, 48, 74, -1}, {48, 96, 71, -12}, {96, 384, 60}}), "0.0:71/48 0.48:60/144");
    EXPECT_EQ(layout.noteSlots[2][0].GetAt(0).GraceLink(), -12);
    EXPECT_EQ(layout.TakeComplaint(), nullptr);
    // A chain that runs off the start of the list is kept as a complaint for the caller, never shown by the
    // layout itself, and the layout goes on past it.
    EXPECT_EQ(Layout({{0, 96, 71, -13}, {96, 384, 60}}), "0.0:R/48 0.48:60/144");
    EXPECT_TRUE(GetRecordingPromptService().Messages().empty());
    EXPECT_STREQ(layout.TakeComplaint(), "前装饰音链有误！");
    EXPECT_EQ(layout.TakeComplaint(), nullptr);
}

// Every piece and rest the layout makes has a glyph, and every note keeps at least one piece: a note of any
// length from one tick to two whole notes, starting on a beat or a sixteenth after it, at several divisions and
// grids, among them the steps of three and six 64ths a song file may hold, which most standard lengths are not
// multiples of.
TEST_F(NoteLayout, EveryLengthIsLaidOutInDrawablePieces)
{
    for (double grid : {4.0, 1.0, 3.0, 6.0})
        for (int division : {48, 96, 120, 384, 480}) {
            song.gridValue = grid;
            song.division = division;
            song.lastTickMeasure = 3;
            for (int start : {division, division + division / 4})
                for (int ticks = 1; ticks <= 8 * division; ++ticks) {
                    Layout({{start, start + ticks, 60}});
                    const std::string where = "grid " + std::to_string(grid) + ", division " +
                                              std::to_string(division) + ", " + std::to_string(ticks) + " ticks from " +
                                              std::to_string(start);
                    int pieces = 0;
                    for (const Slot* s = layout.noteSlots[2][0].SlotAt(0); s; s = s->next) {
                        const int drawn = s->Tuplet() != 0 ? DrawnTupletLength(s->Length()) : s->Length();
                        ASSERT_NE(StandardLengthIndex(drawn & 0xFF), kNoLengthIndex)
                            << where << ": " << Dump(layout.noteSlots[2][0], false);
                        pieces += (s->Length() & kRestSlotBit) == 0;
                    }
                    ASSERT_GT(pieces, 0) << where;
                }
        }
}

// A note of a hundred million ticks, valid in a MIDI file: its length in 48ths is computed without overflow,
// and it is laid out in whole notes up to the last measure.
TEST_F(NoteLayout, AVeryLongNoteKeepsItsLength)
{
    NoteEvent note;
    note.end = 100000000;
    EXPECT_EQ(MakeNoteRecord(note, 96)[5], 50000000);
    EXPECT_FALSE(IsTupletNote(note, 96, 4.0, false));
    song.lastTickMeasure = kStripMeasureCount - 1;
    Layout({{0, 100000000, 60}});
    CSlotList& slots = layout.noteSlots[2][0];
    ASSERT_EQ(slots.Count(), kStripMeasureCount);
    EXPECT_EQ(slots.GetAt(kStripMeasureCount - 1).Measure(), kStripMeasureCount - 1);
    EXPECT_EQ(slots.GetAt(kStripMeasureCount - 1).Length(), 192);
}

TEST(NoteLengths, NearestNoteLengthAndTupletTest)
{
    for (auto [in, out] : {std::pair{0, 6}, {9, 6}, {10, 12}, {18, 12}, {45, 48}, {72, 48}, {300, 192}})
        EXPECT_EQ(NearestNoteLength(in), out) << in;
    struct Case {
        int start, end, tuplet;
        double grid;
        bool tripletFlag;
        bool tupletNote;
    };
    const Case cases[] = {{64, 96, 0, 4.0, true, true},
                          {64, 96, 0, 8.0, false, false},
                          {0, 24, 0, 4.0, true, false},
                          {0, 24, 5, 4.0, false, true},
                          {65, 97, 0, 4.0, true, false}};
    for (const Case& c : cases) {
        NoteEvent note;
        note.start = c.start;
        note.end = c.end;
        note.tupletNumber = (uint8_t)c.tuplet;
        EXPECT_EQ(IsTupletNote(note, 96, c.grid, c.tripletFlag), c.tupletNote) << c.start << "-" << c.end;
    }
}

}  // namespace
