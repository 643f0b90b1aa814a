// CWave: RIFF/WAVE reading and writing against hand-built files, samples, the 100 ms rule and the fade ramp.
#include <gtest/gtest.h>

#include "audio/midi_audio.h"
#include "audio/wave.h"
#include "audio_test_util.h"
#include "kernel/archive.h"
#include "kernel/prompt_service.h"
#include "kernel/resources.h"

using namespace audiotest;

namespace {

struct Fmt {
    uint16_t tag = 1, channels = 1;
    uint32_t rate = 8000, avg = 8000;
    uint16_t align = 1, bits = 8;
};

// "RIFF" size "WAVE", "fmt " chunk (16 bytes, or 18 with an extension size), optional LIST chunk, "data" chunk.
std::vector<uint8_t> WaveFile(const Fmt& f, const std::vector<uint8_t>& data, bool longFmt = false,
                              bool extraChunk = false)
{
    std::vector<uint8_t> body;
    PutTag(body, "WAVE");
    PutTag(body, "fmt ");
    Put32(body, longFmt ? 18 : 16);
    Put16(body, f.tag);
    Put16(body, f.channels);
    Put32(body, f.rate);
    Put32(body, f.avg);
    Put16(body, f.align);
    Put16(body, f.bits);
    if (longFmt)
        Put16(body, 0);
    if (extraChunk) {
        PutTag(body, "LIST");
        Put32(body, 5);
        body.insert(body.end(), {'I', 'N', 'F', 'O', 'x', 0});  // odd size, one pad byte
    }
    PutTag(body, "data");
    Put32(body, static_cast<uint32_t>(data.size()));
    body.insert(body.end(), data.begin(), data.end());
    if (data.size() % 2)
        body.push_back(0);
    std::vector<uint8_t> file;
    PutTag(file, "RIFF");
    Put32(file, static_cast<uint32_t>(body.size()));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

class WaveTest : public ::testing::Test {
protected:
    void SetUp() override { GetRecordingPromptService().Clear(); }
    CString Write(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        WriteBytes(dir.Linux(name), bytes);
        return CString(dir.Win(name));
    }
    TempFolder dir;
};

struct DepthCase {
    uint16_t bits;
    std::vector<uint8_t> data;
    std::vector<int> samples;
};

TEST_F(WaveTest, LoadsEachBitDepthAndSavesTheSameBytes)
{
    const DepthCase cases[] = {
        {4, {0x9F, 0x08}, {256, 1792, -2048, 0}},
        {8, {0x80, 0xFF, 0x00, 0x81}, {0, 32512, -32768, 256}},
        {12, {0x12, 0x34, 0x56}, {0, 0}},
        {16, {0x34, 0x12, 0xFF, 0xFF}, {0x1234, -1}},
    };
    for (const DepthCase& c : cases) {
        SCOPED_TRACE(c.bits);
        Fmt f;
        f.bits = c.bits;
        f.avg = 8000 * c.bits / 8 ? 8000 * c.bits / 8 : 4000;
        f.align = 1;
        std::vector<uint8_t> bytes = WaveFile(f, c.data);
        CWave wave;
        ASSERT_EQ(wave.Load(Write("in.wav", bytes)), 1);
        EXPECT_EQ(wave.GetBitsPerSample(), c.bits);
        EXPECT_EQ(wave.GetTotalLength(), c.data.size());
        EXPECT_EQ(0, memcmp(wave.m_riffHeader, bytes.data(), 8));
        ASSERT_EQ(wave.GetSampleCount(), static_cast<int>(c.samples.size()));
        for (size_t i = 0; i < c.samples.size(); ++i)
            EXPECT_EQ(wave.GetSample(static_cast<int>(i)), c.samples[i]) << i;
        EXPECT_EQ(wave.GetSample(-1), 0);
        EXPECT_EQ(wave.GetSample(wave.GetSampleCount()), 0);
        ASSERT_EQ(wave.Save(CString(dir.Win("out.wav"))), 1);
        EXPECT_EQ(ReadBytes(dir.Linux("out.wav")), bytes);
    }
}

TEST_F(WaveTest, OddDataIsPaddedAndTheChunkSizesAreExact)
{
    CWave wave;
    ASSERT_EQ(wave.Load(Write("odd.wav", WaveFile(Fmt(), {1, 2, 3}))), 1);
    ASSERT_EQ(wave.Save(CString(dir.Win("odd-out.wav"))), 1);
    const std::vector<uint8_t> expected = {
        'R',  'I',  'F', 'F', 40,   0,    0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 1, 0,
        0x40, 0x1F, 0,   0,   0x40, 0x1F, 0, 0, 1,   0,   8,   0,   'd', 'a', 't', 'a', 3,  0, 0, 0, 1, 2, 3, 0};
    EXPECT_EQ(ReadBytes(dir.Linux("odd-out.wav")), expected);
}

TEST_F(WaveTest, LongFormatChunkAndExtraChunksLoadAndSaveAsPlainWave)
{
    CWave wave;
    ASSERT_EQ(wave.Load(Write("long.wav", WaveFile(Fmt(), {5, 6}, true, true))), 1);
    ASSERT_EQ(wave.Save(CString(dir.Win("plain.wav"))), 1);
    EXPECT_EQ(ReadBytes(dir.Linux("plain.wav")), WaveFile(Fmt(), {5, 6}));
}

TEST_F(WaveTest, CreatedWaveHasBlockAlignOne)
{
    CWave wave;
    ASSERT_EQ(wave.Create(100, 8000, 16, 2), 1);
    EXPECT_EQ(wave.GetFormat()->wf.nAvgBytesPerSec, 32000u);
    ASSERT_EQ(wave.Save(CString(dir.Win("created.wav"))), 1);
    std::vector<uint8_t> bytes = ReadBytes(dir.Linux("created.wav"));
    ASSERT_EQ(bytes.size(), 44u + 200u);
    EXPECT_EQ(bytes[32] | (bytes[33] << 8), 1);
    EXPECT_EQ(Get32(bytes, 40), 200u);
}

TEST_F(WaveTest, CreateRefusesUnsupportedFormatsAndKeepsTheOldOne)
{
    CWave wave;
    ASSERT_EQ(wave.Create(10, 22050, 16, 1), 1);
    EXPECT_EQ(wave.Create(10, 48000, 16, 1), 0);
    EXPECT_EQ(wave.Create(10, 8000, 24, 1), 0);
    EXPECT_EQ(wave.GetSampleRate(), 22050u);
    EXPECT_EQ(wave.GetTotalLength(), 20u);
    ASSERT_EQ(wave.Create(4, 8000, 8, 0), 1);
    EXPECT_EQ(wave.GetChannels(), 1u);
}

TEST_F(WaveTest, SelectionOfAtLeast100msIsSavedElseEverything)
{
    std::vector<uint8_t> data(8000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i);
    CWave wave;
    ASSERT_EQ(wave.Load(Write("sel.wav", WaveFile(Fmt(), data))), 1);
    EXPECT_DOUBLE_EQ(wave.SetStartFraction(0.5), 0.5);
    wave.SetEndFraction(0.55);  // 400 bytes = 50 ms
    EXPECT_EQ(wave.GetSaveLength(), 8000u);
    EXPECT_EQ(wave.GetPlayData(), wave.GetBaseData());
    ASSERT_EQ(wave.Save(CString(dir.Win("all.wav"))), 1);
    EXPECT_EQ(Get32(ReadBytes(dir.Linux("all.wav")), 40), 8000u);

    wave.SetEndFraction(0.7);  // 1600 bytes = 200 ms
    EXPECT_EQ(wave.GetSaveLength(), 1600u);
    ASSERT_EQ(wave.Save(CString(dir.Win("part.wav"))), 1);
    std::vector<uint8_t> part = ReadBytes(dir.Linux("part.wav"));
    ASSERT_EQ(part.size(), 44u + 1600u);
    EXPECT_EQ(part[44], static_cast<uint8_t>(4000));
    EXPECT_NEAR(wave.GetPlayedDuration(), 0.2, 1e-9);

    wave.SetEndFraction(0.2);  // before the start: nothing selected, never a wrapped length
    EXPECT_EQ(wave.GetSaveLength(), 8000u);
    EXPECT_EQ(wave.GetPlayedLength(), 4000u);  // widened to the rest of the data
}

TEST_F(WaveTest, SetSampleNarrowsTo8And4Bits)
{
    CWave wave;
    ASSERT_EQ(wave.Create(4, 8000, 8, 1), 1);
    wave.SetSample(0, 0x1234);
    wave.SetSample(1, -1);
    EXPECT_EQ(wave.GetSample(0), 0x1200);
    EXPECT_EQ(wave.GetSample(1), -256);
    ASSERT_EQ(wave.Create(4, 8000, 4, 1), 1);
    wave.SetSample(1, 0x7FFF);
    wave.SetSample(0, -32768);
    EXPECT_EQ(wave.GetBaseData()[0], 0x0F);
    EXPECT_EQ(wave.GetSample(1), 1792);
    EXPECT_EQ(wave.GetSample(0), -2048);
}

TEST_F(WaveTest, BrokenFilesAreRefusedAndTheOldDataKept)
{
    Fmt zeroRate;
    zeroRate.avg = 0;
    Fmt notPcm;
    notPcm.tag = 3;
    std::vector<uint8_t> truncated = WaveFile(Fmt(), std::vector<uint8_t>(100, 7));
    truncated.resize(truncated.size() - 60);
    std::vector<uint8_t> shortFmt = WaveFile(Fmt(), {1, 2});
    shortFmt[16] = 12;  // "fmt " chunk claims 12 bytes
    const std::vector<uint8_t> broken[] = {
        WaveFile(zeroRate, {1, 2}), WaveFile(notPcm, {1, 2}), truncated, shortFmt, {'R', 'I', 'F', 'F'}, {}};
    for (const auto& bytes : broken) {
        CWave wave;
        ASSERT_EQ(wave.Create(10, 44100, 16, 2), 1);
        EXPECT_EQ(wave.Load(Write("bad.wav", bytes)), 0);
        EXPECT_EQ(wave.GetSampleRate(), 44100u);
        EXPECT_EQ(wave.GetTotalLength(), 20u);
    }
    auto messages = GetRecordingPromptService().Messages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().text, "Failed to load file");
    CWave wave;
    EXPECT_EQ(wave.Load(CString(dir.Win("missing.wav"))), 0);
    EXPECT_EQ(GetRecordingPromptService().Messages().back().text, "Failed to open file");
}

TEST_F(WaveTest, SaveReportsAFileThatCannotBeCreated)
{
    CWave wave;
    EXPECT_EQ(wave.Save(CString(dir.Win("no-such-folder/x.wav"))), 0);
    auto messages = GetRecordingPromptService().Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Can't open the file.");
    EXPECT_EQ(messages[0].caption, "Error");
}

TEST_F(WaveTest, FadeRampsReachTheFullLevelWithoutAStep)
{
    // 10 s of 16-bit mono at 8000 Hz, alternating +10000 and -10000.
    std::vector<uint8_t> data;
    for (int i = 0; i < 80000; ++i)
        Put16(data, static_cast<uint16_t>(i % 2 ? -10000 : 10000));
    Fmt f;
    f.bits = 16;
    f.avg = 16000;
    f.align = 2;
    CString path = Write("fade.wav", WaveFile(f, data));

    CString shortFade = Write("short.wav", WaveFile(f, data));
    ASSERT_EQ(FadeWave(shortFade, TRUE, FALSE, 5), 1);  // 0.5 s = 4000 samples: shorter than a second, still a fade
    CWave same;
    ASSERT_EQ(same.Load(shortFade), 1);
    for (auto [index, value] : {std::pair{0, 0}, {2000, 5000}, {3999, -9997}, {4000, 10000}, {79999, -10000}})
        EXPECT_EQ(same.GetSample(index), value) << index;

    ASSERT_EQ(FadeWave(path, TRUE, TRUE, 20), 1);  // 2 s = 16000 samples at each end
    CWave wave;
    ASSERT_EQ(wave.Load(path), 1);
    // Gain i / 16000 rising, (80000 - i) / 16000 falling: 15999 and 64001 stand one step from full level.
    const std::pair<int, int> expected[] = {{0, 0},         {1, -1},        {8000, 5000},    {8001, -5001},
                                            {15999, -9999}, {16000, 10000}, {16001, -10000}, {64000, 10000},
                                            {64001, -9999}, {72000, 5000},  {79999, -1}};
    for (auto [index, value] : expected)
        EXPECT_EQ(wave.GetSample(index), value) << index;

    EXPECT_EQ(FadeWave(CString(dir.Win("missing.wav")), TRUE, TRUE, 20), 0);
}

}  // namespace

namespace {

TEST(WaveSerialize, LoadingFromAnArchiveReadsItsFileAndTheClassIsCreatable)
{
    TempFolder dir;
    std::vector<uint8_t> bytes = {'R', 'I', 'F', 'F', 40,  0,   0,   0,   'W',  'A',  'V', 'E', 'f',  'm',  't',  ' ',
                                  16,  0,   0,   0,   1,   0,   1,   0,   0x40, 0x1F, 0,   0,   0x40, 0x1F, 0,    0,
                                  1,   0,   8,   0,   'd', 'a', 't', 'a', 3,    0,    0,   0,   0xC0, 0x80, 0x40, 0};
    WriteBytes(dir.Linux("a.wav"), bytes);
    CObject* object = RUNTIME_CLASS(CWave)->CreateObject();
    ASSERT_NE(object, nullptr);
    CWave* wave = static_cast<CWave*>(object);
    CFile file;
    ASSERT_TRUE(file.Open(CString(dir.Win("a.wav")), CFile::modeRead));
    {
        CArchive ar(&file, CArchive::load);
        wave->Serialize(ar);
    }
    EXPECT_EQ(wave->GetTotalLength(), 3u);
    EXPECT_EQ(wave->GetSample(0), 64 * 256);
    EXPECT_STREQ(RUNTIME_CLASS(CWave)->m_lpszClassName, "CWave");
    delete object;
}

}  // namespace

namespace {

TEST(WaveResource, LoadsAWaveResourceByIdAndRefusesMissingOnes)
{
    static const unsigned char wave[] = {
        'R', 'I',  'F',  'F', 38, 0,    0,    0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16,  0, 0, 0, 1, 0,    1,
        0,   0x40, 0x1F, 0,   0,  0x40, 0x1F, 0, 0,   1,   0,   8,   0,   'd', 'a', 't', 'a', 2, 0, 0, 0, 0xFF, 0x00};
    static const EmbeddedResource table[] = {{"WAVE", "4321", wave, sizeof wave}};
    RegisterResourceTable(table, 1);
    CWave loaded;
    ASSERT_EQ(loaded.LoadResource(4321), 1);
    EXPECT_EQ(loaded.GetTotalLength(), 2u);
    EXPECT_EQ(loaded.GetSample(1), -32768);
    EXPECT_EQ(loaded.LoadResource(4322), 0);
    EXPECT_EQ(loaded.GetTotalLength(), 2u);
}

}  // namespace
