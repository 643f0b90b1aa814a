// The preview player in the main dialog: titles, the end of a clip, refused playlists, the preview wave.
#include <cstdlib>

#include "converter/batch_row.h"
#include "converter/preview_player.h"
#include "dialog_fixture.h"
#include "kernel/path_map.h"
#include "services/path_parts.h"
#include "services/private_temp.h"

namespace {

class PreviewPlayerTest : public PlayingConverterDialog {
protected:
    // A file made by ffmpeg from lavfi sources, in the program folder; its Windows path.
    std::string Make(const std::string& name, const std::string& sources)
    {
        const std::string command =
            "ffmpeg -nostdin -v error -y " + sources + " '" + program.Linux(name) + "' >/dev/null 2>&1";
        EXPECT_EQ(0, std::system(command.c_str()));
        return program.Win(name);
    }
    std::string Tone(const std::string& name, int seconds)
    {
        return Make(name, "-f lavfi -i sine=frequency=440:duration=" + std::to_string(seconds));
    }

    static std::string Title()
    {
        char text[256] = {};
        GetWindowText(g_previewWindow, text, sizeof text);
        return text;
    }
};

TEST_F(PreviewPlayerTest, AnAudioFilePlaysUntilItsEndClosesTheClip)
{
    const std::string tone = Tone("tone.wav", 1);
    dialog->OpenInPreview(tone.c_str());
    EXPECT_EQ(2, g_previewState);
    EXPECT_EQ(1, g_previewAudioOnly);
    EXPECT_EQ("tone.wav [Audio] ", Title());
    EXPECT_FALSE(::IsWindowVisible(dialog->m_previewWnd));
    EXPECT_EQ(tone, dialog->m_playerMedia.GetString());

    ASSERT_TRUE(PumpUntil([] { return g_previewState == 3; }, 20000));
    EXPECT_EQ("Mervane Player", Title());
    EXPECT_TRUE(dialog->m_playerMedia.IsEmpty());
    EXPECT_EQ(0.0, PreviewGetPosition());
}

TEST_F(PreviewPlayerTest, TheTitleFollowsPictureMutePauseAndRate)
{
    dialog->OpenInPreview(Make("clip.avi",
                               "-f lavfi -i testsrc=size=160x120:rate=25:duration=3 -f lavfi -i "
                               "sine=duration=3 -c:v mjpeg -c:a pcm_s16le")
                              .c_str());
    ASSERT_EQ(2, g_previewState);
    EXPECT_EQ(0, g_previewAudioOnly);
    EXPECT_TRUE(::IsWindowVisible(dialog->m_previewWnd));
    PreviewToggleMute();
    PreviewPause();
    PreviewModifyRate(0.25);
    EXPECT_EQ("clip.avi [Video] (Muted)(Paused)(Rate:1.25)", Title());
    const double before = PreviewGetPosition();
    PreviewStepFrame();
    EXPECT_NEAR(before + 0.04, PreviewGetPosition(), 0.01);
    PreviewToggleMute();
    PreviewSetRate(1.0);
    PreviewPause();
    EXPECT_EQ("clip.avi [Video] ", Title());
    // Stopped or closed, the picture no longer covers the file list.
    PreviewStop();
    EXPECT_EQ(0, g_previewState);
    EXPECT_EQ(0.0, PreviewGetPosition());
    EXPECT_FALSE(::IsWindowVisible(dialog->m_previewWnd));
    PreviewPlay();
    EXPECT_TRUE(::IsWindowVisible(dialog->m_previewWnd));
    PreviewCloseClip();
    EXPECT_EQ(3, g_previewState);
    EXPECT_FALSE(::IsWindowVisible(dialog->m_previewWnd));
}

TEST_F(PreviewPlayerTest, FullScreenTakesThePictureAndEscapeBringsItBack)
{
    dialog->OpenInPreview(Make("clip.avi", "-f lavfi -i testsrc=size=160x120:rate=25:duration=3 -c:v mjpeg").c_str());
    ASSERT_EQ(0, g_previewAudioOnly);
    PreviewToggleFullScreen();
    ASSERT_EQ(1, g_previewFullScreen);
    ASSERT_NE(nullptr, g_previewFullScreenWindow);
    RECT screen;
    ::GetWindowRect(g_previewFullScreenWindow, &screen);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), screen.right - screen.left);
    ::SendMessage(g_previewFullScreenWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(0, g_previewFullScreen);
    EXPECT_EQ(nullptr, g_previewFullScreenWindow);
    EXPECT_EQ(2, g_previewState);  // Escape left full screen only
    ::SendMessage(g_previewWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(3, g_previewState);
}

TEST_F(PreviewPlayerTest, APlaylistIsRefusedAndMissingFilesFail)
{
    program.Write("list.asx", "<asx version=\"3.0\"></asx>");
    dialog->OpenInPreview(program.Win("list.asx").c_str());
    dialog->OpenInPreview(program.Win("missing.mp3").c_str());
    EXPECT_EQ(3, g_previewState);
    EXPECT_TRUE(dialog->m_playerMedia.IsEmpty());
    const auto messages = GetRecordingPromptService().Messages();
    ASSERT_EQ(2u, messages.size());
    EXPECT_EQ("ASX Playlists are not supported by this application.\n\nPlease select a valid media file.",
              messages[0].text);
    EXPECT_EQ("Mervane Player Sample", messages[1].caption);
}

TEST_F(PreviewPlayerTest, ThePreviewWaveIsMadeOnce)
{
    const std::string tone = Tone("song.mp3", 2);
    EXPECT_NEAR(2.0, dialog->MakePreviewWave(tone.c_str()), 0.1);
    // In this run's private temporary folder.
    const std::string wave =
        MapPathLiteral(GetPrivateTempFolder() + GetPathFileName(GetPreviewWavePath("", tone.c_str())));
    EXPECT_TRUE(std::filesystem::exists(wave));
    // Without its media file, only the wave that is there already can give the duration.
    std::filesystem::remove(program.Linux("song.mp3"));
    EXPECT_NEAR(2.0, dialog->MakePreviewWave(tone.c_str()), 0.1);
    std::filesystem::remove(wave);
}

}  // namespace
