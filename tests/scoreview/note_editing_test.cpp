// Note editing replayed from scripts as scorepng --script replays it: drags, entry beside and above notes,
// undo of moved notes, track moves and signature changes, checked against the song's notes.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "tests/support/temp_folder.h"
#include "tools/scorepng/script/edit_script.h"
#include "view_fixture.h"

namespace {

// Track, start and pitch of every note of the song.
using Notes = std::vector<std::tuple<int, int, int>>;

Notes SongNotes(const CScore& song)
{
    Notes notes;
    for (int t = 0; t < kMaxTracks; ++t)
        for (const NoteEvent* n = song.GetTrackNotes(t); n; n = n->next)
            notes.emplace_back(t, n->start, n->pitch);
    return notes;
}

// Window points as in tests/scoreview/edit_session/session.txt: x 154 is tick 0, 72 pixels a beat of 96 ticks;
// y 64 is B4 on track 1, a step of the staff every 4 pixels.
bool RunScript(CScoreView& view, TempFolder& folder, const std::string& script)
{
    folder.Write("script.txt", script);
    return RunEditScript(view, folder.Linux("script.txt"));
}

class NoteEditing : public ::testing::Test {
protected:
    void SetUp() override { PrepareScriptView(view, 1.0); }
    bool Run(const std::string& script) { return RunScript(view, folder, script); }

    TempFolder folder;
    CScoreView view;
};

TEST_F(NoteEditing, ScriptedEditsEndWithTheExpectedNotes)
{
    const struct {
        const char* script;
        Notes notes;
    } cases[] = {
        // Dragged towards the next staff the note stays on its own track, under the mouse: one note.
        {"mode 2\nclick 298 64\ndrag 298 64 298 144 8\n", {{0, 192, 36}}},
        // Undo takes back a note that was dragged or respelled after it was entered.
        {"mode 2\nclick 298 64\ndrag 298 64 370 56 4\nundo\n", {}},
        {"mode 2\nclick 298 64\nmove 298 64\nmenu 4401\nundo\n", {}},
        {"mode 2\nclick 226 64\nclick 298 64\ndrag 298 64 442 72 4\nundo\nundo\n", {}},
        // Entered above the staff, a note does not move the staff: the next click enters the pitch under it.
        {"mode 2\nclick 226 64\nclick 154 8\nclick 370 64\n", {{0, 0, 95}, {0, 96, 71}, {0, 288, 71}}},
        // A high note on the second staff moves the rows apart; that staff stays put, so the next click there enters
        // the same pitch.
        {"mode 2\nclick 226 104\nclick 298 104\nclick 370 150\n", {{1, 96, 88}, {1, 192, 88}, {1, 288, 67}}},
        // A click a few pixels beside a head adds no identical note.
        {"mode 2\nclick 298 64\nclick 305 64\nclick 292 64\n", {{0, 192, 71}}},
        // The eraser hits a triplet's middle head where it is painted.
        {"mode 2\npalette 137 3\npalette 137 21\nclick 154 64\npalette 137 20\nmode 1\nclick 178 64\n",
         {{0, 0, 71}, {0, 64, 71}}},
    };
    for (const auto& c : cases) {
        CScoreView fresh;
        PrepareScriptView(fresh, 1.0);
        ASSERT_TRUE(RunScript(fresh, folder, c.script)) << c.script;
        EXPECT_EQ(SongNotes(fresh.score), c.notes) << c.script;
    }
}

// The natural pitch a number of staff steps above another natural pitch (below for a negative number).
int StepsAbove(int pitch, int steps)
{
    static const int kScale[7] = {0, 2, 4, 5, 7, 9, 11};
    int degree = 0;
    while (kScale[degree] != pitch % 12)
        ++degree;
    int step = pitch / 12 * 7 + degree + steps;
    return step / 7 * 12 + kScale[step % 7];
}

TEST_F(NoteEditing, AClickOnEachStepOfTheStaffEntersItsPitchInEveryClef)
{
    // The middle line of track 1's staff is at y 64; a piano staff's lower staff lies its spacing further down.
    const int lowerMiddle = 64 + static_cast<int>(view.lowerStaffSpacingPx);
    const struct {
        int clef;
        int middleY;
        int middlePitch;
        int stepsAbove, stepsBelow;
    } cases[] = {
        {CLEF_G, 64, 71, 10, 9},
        {CLEF_ALTO, 64, 60, 10, 9},
        {CLEF_TENOR, 64, 57, 10, 9},
        {CLEF_BASS, 64, 50, 10, 9},
        {CLEF_PIANO, 64, 71, 10, 4},  // B4 and D3 on the middle lines
        {CLEF_PIANO, lowerMiddle, 50, 4, 9},
    };
    for (const auto& c : cases) {
        for (int steps = -c.stepsBelow; steps <= c.stepsAbove; ++steps) {
            CScoreView fresh;
            fresh.score.GetTrack(0)->InsertClef(false, 0, c.clef);
            PrepareScriptView(fresh, 1.0);
            const int y = c.middleY - 4 * steps;
            ASSERT_TRUE(RunScript(fresh, folder, "mode 2\nclick 226 " + std::to_string(y) + "\n"));
            EXPECT_EQ(SongNotes(fresh.score), (Notes{{0, 96, StepsAbove(c.middlePitch, steps)}}))
                << "clef " << c.clef << ", y " << y;
        }
    }
}

TEST_F(NoteEditing, ANoteDraggedThroughTheSpanOfANoteWithGraceNotesStays)
{
    // A note at beat 1 that carries grace notes holds beats 1 and 2: the track refuses notes there.
    view.score.GetTrack(0)->InsertNote(false, 96, 288, 67, 96, 0, 11, 0, 0, 0, 0);
    ASSERT_TRUE(Run("mode 2\nclick 154 64\ndrag 154 64 298 64 4\n"));
    EXPECT_EQ(SongNotes(view.score), (Notes{{0, 48, 71}, {0, 96, 67}}));  // its last free place
    ASSERT_TRUE(Run("undo\n"));
    EXPECT_EQ(SongNotes(view.score), (Notes{{0, 96, 67}}));
}

TEST_F(NoteEditing, ADragStopsAtTheSongsEnd)
{
    ScrollToMeasure(view, 197);
    view.RedrawScore(true);
    const int tick = view.score.MeasureStartTick(198);
    const int x = view.PageToWindow(CPoint(view.TickToStripX(tick), 0)).x;
    const std::string at = std::to_string(x) + " 64";
    ASSERT_TRUE(Run("mode 2\nclick " + at + "\ndrag " + at + " 990 64 20\n"));
    const Notes notes = SongNotes(view.score);
    ASSERT_EQ(notes.size(), 1u);
    const NoteEvent* note = view.score.GetTrackNotes(0);
    EXPECT_GT(note->start, tick);
    EXPECT_LE(note->end, view.score.MeasureStartTick(CScoreView::kLastEntryMeasure));
}

TEST_F(NoteEditing, AKeyOrTimeChangeReplacesTheOneAtItsTick)
{
    view.score.playTick = 384;
    for (int moveNotes : {0, 1, 0}) {
        view.ApplyKeySignature(2, moveNotes, 0);
        view.ApplyTimeSignature(3, 2);
    }
    int keys = 0, times = 0;
    for (const KeySignatureChange* k = view.score.keyList; k; k = k->next)
        keys += k->tick == 384;
    for (const TimeSignatureChange* t = view.score.timeList; t; t = t->next)
        times += t->tick == 384;
    EXPECT_EQ(keys, 1);
    EXPECT_EQ(times, 1);
    EXPECT_EQ(view.score.KeySignatureAt(384), 2);
}

TEST_F(NoteEditing, ATrackWithNotesMovedPastTheLastTrackIsKept)
{
    ASSERT_TRUE(Run("mode 2\nclick 298 64\nmove 298 64\nmenu 4411\n"));  // the note goes to track 2
    const int before = view.score.trackCount;
    view.FillTrackTables();
    view.OnViewNotify(kTrackEditNotifyCode, 1 * 256 + 3);  // row 2 dropped after row 4
    ASSERT_EQ(SongNotes(view.score).size(), 1u);
    EXPECT_EQ(std::get<0>(SongNotes(view.score)[0]), 3);
    EXPECT_GE(view.score.trackCount, 3 + 2);  // the song's tracks reach the moved one
    EXPECT_GE(view.score.trackCount, before);
}

}  // namespace
