// RIFF chunk functions (create, ascend with size fix-up and padding, descend with searches) and SMF tempo maps.
#include <gtest/gtest.h>

#include "audio_test_util.h"
#include "media/mmio_riff.h"
#include "media/smf_tempo_map.h"

using namespace audiotest;

namespace {

TEST(Riff, CreateAscendWritesSizesAndPadsThenDescendFindsChunks)
{
    TempFolder dir;
    std::string path = dir.Linux("list.riff");
    HMMIO out = mmioOpen(path.data(), nullptr, MMIO_CREATE | MMIO_WRITE);
    ASSERT_NE(out, nullptr);
    MMCKINFO riff = {}, list = {}, item = {}, tail = {};
    riff.fccType = mmioFOURCC('T', 'E', 'S', 'T');
    ASSERT_EQ(mmioCreateChunk(out, &riff, MMIO_CREATERIFF), 0u);
    list.fccType = mmioFOURCC('I', 'N', 'F', 'O');
    ASSERT_EQ(mmioCreateChunk(out, &list, MMIO_CREATELIST), 0u);
    item.ckid = mmioFOURCC('I', 'N', 'A', 'M');
    ASSERT_EQ(mmioCreateChunk(out, &item, 0), 0u);
    ASSERT_EQ(mmioWrite(out, "abc", 3), 3);
    ASSERT_EQ(mmioAscend(out, &item, 0), 0u);
    ASSERT_EQ(mmioAscend(out, &list, 0), 0u);
    tail.ckid = mmioFOURCC('t', 'a', 'i', 'l');
    ASSERT_EQ(mmioCreateChunk(out, &tail, 0), 0u);
    ASSERT_EQ(mmioWrite(out, "z", 1), 1);
    ASSERT_EQ(mmioAscend(out, &tail, 0), 0u);
    ASSERT_EQ(mmioAscend(out, &riff, 0), 0u);
    ASSERT_EQ(mmioClose(out, 0), 0u);

    std::vector<uint8_t> expected;
    PutTag(expected, "RIFF");
    Put32(expected, 4 + 24 + 10);
    PutTag(expected, "TEST");
    PutTag(expected, "LIST");
    Put32(expected, 16);
    PutTag(expected, "INFO");
    PutTag(expected, "INAM");
    Put32(expected, 3);
    expected.insert(expected.end(), {'a', 'b', 'c', 0});
    PutTag(expected, "tail");
    Put32(expected, 1);
    expected.insert(expected.end(), {'z', 0});
    ASSERT_EQ(ReadBytes(path), expected);

    HMMIO in = mmioOpen(path.data(), nullptr, MMIO_READ);
    ASSERT_NE(in, nullptr);
    MMCKINFO r = {}, l = {}, c = {};
    r.fccType = mmioFOURCC('T', 'E', 'S', 'T');
    ASSERT_EQ(mmioDescend(in, &r, nullptr, MMIO_FINDRIFF), 0u);
    c.ckid = mmioFOURCC('t', 'a', 'i', 'l');
    ASSERT_EQ(mmioDescend(in, &c, &r, MMIO_FINDCHUNK), 0u);  // skips the whole LIST
    EXPECT_EQ(c.cksize, 1u);
    char z = 0;
    EXPECT_EQ(mmioRead(in, &z, 1), 1);
    EXPECT_EQ(z, 'z');
    ASSERT_EQ(mmioSeek(in, 12, SEEK_SET), 12);
    l.fccType = mmioFOURCC('I', 'N', 'F', 'O');
    ASSERT_EQ(mmioDescend(in, &l, &r, MMIO_FINDLIST), 0u);
    c.ckid = mmioFOURCC('n', 'o', 'n', 'e');
    EXPECT_EQ(mmioDescend(in, &c, &l, MMIO_FINDCHUNK), static_cast<MMRESULT>(MMIOERR_CHUNKNOTFOUND));
    mmioClose(in, 0);
}

TEST(Riff, MemoryFilesReadWithinTheirBlockOnly)
{
    char block[8] = {'R', 'I', 'F', 'F', 100, 0, 0, 0};
    MMIOINFO info = {};
    info.fccIOProc = FOURCC_MEM;
    info.pchBuffer = block;
    info.cchBuffer = sizeof block;
    HMMIO h = mmioOpen(nullptr, &info, MMIO_READ);
    ASSERT_NE(h, nullptr);
    MMCKINFO ck = {};
    EXPECT_EQ(mmioDescend(h, &ck, nullptr, MMIO_FINDRIFF), static_cast<MMRESULT>(MMIOERR_CHUNKNOTFOUND));
    char buf[16];
    mmioSeek(h, 4, SEEK_SET);
    EXPECT_EQ(mmioRead(h, buf, sizeof buf), 4);
    EXPECT_EQ(mmioWrite(h, "x", 1), -1);  // opened for reading
    mmioClose(h, 0);
}

std::vector<uint8_t> Smf(int division, const std::vector<std::vector<uint8_t>>& tracks)
{
    std::vector<uint8_t> file = {'M',
                                 'T',
                                 'h',
                                 'd',
                                 0,
                                 0,
                                 0,
                                 6,
                                 0,
                                 1,
                                 0,
                                 static_cast<uint8_t>(tracks.size()),
                                 static_cast<uint8_t>(division >> 8),
                                 static_cast<uint8_t>(division)};
    for (const auto& t : tracks) {
        file.insert(file.end(),
                    {'M', 'T', 'r', 'k', 0, 0, static_cast<uint8_t>(t.size() >> 8), static_cast<uint8_t>(t.size())});
        file.insert(file.end(), t.begin(), t.end());
    }
    return file;
}

TEST(TempoMap, TempoChangesRunningStatusAndTheLongestTrack)
{
    // Track 0: 120 bpm, then 60 bpm at tick 960; track 1 ends at tick 1920 with running-status notes.
    std::vector<uint8_t> conductor = {0,    0xFF, 0x51, 3,    0x07, 0xA1, 0x20, 0x87, 0x40, 0xFF,
                                      0x51, 3,    0x0F, 0x42, 0x40, 0,    0xFF, 0x2F, 0};
    std::vector<uint8_t> notes = {0, 0x90, 60, 100, 0x83, 0x60, 60, 0, 0x83, 0x60, 0xC0, 5, 0x83, 0x60, 0xFF, 0x2F, 0};
    SmfTempoMap map;
    std::vector<uint8_t> file = Smf(480, {conductor, notes});
    ASSERT_TRUE(ParseSmfTempoMap(file.data(), file.size(), &map));
    EXPECT_EQ(map.endTick, 1440u);
    EXPECT_DOUBLE_EQ(map.TickToSeconds(960), 1.0);
    EXPECT_DOUBLE_EQ(map.EndSeconds(), 2.0);

    SmfTempoMap smpte;
    file = Smf(0xE728, {notes});  // 25 frames of 40 ticks: 1000 ticks a second
    ASSERT_TRUE(ParseSmfTempoMap(file.data(), file.size(), &smpte));
    EXPECT_DOUBLE_EQ(smpte.EndSeconds(), 1.44);
}

TEST(TempoMap, DamagedFilesStopAtTheDamage)
{
    std::vector<uint8_t> notes = {0, 0x90, 60, 100, 0x83, 0x60, 60, 0, 0x83, 0x60, 0xFF, 0x2F, 0};
    std::vector<uint8_t> file = Smf(480, {notes});
    SmfTempoMap map;
    for (size_t cut = 0; cut < file.size(); ++cut)
        ParseSmfTempoMap(file.data(), cut, &map);
    std::vector<uint8_t> huge = {0, 0xFF, 0x01, 0x8F, 0xFF, 0xFF, 0x7F};  // text longer than the track
    file = Smf(480, {huge});
    ASSERT_TRUE(ParseSmfTempoMap(file.data(), file.size(), &map));
    EXPECT_EQ(map.endTick, 0u);
    const uint8_t notMidi[] = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(ParseSmfTempoMap(notMidi, sizeof notMidi, &map));
}

}  // namespace
