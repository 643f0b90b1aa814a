// SMAF writing: whole files built by hand from the chunk layout, chunk packing and octave shifts.
#include <gtest/gtest.h>

#include <string>

#include "kernel/prompt_service.h"
#include "song/score.h"
#include "song/smaf_crc/smaf_crc16.h"
#include "song/smaf_file.h"
#include "tests/support/byte_builders.h"

namespace {

// A song of n tracks at 120 bpm, division 96.
void MakeSong(CScore& song, int tracks)
{
    song.NewSong(tracks, 4, 2);
    song.SetTempoAt(false, 120, 0);
}

std::vector<uint8_t> Build(CScore& song, SmafContentsInfo& info)
{
    CSmafFile file(&info);
    file.SetScore(&song);
    return file.BuildFile();
}

size_t Find(const std::vector<uint8_t>& bytes, const std::string& text, size_t from = 0)
{
    auto it = std::search(bytes.begin() + from, bytes.end(), text.begin(), text.end());
    return it == bytes.end() ? std::string::npos : static_cast<size_t>(it - bytes.begin());
}

}  // namespace

TEST(SmafWriterTest, NewSongFileMatchesTheLayoutByteForByte)
{
    CScore song;
    MakeSong(song, 1);
    song.GetTrack(0)->InsertNote(false, 96, 192, 60, 100, 0, 0, 0, 0, 0, 0);
    SmafContentsInfo info;
    ResetContentsInfo(&info);

    std::vector<uint8_t> want;
    Append(want, "MMMD");
    Append(want, {0, 0, 0, 0});
    Append(want, "CNTI");
    Append(want, {0, 0, 0, 0, 0, 0, 0, 0, 0});
    Append(want, "ST:My baby,VN:Pellister software,");
    PutSize(want, 12, want.size() - 16);
    size_t track = want.size();
    Append(want, "MTR");
    Append(want, {1, 0, 0, 0, 0, 0x00, 0x00, 0x02, 0x02, 0x80, 0x80});
    Append(want, "Mtsu");
    Append(want, {0,    0,    0,    0x15, 0xFF, 0xF0, 0x12, 0x43, 0x03, 0x00, 0x00, 0x00, 0x60,
                  0x01, 0x14, 0x52, 0xF4, 0x3A, 0xA0, 0x14, 0x62, 0xF7, 0x00, 0xA0, 0xF7});
    size_t sequence = want.size();
    Append(want, "Mtsq");
    Append(want, {0, 0, 0, 0});
    Append(want, {0x00, 0x00, 0x30, 0x00});  // program 0
    Append(want, {0x00, 0x00, 0x37, 100});   // volume 100
    Append(want, {0x00, 0x00, 0x0A});        // expression 10
    Append(want, {0x00, 0x00, 0x32, 0x00});  // no octave shift
    // 120 bpm: 125 units of 4 ms per quarter. Middle C is octave 1, note 12.
    Append(want, {125, 0x1C, 125});
    Append(want, {125, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00});  // tail: last gate, then the end
    PutSize(want, sequence + 4, want.size() - sequence - 8);
    PutSize(want, track + 4, want.size() - track - 8);
    PutSize(want, 4, want.size() + 2 - 8);
    uint16_t crc = SmafCrc16(want.data(), want.size());
    Append(want, {crc >> 8, crc & 0xFF});

    EXPECT_EQ(Build(song, info), want);
}

TEST(SmafWriterTest, DrumTracksAndOctaveShifts)
{
    struct Case {
        int low, high, channel;
        std::vector<uint8_t> shiftEvent;
        uint8_t firstNoteByte;
    } cases[] = {
        {30, 60, 0, {0x00, 0x00, 0x32, 0x81}, 0x06},  // 30 + 12 = 42: octave 0, note 6
        {60, 96, 0, {0x00, 0x00, 0x32, 0x01}, 0x0C},  // 60 - 12 = 48: octave 0, note 12
        {60, 60, 9, {0x00, 0x00, 0x32, 0x00}, 0x1C},
    };
    for (const Case& c : cases) {
        CScore song;
        MakeSong(song, 1);
        CTrack* track = song.GetTrack(0);
        track->SetChannel(c.channel);
        track->InsertNote(false, 0, 96, static_cast<int8_t>(c.low), 100, 0, 0, 0, 0, 0, 0);
        track->InsertNote(false, 96, 192, static_cast<int8_t>(c.high), 100, 0, 0, 0, 0, 0, 0);
        SmafContentsInfo info;
        auto bytes = Build(song, info);
        size_t events = Find(bytes, "Mtsq") + 8;
        size_t at = events + 11;
        if (c.channel == 9) {
            EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + at, bytes.begin() + at + 4),
                      (std::vector<uint8_t>{0x00, 0x00, 0x31, 0x80}));
            at += 4;
        }
        EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + at, bytes.begin() + at + 4), c.shiftEvent) << c.low;
        EXPECT_EQ(bytes[at + 5], c.firstNoteByte) << c.low;  // after the shift event and a zero duration
    }
}

TEST(SmafWriterTest, SongTracksArePackedFourToAChunk)
{
    for (int tracks : {4, 5}) {
        CScore song;
        MakeSong(song, tracks);
        for (int t = 0; t < tracks; ++t)
            song.GetTrack(t)->InsertNote(false, 0, 48, 60, 100, 0, 0, 0, 0, 0, 0);
        SmafContentsInfo info;
        auto bytes = Build(song, info);
        size_t first = Find(bytes, "MTR");
        ASSERT_NE(first, std::string::npos);
        EXPECT_EQ(bytes[first + 3], 1);
        size_t second = Find(bytes, "MTR", first + 4);
        EXPECT_EQ(second != std::string::npos, tracks == 5);
        if (second != std::string::npos) {
            EXPECT_EQ(bytes[second + 3], 2);
        }
    }
}

TEST(SmafWriterTest, ControlsOfATrackWithoutNotesAreWritten)
{
    CScore song;
    MakeSong(song, 2);
    song.GetTrack(0)->InsertNote(false, 0, 96, 60, 100, 0, 0, 0, 0, 0, 0);
    song.GetTrack(1)->SetVolume(50);
    SmafContentsInfo info;
    ResetContentsInfo(&info);
    std::vector<uint8_t> bytes = Build(song, info);
    size_t events = Find(bytes, "Mtsq") + 8;
    EXPECT_NE(Find(bytes, std::string("\x00\x00\x77\x32", 4), events), std::string::npos);  // slot 1 volume 50
    EXPECT_EQ(Find(bytes, std::string("\x00\x00\x4A", 3), events), std::string::npos);      // and no set-up events
}

TEST(SmafWriterTest, EventsOfOneTickGoBySlotEachControlBeforeItsNote)
{
    CScore song;
    MakeSong(song, 2);
    for (int t = 0; t < 2; ++t) {
        CTrack* track = song.GetTrack(t);
        ASSERT_NE(nullptr, track->InsertControl(0xB0, 7, 90 - 10 * t, 96));  // volume
        track->InsertNote(false, 96, 192, static_cast<int8_t>(60 + 2 * t), 100, 0, 0, 0, 0, 0, 0);
    }
    SmafContentsInfo info;
    std::vector<uint8_t> bytes = Build(song, info);
    // 125 units to tick 96, then nothing between the events of that tick; each note holds 125 units.
    const std::vector<uint8_t> tick96 = {125,  0x00, 0x37, 90,  // slot 0 volume
                                         0x00, 0x1C, 125,       // slot 0 middle C
                                         0x00, 0x00, 0x77, 80,  // slot 1 volume
                                         0x00, 0x62, 125,       // slot 1 D: octave 2, note 2
                                         125,  0xFF, 0x00, 0x00, 0x00, 0x00, 0x00};
    size_t events = Find(bytes, "Mtsq") + 8;
    auto at = std::search(bytes.begin() + static_cast<long>(events), bytes.end(), tick96.begin(), tick96.end());
    EXPECT_NE(at, bytes.end()) << "the events of tick 96 in slot order, each slot's control before its note";
}

TEST(SmafWriterTest, NothingIsWrittenWithoutASongTrack)
{
    SmafContentsInfo info;
    CSmafFile file(&info);
    EXPECT_TRUE(file.BuildFile().empty());
    EXPECT_FALSE(file.Save("never.mmf"));
}

TEST(SmafWriterTest, OnlyTheOpeningFiveSecondsAreExported)
{
    CScore song;
    MakeSong(song, 1);  // 120 bpm: five seconds are ten quarters, 960 ticks
    song.GetTrack(0)->InsertNote(false, 0, 96, 60, 100, 0, 0, 0, 0, 0, 0);
    song.GetTrack(0)->InsertNote(false, 959, 1000, 62, 100, 0, 0, 0, 0, 0, 0);
    song.GetTrack(0)->InsertNote(false, 960, 1000, 64, 100, 0, 0, 0, 0, 0, 0);
    SmafContentsInfo info;
    auto bytes = Build(song, info);
    size_t events = Find(bytes, "Mtsq") + 8 + 15;  // after the four set-up events
    // Note 60 (0x1C), then note 62 (octave 2, note 2: 0x22) after its duration; note 64 is left out.
    EXPECT_EQ(bytes[events + 1], 0x1C);
    EXPECT_NE(std::find(bytes.begin() + events, bytes.end(), 0x22), bytes.end());
    EXPECT_EQ(std::find(bytes.begin() + events, bytes.end() - 2, 0x24), bytes.end() - 2);
}

TEST(SmafWriterTest, AnUnwritableFileIsReported)
{
    CScore song;
    MakeSong(song, 1);
    song.GetTrack(0)->InsertNote(false, 0, 96, 60, 100, 0, 0, 0, 0, 0, 0);
    SmafContentsInfo info;
    CSmafFile file(&info);
    file.SetScore(&song);
    GetRecordingPromptService().Clear();
    EXPECT_FALSE(file.Save("\\no-such-folder\\x\\song.mmf"));
    ASSERT_EQ(GetRecordingPromptService().Messages().size(), 1u);
    EXPECT_EQ(GetRecordingPromptService().Messages()[0].text, "Save file failed !!!");
}
