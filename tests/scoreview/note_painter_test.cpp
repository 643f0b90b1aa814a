// The note painters: small songs of each feature group against golden pictures reviewed by eye, the head
// shifts a chord stores, and the guards of the tuplet, grace-chain and grace-figure painters.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "render/note_glyphs.h"

#include "view_fixture.h"

namespace {

constexpr int C4 = 60, D4 = 62, E4 = 64, F4 = 65, G4 = 67, A4 = 69, B4 = 71, C5 = 72, D5 = 74, E5 = 76, F5 = 77,
              G5 = 79, A5 = 81, C6 = 84;

// Paints the song at the zoom and compares the page with its golden picture.
void ExpectGoldenSong(void (*build)(CScore&), const char* name, double zoom = 1.0)
{
    CScoreView view;
    view.score.NewSong(1, 4, 2);
    build(view.score);
    PaintNoteSong(view, zoom);
    ExpectGolden(view, name);
}

void NotesAndRests(CScore& song)
{
    AddNotes(song, 0,
             {{0, 192, E4},
              {192, 96, A5},
              {192 + 144, 48, C4},
              {384, 144, B4},
              {576, 84, F5},
              {576 + 96, 48, F4 + 1, 1},
              {576 + 144, 48, F4 + 1, 1},
              {768, 48, F4},
              {768 + 48, 48, F5, 0, 1},
              {768 + 96, 48, E4, 0, -1},
              {768 + 144, 24, C6}});
}

void Chords(CScore& song)
{
    AddNotes(song, 0,
             {{0, 48, C4},
              {0, 48, E4},
              {0, 48, G4},
              {48, 48, F4},
              {48, 48, G4},
              {96, 48, C5 + 1, 1},
              {96, 48, E5},
              {96, 48, G5 + 1, 1},
              {144, 48, F4 + 1, 1},
              {144, 48, G4 + 1, 1},
              {144, 48, A4 - 1, -1},
              {192, 192, C4},
              {192, 192, D4},
              {192, 192, E4},
              {384, 96, B4 - 1, -1},
              {384, 96, D5},
              {384, 96, E5 - 1, -1},
              {384 + 96, 72, A4},
              {384 + 96, 72, B4},
              // Beamed chords: the beam alone joins them, no flag.
              {576, 24, E4},
              {576, 24, G4},
              {600, 24, F4},
              {600, 24, A4},
              {624, 24, A5},
              {624, 24, C6},
              {648, 24, G5},
              {648, 24, B4}});
}

// A half and a quarter in one chord, each with its own head; chords of three and four accidentals at the start
// of a measure, and one right after an eighth: every accidental has a place of its own, clear of the bar line.
void ChordAccidentals(CScore& song)
{
    AddNotes(song, 0,
             {{0, 96, C5},
              {0, 48, E5},
              {192, 96, E4 - 3, -1},
              {192, 96, E4 - 1, -1},
              {192, 96, G4 - 1, -1},
              {192, 96, A4 - 1, -1},
              {384, 96, G4 - 1, -1},
              {384, 96, B4 - 1, -1},
              {384, 96, D5 - 1, -1},
              {480, 24, E5},
              {504, 24, C4 + 1, 1},
              {504, 24, D4 + 1, 1},
              {504, 24, F4 + 1, 1}});
}

void BeamsAndFlags(CScore& song)
{
    song.gridValue = 1.0;  // a 64th grid keeps the short notes apart
    AddNotes(song, 0,
             {{0, 24, C5},
              {24, 24, D5},
              {48, 12, E4},
              {60, 12, F4},
              {72, 12, G4},
              {84, 12, A4},
              {96, 36, G5},
              {132, 12, E5},
              {144, 24, D4},
              {168, 12, F4},
              {180, 12, A4},
              {192 + 48, 24, B4},
              {192 + 96, 12, A5},
              {192 + 144, 6, G4},
              {384 + 48, 3, C5}});
    for (int i = 0; i < 8; ++i)
        AddNotes(song, 0, {{192 + 6 * i, 6, C5 + i % 3 * 2}});
    const int steps[4] = {E4, F4, G4, A4};
    for (int i = 0; i < 16; ++i)
        AddNotes(song, 0, {{384 + 96 + 3 * i, 3, steps[i % 4]}});
}

// Each note of a group keeps its own beam count, with hooks where no beam of its level reaches it: beats of
// eighth, 64th, dotted 16th, 64th; 64th, eighth, double-dotted 16th; 16th, 64th, eighth, dotted 32nd (twice,
// the last with stems up).
void BeamCounts(CScore& song)
{
    song.gridValue = 1.0;
    AddNotes(song, 0,
             {{0, 24, C5},
              {24, 3, D5},
              {27, 18, E5},
              {45, 3, C5},
              {48, 3, E4},
              {51, 24, F4},
              {75, 21, G4},
              {96, 12, C5},
              {108, 3, D5},
              {111, 24, E5},
              {135, 9, F5},
              {144, 12, F4},
              {156, 3, E4},
              {159, 24, G4},
              {183, 9, A4}});
}

void Ties(CScore& song)
{
    // The last two leave a dotted piece: their ties start after the dot, bending down and up.
    AddNotes(song, 0,
             {{24, 72, E4},
              {96, 48, B4},
              {144, 96, A4},
              {288, 192, C5},
              {288, 192, E5},
              {384 + 96, 60, F4},
              {576 + 12, 84, A4},
              {576 + 108, 84, D5}});
}

void Tuplets(CScore& song)
{
    AddNotes(song, 0,
             {{0, 16, C5, 0, 0, 3},
              {16, 16, D5, 0, 0, 3},
              {32, 16, E5, 0, 0, 3},
              {96, 32, G4, 0, 0, 3},
              {128, 32, A4, 0, 0, 3},
              {160, 32, B4, 0, 0, 3},
              {192, 8, E4, 0, 0, 3},
              {200, 8, F4, 0, 0, 3},
              {208, 8, G4, 0, 0, 3},
              {240, 16, C4, 0, 0, 3},
              {256, 16, D4, 0, 0, 3},
              {272, 16, C4, 0, 0, 3}});
}

void GraceChains(CScore& song)
{
    AddNotes(song, 0,
             {{0, 12, D5, 0, 0, 0, 1},
              {12, 12, E5, 0, 0, 0, 1},
              {24, 72, C5, 0, 0, 0, -12},
              {96, 48, G4, 0, 0, 0, 11},
              {144, 24, C6, 0, 0, 0, 1},
              {192, 96, A4}});
    TrackRecord40 figure;
    figure.noteCount = 2;
    figure.beamCount = 1;
    figure.steps[0] = 3;
    figure.steps[1] = 5;
    figure.tick = song.MeasureStartTick(1) + 2 * song.division;
    song.GetTrack(0)->InsertRecord40(true, &figure);
}

TEST(NotePainter, NotesAndRestsMatchTheGoldenPicture) { ExpectGoldenSong(NotesAndRests, "notes_and_rests"); }

TEST(NotePainter, ChordsMatchTheGoldenPicture) { ExpectGoldenSong(Chords, "chords"); }

TEST(NotePainter, ChordAccidentalsMatchTheGoldenPicture) { ExpectGoldenSong(ChordAccidentals, "chord_accidentals"); }

// At zoom 2 as well: the painters' offsets grow with the staff.
TEST(NotePainter, BeamsAndFlagsMatchTheGoldenPictures)
{
    ExpectGoldenSong(BeamsAndFlags, "beams_and_flags");
    ExpectGoldenSong(BeamsAndFlags, "beams_and_flags_zoom2", 2.0);
}

// At zoom 2, where a 64th stands far enough from its neighbours to show its hooks.
TEST(NotePainter, BeamCountsMatchTheGoldenPicture) { ExpectGoldenSong(BeamCounts, "beam_counts", 2.0); }

// Zoomed, a three-digit measure number reaches over the bar line to the high first note of its measure and its
// accidental: the number moves up out of their way.
TEST(NotePainter, MeasureNumbersClearHighNotesAtTheBars)
{
    CScoreView view;
    view.score.NewSong(1, 4, 2);
    for (int m = 99; m < 102; ++m)
        AddNotes(view.score, 0, {{192 * m, 48, G5 + 12 + (m - 99) * 2 + 1, 1}, {192 * m + 48, 144, C5}});
    view.firstVisibleBeat = 4 * 99;
    PaintNoteSong(view, 2.0);
    ExpectGolden(view, "measure_numbers");
}

TEST(NotePainter, TiesMatchTheGoldenPicture) { ExpectGoldenSong(Ties, "ties"); }

TEST(NotePainter, TupletsMatchTheGoldenPicture) { ExpectGoldenSong(Tuplets, "tuplets"); }

// At zoom 2 as well: the digits stand higher over their notes and still fit the page.
TEST(NotePainter, GraceChainsMatchTheGoldenPictures)
{
    ExpectGoldenSong(GraceChains, "grace_chains");
    ExpectGoldenSong(GraceChains, "grace_chains_zoom2", 2.0);
}

// A chord of seconds: with stems up the lower note stays and the upper moves right; with stems down the upper
// stays and the lower moves left; a third second goes back.
TEST(NotePainter, ChordsOfSecondsStoreTheirHeadShifts)
{
    const std::tuple<std::vector<int>, std::vector<int>> cases[] = {
        {{F4, G4}, {0, 8}},
        {{F4, G4, A4}, {0, 8, 0}},
        {{D5, E5}, {-8, 0}},
    };
    for (const auto& [pitches, shifts] : cases) {
        CScoreView view;
        view.score.NewSong(1, 4, 2);
        for (int pitch : pitches)
            AddNotes(view.score, 0, {{0, 48, pitch}});
        PaintNoteSong(view, 1.0);
        for (size_t i = 0; i < pitches.size(); ++i) {
            NoteEvent* note = view.score.GetTrackNotes(0);
            while (note && note->pitch != pitches[i])
                note = note->next;
            ASSERT_TRUE(note);
            EXPECT_EQ(note->headShift, shifts[i]) << "pitch " << pitches[i];
        }
    }
}

// Paints through the page's context and notes the one-character glyphs drawn.
class GlyphLog : public CDC {
public:
    explicit GlyphLog(HDC page) { m_hDC = m_hAttribDC = page; }
    ~GlyphLog() override { m_hDC = m_hAttribDC = nullptr; }
    BOOL TextOut(int x, int y, LPCTSTR text, int length) override
    {
        if (length == 1)
            glyphs.push_back(text[0]);
        return CDC::TextOut(x, y, text, length);
    }
    std::vector<char> glyphs;
};

// A chord that no beam reaches carries one flag on its one stem, whatever heads stand beside the others.
TEST(NotePainter, AChordOfSecondsCarriesOneFlag)
{
    struct Case {
        std::vector<int> pitches;
        int length;
        bool up;
    };
    const Case cases[] = {
        {{C4, E4}, 3, true},  {{F4, G4}, 3, true},       {{F4, G4, A4}, 6, true}, {{E4, F4, G4, A4}, 12, true},
        {{D5, E5}, 6, false}, {{D5, E5, F5}, 12, false}, {{C5, D5}, 24, false},
    };
    for (const Case& c : cases) {
        CScoreView view;
        view.score.NewSong(1, 4, 2);
        view.score.gridValue = 1.0;
        for (int pitch : c.pitches)
            AddNotes(view.score, 0, {{48, c.length, pitch}});
        PaintNoteSong(view, 1.0);
        GlyphLog log(view.pageBitmap.GetDc());
        view.PaintPage(&log);
        view.pageBitmap.ReleaseDc(nullptr);
        const char flag = (char)(FlagGlyph(c.length) - (c.up ? 1 : 0));
        EXPECT_EQ(std::count(log.glyphs.begin(), log.glyphs.end(), flag), 1)
            << c.pitches.size() << " notes of length " << c.length;
    }
}

// Sixty notes at one place split into groups of at most fifty, each with its own stem.
TEST(NotePainter, ADenseChordSplitsIntoGroupsTheArraysHold)
{
    CScoreView view;
    view.score.NewSong(1, 4, 2);
    for (int pitch = 30; pitch < 90; ++pitch)
        AddNotes(view.score, 0, {{0, 24, pitch}});
    view.groupUnbeamed = 1;
    PaintNoteSong(view, 1.0);
    EXPECT_EQ(view.groupUnbeamed, 1);
    int shifted = 0;
    for (NoteEvent* note = view.score.GetTrackNotes(0); note; note = note->next)
        shifted += note->headShift != 0;
    EXPECT_GT(shifted, 0);
}

TEST(NotePainter, TupletSubdivisionsStayInsideTheirTable)
{
    CScoreView view;
    view.score.NewSong(1, 4, 2);
    AddNotes(view.score, 0, {{0, 16, C5, 0, 0, 3}, {16, 16, C6, 0, 0, 3}, {32, 16, E4, 0, 0, 3}});
    PaintNoteSong(view, 1.0);
    // span, parts -> fullest subdivision, octaves above the reference
    const int cases[][4] = {{48, 3, 1, 2}, {48, 1, 3, 2}, {48, 0, 3, 2}, {48, 40, 1, 2}, {0, 3, 0, 0}, {2, 9, 1, 1}};
    for (const auto& c : cases) {
        int octaves = -1;
        EXPECT_EQ(view.CountTupletSubdivisions(0, 0, 0, 0, c[0], &octaves, c[1]), c[2]) << c[0] << " " << c[1];
        EXPECT_EQ(octaves, c[3]) << c[0] << " " << c[1];
    }
    EXPECT_EQ(view.TupletBracketPosition(false, 0, 0, 0, 0, 0), 22);
}

// A chain that runs past the end of the track's notes draws what there is and returns.
TEST(NotePainter, ABrokenGraceChainEndsAtTheLastNote)
{
    CScoreView view;
    view.score.NewSong(1, 4, 2);
    AddNotes(view.score, 0, {{0, 48, C5}});
    PaintNoteSong(view, 1.0);
    Slot slot;
    slot.NaturalPitch() = C5;
    slot.Length() = 48;
    ASSERT_TRUE(view.pageBitmap.GetDc());
    CDC* dc = view.pageBitmap.GetCdc();
    view.PaintGraceChain(dc, 0, C5, 0, 0, -19, view.unit, 300, 100, 0, 1, slot, 0);
    view.PaintGraceChain(dc, 0, C5, 0, 0, 19, view.unit, 300, 100, 0, 1, slot, 0);
    view.pageBitmap.ReleaseDc(nullptr);
}

// A grace figure in a painted measure is drawn even when the track has one before the painted measures.
TEST(NotePainter, GraceFiguresBeforeThePaintedMeasuresHideNoLaterOne)
{
    std::vector<uint32_t> pages[2];
    for (int withEarlier = 0; withEarlier < 2; ++withEarlier) {
        CScoreView view;
        view.score.NewSong(1, 4, 2);
        AddNotes(view.score, 0, {{192 * 3, 48, C5}});
        for (int measure : {0, 2}) {
            if (measure == 0 && !withEarlier)
                continue;
            TrackRecord40 figure;
            figure.noteCount = 1;
            figure.steps[0] = 1;
            figure.tick = view.score.MeasureStartTick(measure) + view.score.division;
            view.score.GetTrack(0)->InsertRecord40(true, &figure);
        }
        for (int i = 0; i < kMaxTracks; ++i)
            view.score.GetTrack(i)->SetShown(i == 0);
        PrepareHeadlessView(view, 900, 0, 1.0);
        ScrollToMeasure(view, 1);
        view.RedrawScore(true);
        pages[withEarlier] = PagePixels(view.pageBitmap);
    }
    EXPECT_TRUE(pages[0] == pages[1]);
}

}  // namespace
