// AMR encoding of raw PCM files: whole files of fixed-size frames, and memory that does not grow with the input.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "media/amr_encoder.h"

namespace fs = std::filesystem;

namespace {

class AmrEncoder : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "amrtest-XXXXXX").string();
        dir = mkdtemp(pattern.data());
    }
    void TearDown() override { fs::remove_all(dir); }
    // A raw file of `samples` 16-bit values of a ramp.
    std::string Raw(size_t samples)
    {
        std::string path = (dir / "in.raw").string();
        std::ofstream out(path, std::ios::binary);
        for (size_t i = 0; i < samples; ++i) {
            int16_t v = static_cast<int16_t>((i * 97) % 20000 - 10000);
            out.write(reinterpret_cast<const char*>(&v), 2);
        }
        return path;
    }
    fs::path dir;
};

TEST_F(AmrEncoder, EveryFrameIsWrittenWithTheLastOnePadded)
{
    // Frames of 160 (narrow) and 320 (wide) samples; 12.2 kbit/s frames take 32 bytes, 23.85 kbit/s 61.
    struct Case {
        AmrKind kind;
        size_t samples;
        std::string magic;
        size_t frames, frameBytes;
    } cases[] = {
        {AMR_NARROW_BAND, 256 * 160 + 1, "#!AMR\n", 257, 32},  // one sample past a whole read
        {AMR_NARROW_BAND, 160, "#!AMR\n", 1, 32},
        {AMR_WIDE_BAND, 1000, "#!AMR-WB\n", 4, 61},
        {AMR_NARROW_BAND, 0, "#!AMR\n", 0, 32},
    };
    for (const Case& c : cases) {
        std::string out = (dir / "out.amr").string();
        ASSERT_TRUE(EncodeAmrFile(c.kind, Raw(c.samples), out));
        std::ifstream in(out, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(bytes.size(), c.magic.size() + c.frames * c.frameBytes) << c.samples;
        EXPECT_EQ(bytes.substr(0, c.magic.size()), c.magic);
    }
    EXPECT_FALSE(EncodeAmrFile(AMR_NARROW_BAND, (dir / "missing.raw").string(), (dir / "x.amr").string()));
}

size_t AddressSpaceBytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmSize:", 0) == 0)
            return std::stoul(line.substr(7)) * 1024;
    return 0;
}

TEST_F(AmrEncoder, ALongInputIsEncodedWithinAFewMegabytes)
{
    // 24 MB of silence (25 minutes of narrow-band sound) under an address-space limit of 8 MB more than
    // the process holds: reading it whole cannot fit.
    std::string raw = (dir / "long.raw").string();
    const size_t samples = 12u << 20;
    std::ofstream(raw, std::ios::binary).close();
    fs::resize_file(raw, samples * 2);
    std::string out = (dir / "long.amr").string();
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        rlimit limit{};
        limit.rlim_cur = limit.rlim_max = AddressSpaceBytes() + (8u << 20);
        setrlimit(RLIMIT_AS, &limit);
        try {
            _exit(EncodeAmrFile(AMR_NARROW_BAND, raw, out) ? 0 : 1);
        } catch (...) {
            _exit(2);  // out of memory
        }
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: failed, 2: out of memory";
    EXPECT_EQ(fs::file_size(out), 6u + (samples + 159) / 160 * 32);
}

}  // namespace
