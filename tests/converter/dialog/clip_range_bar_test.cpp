// The clip range bar of the main dialog: its track and markers lie inside the bar, where the mouse reaches them.
#include "dialog_fixture.h"

namespace {

TEST_F(ConverterDialog, TheClipRangeEndIsDraggedOnTheSkinsTrack)
{
    // The skin's pictures are made by the build, beside the test program.
    const auto pictures = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "skin" / "skin-1";
    for (const auto& entry : std::filesystem::directory_iterator(pictures))
        std::filesystem::copy_file(entry.path(), program.Linux("skin/skin-1/" + entry.path().filename().string()),
                                   std::filesystem::copy_options::overwrite_existing);
    dialog->ApplySkinLayout();
    CSkinRangeBar& bar = dialog->m_rangeBar;
    bar.m_dStart = 0;
    bar.m_dEnd = 100;
    bar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpFor(50);
    // The skin's track runs from x 6 to 494 with the range markers hanging below it (y 22 to 34).
    bar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(494, 28));
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(494, 28));
    bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(6 + 488 * 6 / 10, 28));
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(6 + 488 * 6 / 10, 28));
    EXPECT_NEAR(60.0, bar.m_dEnd, 0.5);
    EXPECT_EQ(0.0, bar.m_dStart);
}

}  // namespace
