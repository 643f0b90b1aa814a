// The rows of a painted song keep apart: no note head of one row stands inside the staff of the row beside it.
#include <gtest/gtest.h>

#include "song/song_files.h"
#include "tests/support/test_data.h"
#include "tools/scorepng/script/edit_script.h"
#include "view_fixture.h"

TEST(RowSpacing, NoHeadOfARowStandsInTheNextRowsStaff)
{
    CScoreView view;
    ASSERT_EQ(OpenSongFile(view.score, TestDataPath("midi/TheEntertainer.mid").c_str()), 1);
    PrepareScriptView(view, 1.0);
    ScrollToMeasure(view, 0);
    view.RedrawScore(true);
    const double u = view.unit;
    int checked = 0;
    for (int t = 0; t < kMaxTracks; ++t) {
        const CTrack* track = view.score.GetTrack(t);
        const int row = view.RowOfTrack(t);
        if (!track || row < 0)
            continue;
        const double rowY = view.rowOrigin + row * view.staffSpacingPx;
        // The staff lines of the rows above and below lie 9 to 13 units under their rows' reference y.
        const double aboveBottom = rowY - view.staffSpacingPx + 13 * u, belowTop = rowY + view.staffSpacingPx + 9 * u;
        for (const NoteEvent* note = track->notes; note; note = note->next) {
            const int y = view.StaffPointOnStrip(t, note->start, note->pitch - note->accidental).y;
            if (row + 1 < view.CountRows()) {
                EXPECT_LT(y + u / 2, belowTop) << "track " << t << " tick " << note->start << " pitch " << note->pitch;
            }
            if (row > 0) {
                EXPECT_GT(y - u / 2, aboveBottom)
                    << "track " << t << " tick " << note->start << " pitch " << note->pitch;
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 100);
}
