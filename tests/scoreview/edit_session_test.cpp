// An editing session replayed from a script as scorepng --script replays it: the song's listing and the first
// page against committed files; scripts that cannot be read stop at the faulty line.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/temp_folder.h"
#include "tests/support/test_data.h"
#include "tools/scorepng/script/edit_script.h"
#include "tools/songtool/dump/song_dump.h"
#include "view_fixture.h"

namespace {

std::string ReadText(const std::string& path)
{
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(EditSession, TheReplayedSessionMatchesTheGoldenListingAndPicture)
{
    CScoreView view;
    PrepareScriptView(view, 1.0);
    ASSERT_TRUE(RunEditScript(view, SourcePath("tests/scoreview/edit_session/session.txt")));
    EXPECT_GE(GetKeyState(VK_SPACE), 0);  // the script's held keys are let go

    std::string expectedPath = SourcePath("tests/scoreview/golden/edit_session.dump");
    std::string listing = SongDumpText(view.score);
    if (std::getenv("KESTRIN_REGENERATE_GOLDEN"))
        std::ofstream(expectedPath) << listing;
    else
        EXPECT_EQ(listing, ReadText(expectedPath));

    ScrollToMeasure(view, 0);
    view.RedrawScore(true);
    ExpectGolden(view, "edit_session");
}

TEST(EditSession, AScriptStopsAtALineItCannotRead)
{
    TempFolder folder;
    const char* faulty[] = {"bounce 1 2", "click 10", "menu 4405", "key shift down", "drag 1 2 3 4 0", "undo now"};
    for (const char* line : faulty) {
        folder.Write("faulty.txt", std::string("mode 2\nclick 298 60  # a note\n") + line + "\nclick 370 56\n");
        CScoreView view;
        PrepareScriptView(view, 1.0);
        EXPECT_FALSE(RunEditScript(view, folder.Linux("faulty.txt"))) << line;
        int notes = 0;
        for (const NoteEvent* n = view.score.GetTrack(0)->notes; n; n = n->next)
            ++notes;
        EXPECT_EQ(notes, 1) << line;  // the steps before the faulty line ran, the ones after it did not
    }
    folder.Write("held.txt", "key space down\nkey 9999 down\n");
    CScoreView view;
    EXPECT_FALSE(RunEditScript(view, folder.Linux("held.txt")));
    EXPECT_GE(GetKeyState(VK_SPACE), 0);  // a key the script left down is let go
}

}  // namespace
