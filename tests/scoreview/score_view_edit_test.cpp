// Score view commands without a window: note spacing, opening files, the undo history and note deletion.
#include <gtest/gtest.h>

#include "kernel/prompt_service.h"
#include "scoreview/score_pages.h"
#include "scoreview/score_view.h"
#include "song/instrument_names.h"
#include "tests/support/temp_folder.h"
#include "ui/menu.h"
#include "ui/ui.h"

namespace {

class ScoreViewEdit : public ::testing::Test {
protected:
    void SetUp() override { GetRecordingPromptService().Clear(); }
    void TearDown() override { GetRecordingPromptService().Clear(); }

    // Inserts a quarter note at the beat into track 0, as note entry does, with its undo record.
    void EnterNote(int beat, int pitch)
    {
        int start = beat * view.score.division, end = start + view.score.division;
        view.score.GetTrack(0)->InsertNote(false, start, end, (int8_t)pitch, 96, 0, 0, 0, 0, 0, 0);
        const NoteEvent* note = view.score.GetTrack(0)->notes;
        while (note->start != start)
            note = note->next;
        view.PushUndoNoteInserted(start, end, pitch, 96, note->accidental);
    }
    std::vector<int> Pitches(int track = 0) const
    {
        std::vector<int> pitches;
        for (const NoteEvent* n = view.score.GetTrack(track)->notes; n; n = n->next)
            pitches.push_back(n->pitch);
        return pitches;
    }

    CScoreView view;
};

TEST_F(ScoreViewEdit, NoteSpacingStaysPositiveAndTicksStayFinite)
{
    for (int i = 0; i < 30; ++i)
        view.ChangeNoteSpacing(0);
    EXPECT_NEAR(view.noteSpacing, 0.1, 1e-9);
    EXPECT_GE(view.StripXToTick(400, 0), 0);
    view.ChangeNoteSpacing(1);
    EXPECT_NEAR(view.noteSpacing, 0.2, 1e-9);
}

TEST_F(ScoreViewEdit, OpeningReportsFailuresAndGivesTheCursorBack)
{
    TempFolder folder;
    folder.Write("bad.mid", "not a midi file");
    folder.Write("bad.mmf", "not smaf");
    folder.Write("song.txt", "");
    HCURSOR before = ::LoadCursor(nullptr, IDC_ARROW);
    ::SetCursor(before);
    // The SMAF reader reports its own failures.
    const struct {
        const char* name;
        bool openFailedMessage;
    } cases[] = {{"bad.mid", true}, {"missing.sms", true}, {"bad.mmf", false}, {"song.txt", false}};
    for (const auto& c : cases) {
        GetRecordingPromptService().Clear();
        int result = view.OpenScoreFile(CString(folder.Win(c.name).c_str()), 0);
        EXPECT_NE(result, 0) << c.name;
        auto messages = GetRecordingPromptService().Messages();
        bool openFailed = !messages.empty() && messages.back().text == "Open file failed !!!";
        EXPECT_EQ(openFailed, c.openFailedMessage) << c.name;
        EXPECT_EQ(::GetCursor(), before) << c.name;
    }
}

TEST_F(ScoreViewEdit, UndoTakesBackInsertionsNewestFirstAndForgetsTheOldestPastTen)
{
    view.OnUndo();  // nothing to undo
    for (int i = 0; i < 12; ++i)
        EnterNote(i, 60 + i);
    EXPECT_EQ(view.undoDepth, 10);
    EXPECT_EQ(view.undoInserted.count, 10);
    view.OnUndo();
    EXPECT_EQ(Pitches().back(), 70);
    for (int i = 0; i < 12; ++i)
        view.OnUndo();
    EXPECT_EQ(Pitches(), (std::vector<int>{60, 61}));
    EXPECT_EQ(view.undoDepth, 0);
    EXPECT_EQ(view.undoInserted.count, 0);
}

TEST_F(ScoreViewEdit, AnErasedNoteComesBackWithItsFieldsAndTheHoverIsForgotten)
{
    view.score.GetTrack(0)->InsertNote(false, 96, 192, 64, 80, 0, 0, 0, 1, 0, 0);
    NoteEvent* note = view.score.GetTrack(0)->notes;
    view.hoveredNote = note;
    view.hitKind = 1;
    NoteEvent pattern = *note;
    EXPECT_EQ(view.DeleteNote(true, 0, pattern), 1);
    EXPECT_EQ(view.hoveredNote, nullptr);
    EXPECT_EQ(view.hitKind, 0);
    EXPECT_EQ(view.score.GetTrack(0)->notes, nullptr);
    EXPECT_EQ(view.score.modified, 1);
    view.OnUndo();
    const NoteEvent* back = view.score.GetTrack(0)->notes;
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->start, 96);
    EXPECT_EQ(back->end, 192);
    EXPECT_EQ(back->pitch, 64);
    EXPECT_EQ(back->velocity, 80);
    EXPECT_EQ(back->stemDirection, 1);
}

TEST_F(ScoreViewEdit, DeletingANoteFreesItsGraceNotesAndGivesBackTheirTime)
{
    CTrack* track = view.score.GetTrack(0);
    track->InsertNote(false, 0, 48, 60, 96, 0, 12, 0, 0, 0, 0);  // two grace notes after it
    track->InsertNote(false, 48, 72, 62, 96, 0, 1, 0, 0, 0, 0);
    track->InsertNote(false, 72, 96, 64, 96, 0, 2, 0, 0, 0, 0);
    track->InsertNote(false, 192, 288, 67, 96, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(view.RemoveGraceChain(0, track->notes), nullptr);
    EXPECT_EQ(Pitches(), (std::vector<int>{60, 67}));
    EXPECT_EQ(track->notes->end, 96);
    EXPECT_EQ(track->notes->graceLink, 0);
}

TEST_F(ScoreViewEdit, PaletteChoicesAndSeconds)
{
    view.SetPaletteChoice(137, 23);
    EXPECT_EQ(std::vector<int>(view.tupletFlags, view.tupletFlags + 5), (std::vector<int>{0, 0, 1, 0, 0}));
    view.SetPaletteChoice(137, 20);
    EXPECT_EQ(std::vector<int>(view.tupletFlags, view.tupletFlags + 5), (std::vector<int>{0, 0, 0, 0, 0}));
    view.SetPaletteChoice(137, 11);
    EXPECT_EQ(view.score.dotMode, 1);
    view.SetPaletteChoice(155, 1052);
    EXPECT_EQ(view.paletteChoice[6], 2);
    view.score.tempo = 100;
    view.score.division = 96;
    EXPECT_EQ(view.TicksToSeconds(960), 6);
    EXPECT_EQ(view.TicksToSeconds(INT32_MAX), (int)(INT32_MAX * 60LL / 9600));  // no overflow
}

TEST_F(ScoreViewEdit, TracksAreAddedAfterTheLastShownAndOneAlwaysStays)
{
    for (int i = 0; i < kMaxTracks; ++i)
        view.score.GetTrack(i)->SetShown(i == 0);
    view.AddOrRemoveTrack(0);
    EXPECT_EQ(view.score.CountShownTracks(), 1);
    view.AddOrRemoveTrack(1);
    EXPECT_TRUE(view.score.GetTrack(1)->IsShown());
}

TEST_F(ScoreViewEdit, TheNoteMenuChangesAccidentalStemAndTrackAndMarksTheSongChanged)
{
    CTrack* track = view.score.GetTrack(0);
    track->InsertNote(false, 0, 96, 59, 96, -1, 0, 0, 0, 0, 0);
    view.hoveredNote = track->notes;
    view.score.trackCount = 40;
    CMenu menu;
    view.BuildNoteMenu(menu);
    for (int id = 4400; id <= 4404; ++id)
        EXPECT_EQ((menu.GetMenuState(id, MF_BYCOMMAND) & MF_CHECKED) != 0, id == 4403) << id;
    EXPECT_EQ(menu.GetSubMenu(9)->GetMenuItemCount(), 29u);

    const int pitch = track->notes->pitch;
    view.OnNoteAccidental(4400);
    EXPECT_EQ(track->notes->pitch, pitch + 3);
    EXPECT_EQ(track->notes->accidental, 2);
    EXPECT_EQ(view.score.modified, 1);
    view.score.modified = 0;
    view.OnNoteStem(4407);
    EXPECT_EQ(track->notes->stemDirection, -1);
    EXPECT_EQ(view.score.modified, 1);

    track->notes->pitch = 127;  // a sharper spelling would leave the MIDI range
    view.OnNoteAccidental(4400 + 0);
    EXPECT_EQ(track->notes->pitch, 127);

    view.score.modified = 0;
    view.OnMoveNoteToTrack(4410 + 2);
    EXPECT_EQ(track->notes, nullptr);
    ASSERT_NE(view.score.GetTrack(2)->notes, nullptr);
    EXPECT_EQ(view.score.GetTrack(2)->notes->next, nullptr);
    EXPECT_EQ(view.hoveredNote, nullptr);
    EXPECT_EQ(view.score.modified, 1);
}

TEST_F(ScoreViewEdit, ARightClickBesideNotesStepsTheNoteValueInNoteEntryOnly)
{
    view.paletteChoice[0] = 6;
    view.editMode = 1;
    view.OnRButtonDown(0, CPoint(10, 10));
    EXPECT_EQ(view.paletteChoice[0], 6);
    view.editMode = 2;
    view.OnRButtonDown(0, CPoint(10, 10));
    EXPECT_EQ(view.paletteChoice[0], 0);
}

TEST_F(ScoreViewEdit, AHeadlessViewTakesClicksWithoutTheWindowSystem)
{
    PrepareHeadlessView(view, 800, 0, 1.0);
    view.RedrawScore(true);
    view.SetEditMode(2);
    CPoint p = view.PageToWindow(view.StaffPointOnStrip(0, 96, 67));
    view.OnMouseMove(0, p);
    view.OnLButtonDown(MK_LBUTTON, p);
    view.OnLButtonUp(0, p);
    ASSERT_NE(view.score.GetTrack(0)->notes, nullptr);
    EXPECT_EQ(view.score.GetTrack(0)->notes->start, 96);
    EXPECT_EQ(view.score.GetTrack(0)->notes->pitch, 67);
}

// The text entry dialog without a window: its text is what the test types.
struct TypedEntry : ITextEntryDialog {
    BOOL Create(CWnd*) override { return TRUE; }
    CWnd* Window() override { return nullptr; }
    void SetNotify(CWnd*, UINT, UINT) override {}
    void SetText(const CString& value) override { text = value; }
    CString GetText() override { return text; }
    CString text;
};

std::vector<std::pair<int, std::string>> Annotations(const CScore& score)
{
    std::vector<std::pair<int, std::string>> all;
    for (const TextAnnotation* a = score.annotations; a; a = a->next)
        all.emplace_back(a->tick, a->text);
    return all;
}

TEST_F(ScoreViewEdit, AnnotationsAreFoundWithinHalfABeat)
{
    EXPECT_NE(view.AddTextAnnotation(47, "a", g_defaultTextFont, g_defaultTextColour), nullptr);
    EXPECT_EQ(view.score.modified, 1);
    EXPECT_EQ(view.AddTextAnnotation(10, "", g_defaultTextFont, g_defaultTextColour), nullptr);
    EXPECT_EQ(view.FindTextAnnotationNear(0)->tick, 47);
    view.DeleteTextAnnotation(view.score.annotations);
    view.AddTextAnnotation(48, "b", g_defaultTextFont, g_defaultTextColour);
    EXPECT_EQ(view.FindTextAnnotationNear(0), nullptr);
    EXPECT_EQ(view.FindTextAnnotationNear(96), nullptr);
}

TEST_F(ScoreViewEdit, TheTextEntryCommitsHyphenatesDeletesAndCloses)
{
    auto* entry = new TypedEntry;
    view.textEntryDialog.reset(entry);
    CTrack* track = view.score.GetTrack(0);
    for (int beat = 0; beat < 4; ++beat)
        track->InsertNote(false, beat * 96, beat * 96 + 96, 60, 96, 0, 0, 0, 0, 0, 0);
    view.hoveredNote = track->notes;
    view.BeginNoteTextEdit();
    entry->text = "la";
    view.OnTextEntryNotify(0);  // commit, go on to the second note
    EXPECT_EQ(view.annotatedNote, track->notes->next);
    entry->text = "ti";
    view.OnTextEntryNotify(1);  // commit and a hyphen at the note's middle
    EXPECT_EQ(Annotations(view.score), (std::vector<std::pair<int, std::string>>{{0, "la"}, {96, "ti"}, {144, "-"}}));
    view.OnTextEntryNotify(2);  // nothing edited at the third note: back to the second
    EXPECT_EQ(view.annotatedNote, track->notes->next);
    EXPECT_EQ(entry->text, "ti");
    view.OnTextEntryNotify(2);  // deletes "ti"
    EXPECT_EQ(Annotations(view.score), (std::vector<std::pair<int, std::string>>{{0, "la"}, {144, "-"}}));
    EXPECT_EQ(view.annotatedNote, track->notes);
    entry->text = "do";
    view.OnViewNotify(kTextEntryNotifyCode, 3);  // close: the edited annotation takes the text
    EXPECT_EQ(Annotations(view.score), (std::vector<std::pair<int, std::string>>{{0, "do"}, {144, "-"}}));
    EXPECT_EQ(view.annotatedNote, nullptr);
}

TEST_F(ScoreViewEdit, TheTrackTablesApplyAndAMovedRowMovesItsTrack)
{
    view.FillTrackTables();
    view.trackNames[3] = InstrumentName(0);
    view.trackShown[3] = 1;
    view.trackVolume[3] = 77;
    view.trackChannel[3] = 9;  // not a drum kit: the drum channel is refused
    view.OnViewNotify(kTrackEditNotifyCode, 0);
    CTrack* third = view.score.GetTrack(3);
    EXPECT_TRUE(third->IsShown());
    EXPECT_EQ(third->GetVolume(), 77);
    EXPECT_EQ(third->GetChannel(), 0);
    view.OnViewNotify(kTrackEditNotifyCode, 3 * 256 + 0);  // row 3 dropped after row 0
    EXPECT_EQ(view.score.GetTrack(1), third);
    EXPECT_EQ(view.trackVolume[1], 77);
}

TEST_F(ScoreViewEdit, SymbolsAndCurveMarksArePlacedErasedAndTheCurveComesBack)
{
    PrepareHeadlessView(view, 800, 0, 1.0);
    view.RedrawScore(true);
    CPoint at = view.PageToWindow(view.StaffPointOnStrip(0, 100, 67));
    view.SetEditMode(4);
    view.SetPaletteChoice(138, 2);
    view.OnMouseMove(0, at);
    view.OnLButtonDown(MK_LBUTTON, at);
    view.OnLButtonUp(0, at);
    const PlacedSymbol* symbol = view.score.GetTrack(0)->placedSymbols;
    ASSERT_NE(symbol, nullptr);
    EXPECT_EQ(symbol->type, 109);
    EXPECT_EQ(symbol->value, 100);

    view.SetEditMode(5);
    CPoint end(at.x + 60, at.y);
    view.OnMouseMove(0, at);
    view.OnLButtonDown(MK_LBUTTON, at);
    view.OnMouseMove(MK_LBUTTON, end);
    const CurveMark* curve = view.score.GetTrack(0)->curveMarks;
    ASSERT_NE(curve, nullptr);
    EXPECT_GT(curve->tick3, curve->tick1);
    EXPECT_GT(curve->offset2, curve->offset1);  // the middle point bends below the ends
    view.SetEditMode(1);
    view.OnLButtonDown(MK_LBUTTON, end);  // the curve being drawn is under the mouse: erased
    EXPECT_EQ(view.score.GetTrack(0)->curveMarks, nullptr);
    view.OnUndo();
    ASSERT_NE(view.score.GetTrack(0)->curveMarks, nullptr);
    EXPECT_GT(view.score.GetTrack(0)->curveMarks->tick3, view.score.GetTrack(0)->curveMarks->tick1);
}

TEST_F(ScoreViewEdit, TheViewDescribesItsMusicFontAndTextFont)
{
    EXPECT_STREQ(g_musicFontDescription.lfFaceName, "8888 8888");
    EXPECT_STREQ(g_defaultTextFont.lfFaceName, "Arial");
    EXPECT_EQ(g_noteColour, view.noteColour);
}

}  // namespace
