// The file-name prompt's request and its answers, through the recording prompt service.
#include <gtest/gtest.h>

#include "kernel/message_box_styles.h"
#include "kernel/prompt_service.h"
#include "services/file_prompt.h"

namespace {

TEST(FilePrompt, AsksForOneTypeAndReturnsThePathOrNothing)
{
    RecordingPromptService& prompts = GetRecordingPromptService();
    prompts.Clear();
    prompts.QueueFileAnswer(std::string("C:\\pictures\\back.bmp"));
    prompts.QueueFileAnswer(std::nullopt);

    EXPECT_STREQ(PromptForFileName("Bitmap", "bmp"), "C:\\pictures\\back.bmp");
    EXPECT_STREQ(PromptForFileName(FALSE, "jpg", "Picture"), "");

    std::vector<FilePromptRequest> requests = prompts.FilePrompts();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_TRUE(requests[0].open);
    EXPECT_EQ(requests[0].filter, "Bitmap Files (*.bmp)|*.bmp||");
    EXPECT_EQ(requests[0].defaultExtension, "bmp");
    EXPECT_EQ(requests[0].initialName, "");
    EXPECT_EQ(requests[0].flags, static_cast<DWORD>(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT));
    EXPECT_FALSE(requests[1].open);
    EXPECT_EQ(requests[1].filter, "Picture Files (*.jpg)|*.jpg||");
    prompts.Clear();
}

}  // namespace
