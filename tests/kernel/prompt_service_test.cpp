// The recording prompt service: what model code asked, and the answers it gets.
#include <gtest/gtest.h>

#include "kernel/prompt_service.h"

namespace {

class Prompts : public ::testing::Test {
protected:
    void SetUp() override { GetRecordingPromptService().Clear(); }
    void TearDown() override { GetRecordingPromptService().Clear(); }
};

}  // namespace

TEST_F(Prompts, MessagesAreRecordedAndAnswered)
{
    SetMessageBoxTitle("Kestrin");
    EXPECT_EQ(AfxMessageBox("Stop playing first !!!"), IDOK);
    EXPECT_EQ(MessageBox(nullptr, "Open file failed !!!", nullptr, MB_ICONQUESTION), IDOK);
    EXPECT_EQ(AfxMessageBox("Save?", MB_YESNOCANCEL), IDYES);  // first button by default
    GetRecordingPromptService().QueueMessageAnswer(IDNO);
    EXPECT_EQ(AfxMessageBox("Save?", MB_YESNOCANCEL), IDNO);
    auto messages = GetRecordingPromptService().Messages();
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_EQ(messages[0].text, "Stop playing first !!!");
    EXPECT_EQ(messages[0].caption, "Kestrin");
    EXPECT_EQ(messages[0].style, (UINT)MB_OK);
    EXPECT_EQ(messages[1].caption, "Error");
    EXPECT_EQ(messages[1].style, (UINT)MB_ICONQUESTION);
}

TEST_F(Prompts, FilePromptsCancelUnlessAnswered)
{
    FilePromptRequest request;
    request.filter = "Music Files(*.mid,*.mmf)|*.mid;*.mmf||";
    request.defaultExtension = "mid";
    request.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    EXPECT_FALSE(PromptForFile(request).has_value());
    GetRecordingPromptService().QueueFileAnswer(std::string("\\tmp\\song.mid"));
    EXPECT_EQ(PromptForFile(request).value_or(""), "\\tmp\\song.mid");
    auto prompts = GetRecordingPromptService().FilePrompts();
    ASSERT_EQ(prompts.size(), 2u);
    EXPECT_EQ(prompts[1].filter, request.filter);
    EXPECT_EQ(prompts[1].defaultExtension, "mid");
}

TEST_F(Prompts, AnInstalledServiceTakesOver)
{
    struct Always : IPromptService {
        int ShowMessage(HWND, const std::string&, const std::string&, UINT) override { return IDCANCEL; }
        std::optional<std::string> PromptFileName(const FilePromptRequest&) override { return "x"; }
    } always;
    SetPromptService(&always);
    EXPECT_EQ(AfxMessageBox("q", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(PromptForFile({}).value_or(""), "x");
    SetPromptService(nullptr);
    EXPECT_EQ(AfxMessageBox("q", MB_OKCANCEL), IDOK);
    EXPECT_EQ(GetRecordingPromptService().Messages().size(), 1u);
}
