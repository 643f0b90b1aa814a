// Short notes and rests on a fine grid: a measure is spaced widely enough that each stands clear of the next.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/scorepng/script/edit_script.h"
#include "view_fixture.h"

namespace {

struct TickNote {
    int start, end, pitch;
};

// The smallest distance in pixels between two laid-out notes or rests of the first staff that follow each other
// in a measure, after painting the notes (ticks at 96 a quarter) on a 64th grid.
double SmallestStep(const std::vector<TickNote>& notes, double zoom, std::string* where)
{
    CScoreView view;
    view.score.gridValue = 1.0;
    for (const TickNote& n : notes)
        view.score.GetTrack(0)->InsertNote(false, n.start, n.end, (int8_t)n.pitch, 100, 0, 0, 0, 0, 0, 0);
    view.score.UpdateScoreLength();
    PrepareScriptView(view, zoom);
    view.RedrawScore(true);
    view.LayoutTrackNotes(0, 0, LastSongMeasure(view), view.score.GetTrackNotes(0));
    double smallest = 1e9;
    CSlotList& slots = view.noteSlots[0][0];
    for (int i = 1; i < slots.Count(); ++i) {
        const Slot a = slots.GetAt(i - 1), b = slots.GetAt(i);
        if (a.Measure() != b.Measure() || a.Position() == b.Position())
            continue;
        const double step = (b.Position() - a.Position()) * view.MeasureSpacing(a.Measure());
        if (step < smallest) {
            smallest = step;
            *where = "measure " + std::to_string(a.Measure()) + ", 48ths " + std::to_string(a.Position()) + " and " +
                     std::to_string(b.Position());
        }
    }
    return smallest / view.unit;
}

TEST(ShortValueSpacing, ShortNotesAndRestsStandTwoUnitsApart)
{
    const struct {
        const char* what;
        std::vector<TickNote> notes;
    } cases[] = {
        // Double-dotted 64ths entered a 64th apart, each cut short by the next; 64th and 32nd rests follow.
        {"double-dotted 64ths", {{0, 10, 84}, {6, 16, 84}, {12, 22, 84}, {96, 106, 79}}},
        {"64ths and a lone one", {{0, 6, 72}, {6, 12, 74}, {12, 18, 76}, {18, 24, 77}, {150, 156, 79}}},
        {"dotted 32nds and 64ths", {{0, 9, 72}, {9, 12, 74}, {12, 21, 76}, {21, 24, 77}, {48, 57, 79}}},
    };
    for (double zoom : {1.0, 2.0})
        for (const auto& c : cases) {
            std::string where;
            const double step = SmallestStep(c.notes, zoom, &where);
            ASSERT_FALSE(where.empty()) << c.what;
            EXPECT_GE(step, 1.9) << c.what << " at zoom " << zoom << ": " << where;
        }
}

}  // namespace
