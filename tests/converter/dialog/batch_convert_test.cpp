// The main dialog's batch conversion on the real ffmpeg: row states, the done dialog, cancel and its unwinding;
// the current file's clip without a duration.
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "audio/window_layer/audio_window_layer.h"
#include "converter/clip_info_file.h"
#include "converter/file_list_rows.h"
#include "dialog_fixture.h"
#include "audio_test_util.h"

namespace {

class BatchConvert : public ConverterDialog {
protected:
    void SetUp() override
    {
        ConverterDialog::SetUp();
        SetAudioWindowHooks(AudioWindowLayerHooks());
        std::filesystem::create_directories(program.Linux("export"));
        program.Write("media/broken.mp3", std::string(3000, '\x55'));
        ASSERT_TRUE(audiotest::Ffmpeg(
            {"-f", "lavfi", "-i", "sine=frequency=440:duration=3", program.Linux("media/a tone.wav")}));
        ASSERT_TRUE(
            audiotest::Ffmpeg({"-f", "lavfi", "-i", "sine=frequency=660:duration=3", program.Linux("media/b.wav")}));
    }
    void TearDown() override
    {
        SetAudioWindowHooks(DefaultAudioWindowHooks());
        ConverterDialog::TearDown();
    }
    // "path:state" of each row for the media names and state keys given; a key may be followed by " - " and
    // what the row adds to its state.
    std::string Expected(std::initializer_list<std::pair<const char*, const char*>> rows) const
    {
        std::string text;
        for (const auto& [name, state] : rows) {
            const std::string key = std::string(state).substr(0, std::string(state).find(" - "));
            const std::string added = std::string(state).substr(key.size());
            text += std::string(text.empty() ? "" : "|") + program.Linux(std::string("media/") + name) + ":" +
                    (key == "Pending" ? "Pending" : GetLanguageText(key.c_str()).GetString()) + added;
        }
        return text;
    }
    void AddRows(std::initializer_list<const char*> names)
    {
        int row = 0;
        for (const char* name : names)
            InsertMediaRow(dialog->m_fileList, row++, program.Win(std::string("media/") + name).c_str(), "Pending");
    }
};

TEST_F(BatchConvert, AnUnreadableFileFailsWithItsReasonAndTheBatchGoesOn)
{
    AddRows({"a tone.wav", "broken.mp3", "b.wav"});
    Command(CODE_CONVERT);
    // The failed row says why, and the log has it too.
    const CString failed = dialog->m_fileList.GetItemText(1, 1);
    const CString prefix = GetLanguageText("error") + " - ";
    EXPECT_EQ(failed.Left(prefix.GetLength()), prefix);
    EXPECT_GT(failed.GetLength(), prefix.GetLength() + 5);
    EXPECT_NE(Log().find("Convert failed - " + program.Linux("media/broken.mp3")), std::string::npos);
    dialog->m_fileList.SetItemText(1, 1, GetLanguageText("error"));
    EXPECT_EQ(Rows(), Expected({{"a tone.wav", "Done"}, {"broken.mp3", "error"}, {"b.wav", "Done"}}));
    ASSERT_EQ(dialog->doneDialogs.size(), 1u);
    EXPECT_EQ(dialog->doneDialogs[0].total, 3);
    EXPECT_EQ(dialog->doneDialogs[0].done, 2);
    EXPECT_STREQ(dialog->doneDialogs[0].firstOutput, program.Win("export/a tone.mp3").c_str());
    EXPECT_EQ(audiotest::Probe(program.Linux("export/b.mp3"), "stream=codec_name"), "mp3");
    EXPECT_EQ(dialog->m_converting, 0);
    EXPECT_TRUE(dialog->m_fileList.IsWindowEnabled());
}

TEST_F(BatchConvert, RowsOfOneTitleAndSourcesInTheExportFolderGetNamesOfTheirOwn)
{
    ASSERT_TRUE(audiotest::Ffmpeg(
        {"-f", "lavfi", "-i", "sine=frequency=880:duration=3", "-c:a", "libmp3lame", program.Linux("media/b.mp3")}));
    const auto original = std::filesystem::file_size(program.Linux("media/b.mp3"));
    // The MP3 is measured first, which decodes it to its preview wave.
    AddRows({"b.mp3", "b.wav"});
    // The export folder is the sources' own: the MP3 output of b.mp3 would be b.mp3 itself.
    dialog->m_exportFolder = program.Win("media/").c_str();
    Command(CODE_CONVERT);
    EXPECT_EQ(Rows(), program.Linux("media/b.mp3") + ":" + GetLanguageText("Done").GetString() + " - b (2).mp3|" +
                          program.Linux("media/b.wav") + ":" + GetLanguageText("Done").GetString() + " - b (3).mp3");
    EXPECT_EQ(std::filesystem::file_size(program.Linux("media/b.mp3")), original);
    EXPECT_NEAR(audiotest::ToneFrequency(program.Linux("media/b (2).mp3")), 880, 10);
    EXPECT_NEAR(audiotest::ToneFrequency(program.Linux("media/b (3).mp3")), 660, 10);
}

TEST_F(BatchConvert, TheProgressShowsInARowOfItsOwnWhileARowConverts)
{
    // Long enough that ffmpeg reports its progress on the way.
    ASSERT_TRUE(audiotest::Ffmpeg(
        {"-f", "lavfi", "-i", "sine=frequency=440:duration=600", "-ac", "1", program.Linux("media/long.flac")}));
    AddRows({"long.flac"});
    static CConverterDlg* s_dialog = nullptr;
    static std::vector<std::string>* s_texts = nullptr;
    static void (*s_pump)() = nullptr;
    std::vector<std::string> texts;
    s_dialog = dialog;
    s_texts = &texts;
    AudioWindowHooks hooks = AudioWindowLayerHooks();
    s_pump = hooks.pump;
    hooks.pump = [] {
        s_pump();
        s_texts->push_back(std::string(s_dialog->m_progressLabel.GetText()) + "|" +
                           std::string(s_dialog->m_progressFileLabel.GetText()));
    };
    SetAudioWindowHooks(hooks);
    Command(CODE_CONVERT);
    bool shown = false;
    for (const std::string& text : texts)
        shown = shown || (text.find("1") != std::string::npos && text.find("long.flac") != std::string::npos);
    EXPECT_TRUE(shown);
    // Nothing of the dialog lies over the progress row.
    CRect progress;
    CRect file;
    dialog->m_progressLabel.GetWindowRect(&progress);
    dialog->m_progressFileLabel.GetWindowRect(&file);
    for (CSkinLabel& label : dialog->m_labels) {
        CRect other;
        label.GetWindowRect(&other);
        CRect overlap;
        EXPECT_FALSE(overlap.IntersectRect(&progress, &other) || overlap.IntersectRect(&file, &other))
            << &label - dialog->m_labels;
    }
}

TEST_F(BatchConvert, ApplyingToEveryFileTakesTheFadesTheUserSwitchedOn)
{
    AddRows({"a tone.wav"});
    Command(CODE_FADE_IN);
    ASSERT_EQ(dialog->m_fadeIn, 1);
    dialog->m_applyFadeFix = 1;
    Command(CODE_CONVERT);
    EXPECT_EQ(Rows(), Expected({{"a tone.wav", "Done"}}));
    // The fade is 5 % of the 3 s clip, 0.15 s: 20 ms in, its gain is at most a third.
    const std::string output = program.Linux("export/a tone.mp3");
    EXPECT_LT(audiotest::PeakAt(output, 0.02), audiotest::PeakAt(output, 1.5) / 3);
    EXPECT_EQ(dialog->m_fadeIn, 1);
}

TEST_F(BatchConvert, AnEmptyListShowsTheDoneDialogWithNothingDone)
{
    Command(CODE_CONVERT);
    ASSERT_EQ(dialog->doneDialogs.size(), 1u);
    EXPECT_EQ(dialog->doneDialogs[0].total, 0);
    EXPECT_EQ(dialog->doneDialogs[0].done, 0);
    EXPECT_STREQ(dialog->doneDialogs[0].usedTime, "00:00:00");
    EXPECT_STREQ(dialog->doneDialogs[0].firstOutput, "");
}

TEST_F(BatchConvert, ConvertDuringABatchCancelsAndIsIgnoredUntilItHasUnwound)
{
    AddRows({"a tone.wav", "b.wav"});
    // Both presses arrive while the first row's ffmpeg run pumps the queue: the first cancels, the second
    // finds the batch stopping.
    dialog->PostMessage(WM_SKINCOMMAND, CODE_CONVERT, 0);
    dialog->PostMessage(WM_SKINCOMMAND, CODE_CONVERT, 0);
    Command(CODE_CONVERT);
    EXPECT_EQ(Rows(), Expected({{"a tone.wav", "error - Cancelled."}, {"b.wav", "Pending"}}));
    ASSERT_EQ(dialog->doneDialogs.size(), 1u);
    EXPECT_EQ(dialog->doneDialogs[0].done, 0);
    EXPECT_EQ(dialog->m_converting, 0);
    EXPECT_EQ(dialog->m_stopping, 0);
    EXPECT_TRUE(dialog->m_fileList.IsWindowEnabled());
    // Afterwards convert starts a batch again.
    Command(CODE_CONVERT);
    EXPECT_EQ(Rows(), Expected({{"a tone.wav", "Done"}, {"b.wav", "Done"}}));
}

TEST_F(BatchConvert, AFileWithoutDurationKeepsItsRange)
{
    const CString broken = program.Win("media/broken.mp3").c_str();
    WriteClipRangeKeys(GetClipInfoPath(broken), 20, 60);
    dialog->SetCurrentFile(broken);
    EXPECT_EQ(dialog->m_duration, 0);
    EXPECT_EQ(dialog->m_span30, 0);
    EXPECT_EQ(dialog->m_rangeBar.m_dStart, 20);
    EXPECT_EQ(dialog->m_rangeBar.m_dEnd, 60);
    const ClipInfo info = ReadClipInfoFile(GetClipInfoPath(broken), 5, 0, 0);
    EXPECT_EQ(info.startPercent, 20);
    EXPECT_EQ(info.endPercent, 60);
    dialog->ToggleFixDuration();
    EXPECT_EQ(dialog->m_rangeBar.m_dEnd, 60);
}

TEST_F(BatchConvert, FixedDurationShortensALongClipWhenTheFileIsMadeCurrent)
{
    ASSERT_TRUE(audiotest::Ffmpeg({"-f", "lavfi", "-i", "anullsrc=duration=60", program.Linux("media/long.wav")}));
    const CString path = program.Win("media/long.wav").c_str();
    WriteClipRangeKeys(GetClipInfoPath(path), 10, 85);  // 6 s to 51 s
    dialog->m_fixSize = 1;
    dialog->SetCurrentFile(path);
    EXPECT_NEAR(dialog->m_rangeBar.m_dEnd, 60, 1e-9);  // 6 s + 30 s
    EXPECT_NEAR(ReadClipInfoFile(GetClipInfoPath(path), 5, 0, 0).endPercent, 60, 1e-5);
}

}  // namespace
