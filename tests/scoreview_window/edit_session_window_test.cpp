// The editing session of the score view tests replayed through a real window: the messages go through the
// window system, and the song and its first page come out as they do headless.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "imaging/raster_image.h"
#include "kernel/path_map.h"
#include "scoreview/score_pages.h"
#include "scoreview/score_view.h"
#include "tests/support/test_data.h"
#include "tests/support/window/ui_fixture.h"
#include "tools/scorepng/script/edit_script.h"
#include "tools/songtool/dump/song_dump.h"

namespace {

TEST(EditSessionWindow, TheSessionThroughTheWindowEditsAndPaintsAsHeadless)
{
    CScoreView view;
    // As wide as the scripts' view and lower than the page, so that the page stands at the same window points.
    ASSERT_TRUE(view.CreateEx(0, nullptr, "score", WS_POPUP | WS_VISIBLE, 20, 20, kEditScriptWindowWidth, 300, nullptr,
                              nullptr));
    view.UpdateMetrics();  // as the composer's layout does once the view has its size
    PumpFor(50);
    ASSERT_TRUE(RunEditScript(view, SourcePath("tests/scoreview/edit_session/session.txt")));
    PumpFor(50);
    std::ifstream expected(SourcePath("tests/scoreview/golden/edit_session.dump"));
    std::ostringstream text;
    text << expected.rdbuf();
    EXPECT_EQ(SongDumpText(view.score), text.str());
    EXPECT_GE(GetKeyState(VK_SPACE), 0);

    ScrollToMeasure(view, 0);
    view.RedrawScore(true);
    CRasterImage golden;
    ASSERT_TRUE(
        golden.LoadFile(ToWindowsPath(SourcePath("tests/scoreview/golden/edit_session.bmp")).c_str(), RASTER_TYPE_BMP));
    ASSERT_EQ(golden.GetWidth(), view.pageBitmap.Width());
    ASSERT_EQ(golden.GetHeight(), view.pageBitmap.Height());
    std::vector<uint32_t> page = PagePixels(view.pageBitmap);
    int differing = 0;
    for (int y = 0; y < view.pageBitmap.Height(); ++y)
        for (int x = 0; x < view.pageBitmap.Width(); ++x) {
            const BYTE* p = golden.GetPixelAddress(x, y);
            uint32_t want = p[2] << 16 | p[1] << 8 | p[0];
            differing += (page[(size_t)y * view.pageBitmap.Width() + x] & 0xFFFFFF) != want;
        }
    EXPECT_EQ(differing, 0) << "the page painted after the session differs from the golden picture";
    view.DestroyWindow();
}

}  // namespace
