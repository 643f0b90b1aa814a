// The clip keys under real X input while the preview plays and after it stopped: the player window holds the focus.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "converter/clip_info_file.h"
#include "converter/file_list_rows.h"
#include "converter/preview_player.h"
#include "kernel/path_map.h"
#include "dialog_fixture.h"

namespace {

class ClipKeys : public PlayingConverterDialog {
protected:
    // The clip-info files are kept by file name in the process's private folder: later tests must not meet them.
    void TearDown() override
    {
        for (const char* name : {"clip.mp4", "tone.wav"})
            std::filesystem::remove(MapPath(std::string(GetClipInfoPath(program.Win(name).c_str()))));
        PlayingConverterDialog::TearDown();
    }
    // xdotool types the key with the pointer over the dialog's caption strip, where no control lies.
    void Key(const std::string& key)
    {
        POINT p{260, 12};
        ClientToScreen(dialog->GetSafeHwnd(), &p);
        const std::string command =
            "xdotool mousemove " + std::to_string(p.x) + " " + std::to_string(p.y) + " key " + key;
        ASSERT_EQ(0, std::system(command.c_str())) << command;
        PumpFor(300);
    }
    ClipInfo Clip() const { return ReadClipInfoFile(GetClipInfoPath(media.c_str()), 5, 0, 0); }

    std::string media;
};

// With pictures the player window shows and holds the focus; with sound only it holds the focus hidden.
TEST_F(ClipKeys, F2AndTheMarkKeysReachTheDialogWhilePlayingAndAfterStop)
{
    const char* const kinds[][2] = {
        {"clip.mp4",
         "-f lavfi -i testsrc=size=160x120:rate=25:duration=8 -f lavfi -i sine=duration=8 -c:v mpeg4 "
         "-c:a aac -shortest"},
        {"tone.wav", "-f lavfi -i sine=duration=8"},
    };
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind[0]);
        media = program.Win(kind[0]);
        const std::string command =
            std::string("ffmpeg -nostdin -v error -y ") + kind[1] + " '" + program.Linux(kind[0]) + "' >/dev/null 2>&1";
        ASSERT_EQ(0, std::system(command.c_str()));
        InsertMediaRow(dialog->m_fileList, 0, media.c_str(), "Pending");
        SelectOnlyRow(dialog->m_fileList, 0);
        dialog->OnFileClick(nullptr, nullptr);
        ASSERT_NEAR(8.0, dialog->m_duration, 0.2);

        dialog->PlayPreview();
        ASSERT_EQ(2, g_previewState);
        ASSERT_EQ(::GetFocus(), g_previewWindow);
        ASSERT_TRUE(PumpUntil([] { return PreviewGetPosition() > 2.0; }, 20000));
        Key("F2");
        const double end = Clip().endPercent * 8 / 100;
        EXPECT_GT(end, 2.0);
        EXPECT_LT(end, 6.0);
        EXPECT_NEAR(Clip().endPercent, dialog->m_rangeBar.m_dEnd, 0.01);
        // "2" plays on from the end mark.
        Key("2");
        EXPECT_NEAR(end, PreviewGetPosition(), 0.5);

        // Stopped, F2 takes the place where the preview stopped, not the start of the file.
        PumpFor(500);
        const double stoppedAt = PreviewGetPosition();
        dialog->PlayPreview();
        ASSERT_NE(2, g_previewState);
        Key("F2");
        EXPECT_NEAR(stoppedAt, Clip().endPercent * 8 / 100, 0.3);
        EXPECT_GT(Clip().endPercent * 8 / 100, end);
        dialog->ClosePreview();
    }
}

}  // namespace
