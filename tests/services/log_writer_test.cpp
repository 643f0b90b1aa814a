// The log: banner and size check once per run, numbered lines, the converter's file name.
// Each run of the writer happens in a child process, as its once-per-run state is process-wide.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <sstream>
#include <vector>

#include "services/deliverable.h"
#include "services/log_writer.h"
#include "tests/support/temp_folder.h"

namespace {

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0, end;
    while ((end = text.find("\r\n", start)) != std::string::npos) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(start, text.size()) << "every line ends in CR LF";
    return lines;
}

class LogWriter : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "fast"); }

    // Runs writes in a fresh process whose documents folder is the temporary folder.
    template <class Writes>
    void RunInChild(Writes writes)
    {
        EXPECT_EXIT(
            {
                setenv("XDG_DOCUMENTS_DIR", docs.Linux().c_str(), 1);
                writes();
                std::exit(0);
            },
            ::testing::ExitedWithCode(0), "");
    }

    TempFolder docs;
};

TEST_F(LogWriter, BannerOnceThenNumberedLines)
{
    RunInChild([] {
        WriteLog("a", "b", "", "", "", "", "", "");
        WriteLogLine("");
        WriteLog("Open files - ", 3);
        WriteLogNumbers(1, -2, 3, 4);
    });
    std::vector<std::string> lines = SplitLines(docs.Read("quaverly/TonwickComposer.txt"));
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[0], std::string(70, '*'));
    for (int i = 1; i <= 5; i++)
        EXPECT_EQ(lines[i].size(), 70u) << i;
    EXPECT_EQ(lines[6], std::string(70, '*'));
    EXPECT_EQ(lines[7], "");
    EXPECT_TRUE(std::regex_match(lines[8], std::regex(R"(Current Time = \d{4}-\d\d-\d\d \d\d:\d\d:\d\d)")));
    const char* expected[] = {"0: \\d\\d:\\d\\d:\\d\\d ab", "1: \\d\\d:\\d\\d:\\d\\d ",
                              "2: \\d\\d:\\d\\d:\\d\\d Open files -  3", "3: \\d\\d:\\d\\d:\\d\\d 1, -2, 3, 4"};
    for (int i = 0; i < 4; i++)
        EXPECT_TRUE(std::regex_match(lines[9 + i], std::regex(expected[i]))) << lines[9 + i];
}

TEST_F(LogWriter, SecondRunAppendsWithItsOwnBanner)
{
    RunInChild([] { WriteLogLine("first run"); });
    RunInChild([] { WriteLogLine("second run"); });
    std::vector<std::string> lines = SplitLines(docs.Read("quaverly/TonwickComposer.txt"));
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_TRUE(std::regex_match(lines[9], std::regex("0: .* first run")));
    EXPECT_EQ(lines[10], std::string(70, '*'));
    EXPECT_TRUE(std::regex_match(lines[19], std::regex("0: .* second run")));
}

TEST_F(LogWriter, OversizedLogIsDeletedAtTheFirstLine)
{
    struct Case {
        size_t size;
        bool kept;
    } cases[] = {{600000, false}, {0x80000, true}, {0x80001, false}};
    for (const Case& c : cases) {
        docs.Write("quaverly/TonwickComposer.txt", std::string(c.size, 'o'));
        RunInChild([] { WriteLogLine("x"); });
        std::string log = docs.Read("quaverly/TonwickComposer.txt");
        EXPECT_EQ(log.compare(0, 1, c.kept ? "o" : "*"), 0) << c.size;
        EXPECT_EQ(log.size() > c.size, c.kept) << c.size;
    }
}

TEST_F(LogWriter, UnopenableLogLosesTheLineQuietly)
{
    // A folder where the log file should be: neither open mode works.
    docs.Write("quaverly/TonwickComposer.txt/keep", "");
    RunInChild([] {
        WriteLogLine("lost");
        WriteLogLine("lost too");
    });
    EXPECT_EQ(docs.Read("quaverly/TonwickComposer.txt/keep"), "");
}

TEST_F(LogWriter, ConverterWritesTonwickTxt)
{
    RunInChild([] {
        SetDeliverable(DELIVERABLE_CONVERTER);
        WriteLogLine("converter");
    });
    EXPECT_NE(docs.Read("quaverly/Tonwick.txt").find(" converter\r\n"), std::string::npos);
    EXPECT_EQ(docs.Read("quaverly/TonwickComposer.txt"), "");
}

}  // namespace
