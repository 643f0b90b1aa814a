// Command lines: Windows-style splitting and quoting, and the runner's argument vector for awkward paths.
#include <gtest/gtest.h>

#include <memory>

#include "audio/ffmpeg_process.h"
#include "audio_test_util.h"
#include "kernel/path_map.h"
#include "kernel/process_api.h"

using namespace audiotest;

namespace {

TEST(CommandLine, SplitsTheWayAWindowsProgramDoes)
{
    using V = std::vector<std::string>;
    const std::pair<const char*, V> cases[] = {
        {"ffmpeg -y -i \"a b.wav\" -vn \"c d.mp3\"", V{"ffmpeg", "-y", "-i", "a b.wav", "-vn", "c d.mp3"}},
        {"\"C:\\Program Files\\x.exe\" a\\b", V{"C:\\Program Files\\x.exe", "a\\b"}},
        {"p \"a\\\"b\" c\\\\\"d e\"", V{"p", "a\"b", "c\\d e"}},
        {"p \"say \"\"hi\"\"\" \"\"", V{"p", "say \"hi\"", ""}},
        {"  p   \t x  ", V{"p", "x"}},
    };
    for (const auto& [line, args] : cases)
        EXPECT_EQ(SplitCommandLine(line), args) << line;
}

TEST(CommandLine, QuotingRoundTrips)
{
    const char* args[] = {"plain", "with space", "quote\"inside", "trailing\\", "back\\\\\"slash", "", "ünï cödé"};
    std::string line = "prog";
    for (const char* a : args)
        line += " " + QuoteCommandLineArgument(a);
    std::vector<std::string> split = SplitCommandLine(line);
    ASSERT_EQ(split.size(), 1 + std::size(args));
    for (size_t i = 0; i < std::size(args); ++i)
        EXPECT_EQ(split[i + 1], args[i]);
}

// The runner's child gets the input and output as single arguments: printf shows each one in brackets.
TEST(CommandLine, RunnerPassesAwkwardPathsWhole)
{
    TempFolder dir;
    auto p = std::make_unique<CFfmpegProcess>();
    p->SetPrefix("printf [%s]\\n -i ");
    p->DisableMessagePump();
    std::string input = dir.Linux("in put \"q\" é.wav");
    ASSERT_EQ(p->Run(CString(ToWindowsPath(input)), " -vn -f mp3 ", "-out.mp3"), 0);
    std::string expected = "[-i]\n[" + input + "]\n[-vn]\n[-f]\n[mp3]\n[./-out.mp3]\n";
    EXPECT_EQ(std::string(p->m_szLogText), expected);
}

}  // namespace
