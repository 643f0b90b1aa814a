// The file list's commands through the dispatcher: add through the chooser, once per path; move; remove.
#include <functional>

#include "audio/window_layer/audio_window_layer.h"
#include "converter/file_list_rows.h"
#include "dialog_fixture.h"

namespace {

class FileListCommands : public ConverterDialog {
protected:
    void SetUp() override
    {
        ConverterDialog::SetUp();
        for (const char* name : {"one.wav", "two.wav", "three.wav"})
            program.Write(std::string("media/") + name, "RIFF");
    }

    // Answers the next chooser with these files of the media folder (several: folder, then names).
    void Choose(std::initializer_list<const char*> names)
    {
        std::string answer = program.Win("media");
        if (names.size() == 1) {
            answer += "\\" + std::string(*names.begin());
        } else {
            for (const char* name : names)
                answer += std::string(1, '\0') + name;
        }
        GetRecordingPromptService().QueueFileAnswer(answer);
    }

    // A media file's path as the program keeps it, and as the list shows it.
    std::string Media(const char* name) const { return program.Win(std::string("media/") + name); }
    std::string Shown(const char* name) const { return program.Linux(std::string("media/") + name); }
};

TEST_F(FileListCommands, AddsEachChosenFileOncePendingAndNewBatchesFirst)
{
    Choose({"one.wav", "two.wav"});
    Command(CODE_ADD_FILES);
    const std::string pending = GetLanguageText("Pending").GetString();
    EXPECT_EQ(Rows(), Shown("one.wav") + ":" + pending + "|" + Shown("two.wav") + ":" + pending);
    // The chosen row's file is the program's own path, not the text shown.
    EXPECT_EQ(dialog->m_currentMedia, CString(Media("one.wav").c_str()));
    // The same file again, and a new one: only the new one is added, before the rows already listed.
    Choose({"two.wav", "three.wav"});
    Command(CODE_ADD_FILES);
    EXPECT_EQ(dialog->m_fileList.GetItemCount(), 3);
    EXPECT_EQ(dialog->m_fileList.GetItemText(1, 0), CString(Shown("three.wav").c_str()));
    EXPECT_NE(Log().find("Open files -  2"), std::string::npos);
}

TEST_F(FileListCommands, ChooserCancelAddsNothing)
{
    GetRecordingPromptService().QueueFileAnswer(std::nullopt);
    Command(CODE_ADD_FILES);
    EXPECT_EQ(dialog->m_fileList.GetItemCount(), 0);
}

TEST_F(FileListCommands, MovesKeepStateAndSelectionAndStopAtTheEnds)
{
    Choose({"one.wav", "two.wav", "three.wav"});
    Command(CODE_ADD_FILES);
    dialog->m_fileList.SetItemText(0, 1, "Done");
    // Row 0 is selected after adding: up does nothing, down moves it.
    Command(CODE_FILE_UP);
    EXPECT_EQ(dialog->m_fileList.GetItemText(0, 0), CString(Shown("one.wav").c_str()));
    Command(CODE_FILE_DOWN);
    Command(CODE_FILE_DOWN);
    EXPECT_EQ(dialog->m_fileList.GetItemText(2, 0), CString(Shown("one.wav").c_str()));
    EXPECT_EQ(dialog->m_fileList.PathAt(2), CString(Media("one.wav").c_str()));
    EXPECT_EQ(dialog->m_fileList.GetItemText(2, 1), "Done");
    EXPECT_EQ(dialog->m_fileList.GetNextItem(-1, LVNI_SELECTED), 2);
    Command(CODE_FILE_DOWN);
    EXPECT_EQ(dialog->m_fileList.GetItemText(2, 0), CString(Shown("one.wav").c_str()));
    const std::string log = Log();
    EXPECT_NE(log.find("Click file up"), std::string::npos);
    EXPECT_NE(log.find("Click file down"), std::string::npos);
}

TEST_F(FileListCommands, RemovingEveryRowLeavesNoCurrentFileAndTheWholeRange)
{
    Choose({"one.wav", "two.wav"});
    Command(CODE_ADD_FILES);
    for (int i = 0; i < 2; ++i)
        dialog->m_fileList.SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);
    dialog->m_rangeBar.m_dStart = 20;
    dialog->m_rangeBar.m_dEnd = 40;
    Command(CODE_REMOVE_FILES);
    EXPECT_EQ(dialog->m_fileList.GetItemCount(), 0);
    EXPECT_TRUE(dialog->m_currentMedia.IsEmpty());
    EXPECT_EQ(dialog->m_duration, 0);
    EXPECT_EQ(dialog->m_rangeBar.m_dStart, 0);
    EXPECT_EQ(dialog->m_rangeBar.m_dEnd, 100);
}

// While an added file is measured (ffmpeg under the program's message pump), a click on remove, delete, convert or
// add reaches the dialog; the added row stays as it is and nothing converts.
TEST_F(FileListCommands, CommandsArrivingWhileAnAddedFileIsMeasuredAreRefused)
{
    struct ProgramPump {
        ProgramPump() { SetAudioWindowHooks(AudioWindowLayerHooks()); }
        ~ProgramPump() { SetAudioWindowHooks(DefaultAudioWindowHooks()); }
    } pump;
    const struct {
        const char* name;
        std::function<void()> command;
    } cases[] = {
        {"remove", [&] { Command(CODE_REMOVE_FILES); }},
        {"delete", [&] { dialog->SendMessage(WM_COMMAND, ID_DELETE_FILES, 0); }},
        {"convert", [&] { Command(CODE_CONVERT); }},
        // Last: its chooser answer stays queued once the add is refused.
        {"add",
         [&] {
             Choose({"three.wav"});
             Command(CODE_ADD_FILES);
         }},
    };
    const std::string pending = GetLanguageText("Pending").GetString();
    for (const auto& c : cases) {
        dialog->m_fileList.DeleteAllItems();
        bool arrived = false;
        dialog->onPostedApp = [&] {
            arrived = true;
            SelectOnlyRow(dialog->m_fileList, 0);
            c.command();
        };
        dialog->PostMessage(WM_APP, 0, 0);
        Choose({"one.wav"});
        Command(CODE_ADD_FILES);
        EXPECT_TRUE(arrived) << c.name;
        EXPECT_EQ(Rows(), Shown("one.wav") + ":" + pending) << c.name;
        EXPECT_TRUE(dialog->doneDialogs.empty()) << c.name;
    }
}

}  // namespace
