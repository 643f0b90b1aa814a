// The clip range bar of the main dialog: its track and markers lie inside the bar, where the mouse reaches them;
// the current file's clip as a click loads it.
#include <cstdlib>

#include "audio/window_layer/audio_window_layer.h"
#include "converter/file_list_rows.h"
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

TEST_F(ConverterDialog, AFileChosenWhileAnotherIsMeasuredKeepsItsOwnDuration)
{
    const std::string tone = program.Win("tone.wav");
    const std::string command =
        "ffmpeg -nostdin -v error -y -f lavfi -i sine=duration=2 '" + program.Linux("tone.wav") + "' >/dev/null 2>&1";
    ASSERT_EQ(0, std::system(command.c_str()));
    program.Write("kaputt.avi", "RIFF garbage that no demuxer takes");
    CFileListCtrl& list = dialog->m_fileList;
    InsertMediaRow(list, 0, program.Win("kaputt.avi").c_str(), "Pending");
    InsertMediaRow(list, 0, tone.c_str(), "Pending");
    ASSERT_NEAR(2.0, dialog->GetMediaDuration(tone.c_str()), 0.1);
    // The unreadable file is measured each time it is chosen; the tone is chosen while ffmpeg reads it, through
    // the program's own message pump.
    struct ProgramPump {
        ProgramPump() { SetAudioWindowHooks(AudioWindowLayerHooks()); }
        ~ProgramPump() { SetAudioWindowHooks(DefaultAudioWindowHooks()); }
    } pump;
    SelectOnlyRow(list, 1);
    dialog->onPostedApp = [&] {
        SelectOnlyRow(list, 0);
        dialog->OnFileClick(nullptr, nullptr);
    };
    dialog->PostMessage(WM_APP, 0, 0);
    dialog->OnFileClick(nullptr, nullptr);
    EXPECT_EQ(tone, dialog->m_currentMedia.GetString());
    EXPECT_NEAR(2.0, dialog->m_duration, 0.1);
    EXPECT_NEAR(100.0, dialog->m_rangeBar.m_dEnd, 0.1);
}

}  // namespace
