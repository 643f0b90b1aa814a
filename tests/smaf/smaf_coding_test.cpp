// SMAF numbers: the CRC-16, length coding with the long-duration split, and their decoding.
#include <gtest/gtest.h>

#include <climits>

#include "song/score.h"
#include "song/smaf_coding.h"
#include "song/smaf_crc/smaf_crc16.h"

TEST(SmafCodingTest, CrcOfAbc)
{
    const uint8_t abc[] = {'a', 'b', 'c'};
    EXPECT_EQ(SmafCrc16(abc, 3), 0xAEB5);
    EXPECT_EQ(SmafCrc16(abc, 0), 0x0000);  // start 0xFFFF complemented
}

TEST(SmafCodingTest, LengthsEncodeInOneOrTwoBytes)
{
    struct Case {
        int value;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {0, {0x00}},          {127, {0x7F}},         {128, {0x80, 0x00}},   {200, {0x80, 0x48}},
        {3488, {0x9A, 0x20}}, {16510, {0xFF, 0x7E}}, {16511, {0xFF, 0x7F}},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> out;
        SmafEncodeLength(out, c.value);
        EXPECT_EQ(out, c.bytes) << c.value;
        int used = 0;
        int back = SmafDecodeLength(out.data(), static_cast<int>(out.size()), &used);
        EXPECT_EQ(used, static_cast<int>(out.size()));
        EXPECT_EQ(back, c.value == 16511 ? 16512 : c.value) << c.value;  // FF 7F reads as 16512
    }
}

TEST(SmafCodingTest, LongDurationsSplitIntoNoOperations)
{
    std::vector<uint8_t> out;
    int rest = SmafSplitLongDuration(out, 20000);
    SmafEncodeLength(out, rest);
    EXPECT_EQ(out, (std::vector<uint8_t>{0xFF, 0x7F, 0xFF, 0x00, 0x9A, 0x20}));
    out.clear();
    EXPECT_EQ(SmafSplitLongDuration(out, 16512), 0);
    EXPECT_EQ(out.size(), 4u);
}

TEST(SmafCodingTest, DecodingNeverReadsPastTheEnd)
{
    const uint8_t two[] = {0x9A, 0x20};
    int used = -1;
    SmafDecodeLength(two, 1, &used);
    EXPECT_EQ(used, 0);
    SmafDecodeLength(two, 0, &used);
    EXPECT_EQ(used, 0);
}

TEST(SmafCodingTest, FarTicksAtASlowTempoStayInRange)
{
    // 2^31 ticks at 1 bpm and division 1 are 3.2e13 units: each side is capped at 1e9.
    CScore song;
    song.division = 1;
    song.SetTempoAt(false, 1, 0);
    EXPECT_EQ(SmafTicksToUnits(song, INT32_MAX, 0), 1000000000);
    EXPECT_EQ(SmafTicksToUnits(song, 0, INT32_MAX), -1000000000);
    EXPECT_EQ(SmafTicksToUnits(song, 1, 0), 15000);
}
