// Standard MIDI File reader: hand-built files for the chunk mapping, events and damaged input.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kernel/prompt_service.h"
#include "song/score.h"
#include "song_test_files.h"

namespace {

const Bytes kEnd = {0x00, 0xFF, 0x2F, 0x00};

Bytes With(Bytes data, const Bytes& tail = kEnd)
{
    Append(data, tail);
    return data;
}

int Load(CScore& song, const TempFolder& folder, const Bytes& file)
{
    WriteBytes(folder.Linux("in.mid"), file);
    song.Reset();
    return song.LoadMidiFile(folder.Win("in.mid").c_str());
}

int CountNotes(const CTrack* track)
{
    int n = 0;
    for (const NoteEvent* e = track->notes; e; e = e->next)
        ++n;
    return n;
}

}  // namespace

TEST(MidiReader, FormatOneMapsChunksToTracks)
{
    TempFolder folder;
    CScore song;
    Bytes conductor = With({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xFF, 0x58, 0x04,
                            0x03, 0x02, 0x18, 0x08, 0x00, 0xFF, 0x59, 0x02, 0x02, 0x00});
    Bytes first = With({0x00, 0xFF, 0x03, 0x04, 'B',  'a',  's',  's',  0x00, 0x91, 0x30, 0x40,
                        0x60, 0x81, 0x30, 0x00, 0x00, 0xB1, 0x79, 0x00, 0x00, 0xB1, 0x07, 0x50});
    Bytes second = With({0x00, 0x92, 0x48, 0x40, 0x10, 0x48, 0x00, 0x00, 0x4C, 0x40});  // running status
    ASSERT_EQ(Load(song, folder, MidiFile(1, 3, 96, {conductor, first, second})), 1);
    EXPECT_EQ(song.trackCount, 3);
    EXPECT_TRUE(song.GetTrack(0)->IsShown());
    EXPECT_TRUE(song.GetTrack(1)->IsShown());
    EXPECT_EQ(song.tempoList->bpm, 120);
    EXPECT_EQ(song.measureTable[0].numerator, 3);
    EXPECT_EQ(song.KeySignatureAt(0), 2);
    CTrack* bass = song.GetTrack(0);
    EXPECT_EQ(bass->GetName(), "Bass");
    EXPECT_EQ(bass->GetChannel(), 1);
    ASSERT_EQ(CountNotes(bass), 1);
    EXPECT_EQ(bass->notes->end, 96);
    ASSERT_NE(bass->controls, nullptr);  // controller 121 dropped, 7 kept
    EXPECT_EQ(bass->controls->data1, 7);
    EXPECT_EQ(bass->controls->next, nullptr);
    EXPECT_EQ(bass->ClefAtTick(0), CLEF_BASS);
    CTrack* lead = song.GetTrack(1);
    ASSERT_EQ(CountNotes(lead), 2);
    EXPECT_EQ(lead->notes->pitch, 0x48);
    EXPECT_EQ(lead->notes->end, 16);                              // velocity 0 ended it
    EXPECT_EQ(lead->notes->next->end, lead->notes->next->start);  // never ended: open
    EXPECT_EQ(song.fileName, folder.Win("in.mid").c_str());
}

TEST(MidiReader, FormatZeroSpreadsChannels)
{
    TempFolder folder;
    CScore song;
    Bytes chunk = With({0x00, 0xFF, 0x03, 0x01, 'x',  0x00, 0x90, 0x3C, 0x40, 0x00, 0x99,
                        0x24, 0x40, 0x60, 0x80, 0x3C, 0x00, 0x00, 0x89, 0x24, 0x00});
    ASSERT_EQ(Load(song, folder, MidiFile(0, 1, 96, {chunk})), 1);
    EXPECT_EQ(song.trackCount, 17);  // the meta status counts as channel 15
    EXPECT_EQ(song.CountShownTracks(), 16);
    EXPECT_EQ(CountNotes(song.GetTrack(0)), 1);
    ASSERT_EQ(CountNotes(song.GetTrack(9)), 1);
    EXPECT_EQ(song.GetTrack(9)->notes->pitch, 0x24);
    EXPECT_EQ(song.GetTrack(15)->GetName(), "x");
}

TEST(MidiReader, FormatOneOfOneChunkReadsLikeFormatZero)
{
    // Every note lies in the conductor chunk, the file's only one.
    TempFolder folder;
    CScore song;
    Bytes chunk = With({0x00, 0xFF, 0x03, 0x01, 'x',  0x00, 0x90, 0x3C, 0x40, 0x00, 0x92,
                        0x40, 0x40, 0x60, 0x80, 0x3C, 0x00, 0x00, 0x82, 0x40, 0x00});
    ASSERT_EQ(Load(song, folder, MidiFile(1, 1, 96, {chunk})), 1);
    EXPECT_EQ(song.trackCount, 17);
    EXPECT_EQ(CountNotes(song.GetTrack(0)), 1);
    ASSERT_EQ(CountNotes(song.GetTrack(2)), 1);
    EXPECT_EQ(song.GetTrack(2)->GetChannel(), 2);
    EXPECT_EQ(song.GetTrack(2)->notes->end, 96);
}

TEST(MidiReader, FileWithoutTempoOpensAtTheStandardTempo)
{
    TempFolder folder;
    CScore song;
    EXPECT_EQ(song.TempoAt(0), 100);  // a new song keeps its own default
    ASSERT_EQ(Load(song, folder, MidiFile(1, 2, 96, {kEnd, With({0x00, 0x90, 0x3C, 0x40, 0x60, 0x80, 0x3C, 0x00})})),
              1);
    ASSERT_NE(song.tempoList, nullptr);
    EXPECT_EQ(song.tempoList->bpm, 120);
    EXPECT_EQ(song.tempoList->next, nullptr);
    EXPECT_EQ(song.TempoAt(0), 120);
}

// Tempos stored in whole microseconds read as the whole beats per minute they were written from.
TEST(MidiReader, TemposReadToTheNearestBeatPerMinute)
{
    const struct {
        uint32_t microseconds;
        int bpm;
    } cases[] = {{810811, 74}, {800000, 75}, {2222222, 27}, {500000, 120}, {461538, 130}, {1000001, 60}};
    for (const auto& c : cases) {
        TempFolder folder;
        CScore song;
        const Bytes conductor = {0x00,
                                 0xFF,
                                 0x51,
                                 0x03,
                                 static_cast<uint8_t>(c.microseconds >> 16),
                                 static_cast<uint8_t>(c.microseconds >> 8),
                                 static_cast<uint8_t>(c.microseconds)};
        ASSERT_EQ(Load(song, folder, MidiFile(1, 2, 96, {With(conductor), kEnd})), 1);
        ASSERT_NE(song.tempoList, nullptr);
        EXPECT_EQ(song.tempoList->bpm, c.bpm) << c.microseconds;
    }
}

TEST(MidiReader, ConductorTextsSysExAndPriorities)
{
    TempFolder folder;
    CScore song;
    Bytes conductor = {0x00, 0xFF, 0x01, 40};
    Append(conductor, Bytes(40, 'a'));
    Append(conductor, {0x00, 0xFF, 0x01, 0x02, 'b', 'b', 0x00, 0xFF, 0x01, 0x02, 'c', 'c'});
    Append(conductor,
           {0x00, 0xFF, 0x03, 0x02, 'n', '1', 0x00, 0xFF, 0x03, 0x02, 'n', '2', 0x00, 0xFF, 0x03, 0x02, 'n', '3'});
    Append(conductor, {0x00, 0xFF, 0x02, 0x03, 'a', 'b', 'c'});
    Append(conductor, {0x00, 0xFF, 0x04, 0x06, 'V', 'i', 'o', 'l', 'i', 'n'});                    // no track to name
    Append(conductor, {0x00, 0xF0, 0x03, 0x60, 0x01, 0xF7});                                      // dropped
    Append(conductor, {0x00, 0xF0, 0x09, 0x7F, 0x7F, 0x0B, 0x01, 0x01, 0x01, 0x00, 0x02, 0xF7});  // MIP: ch1, ch0
    Bytes track = With({0x00, 0x90, 0x3C, 0x40, 0x00, 0xFF, 0x04, 0x06, 'V', 'i', 'o', 'l', 'i', 'n'});
    ASSERT_EQ(Load(song, folder, MidiFile(1, 2, 96, {With(conductor), track})), 1);
    EXPECT_EQ(song.text1, std::string(27, 'a').c_str());
    EXPECT_EQ(song.text2, "bb");
    EXPECT_EQ(song.sequenceName1, "n1");
    EXPECT_EQ(song.sequenceName2, "n2");
    EXPECT_EQ(song.furtherTexts, "ccn3");
    EXPECT_EQ(song.copyright, "abc ");
    ASSERT_NE(song.sysExList, nullptr);
    EXPECT_EQ(song.sysExList->data[0], 0x7F);
    EXPECT_EQ(song.sysExList->next, nullptr);
    EXPECT_EQ(song.spMidiFlag, 1);
    EXPECT_EQ(song.GetTrack(0)->priority, 2);  // track 0 plays on channel 0
    EXPECT_EQ(song.GetTrack(0)->GetProgram(), 40);
}

TEST(MidiReader, RefusedHeaders)
{
    TempFolder folder;
    CScore song;
    EXPECT_EQ(Load(song, folder, MidiFile(2, 1, 96, {kEnd})), 0);
    EXPECT_EQ(Load(song, folder, MidiFile(1, 1, 0, {kEnd})), 0);  // no timing
    Bytes bad = MidiFile(1, 1, 96, {kEnd});
    bad[14] = 'X';
    EXPECT_EQ(Load(song, folder, bad), 0);
    // The header's length is honoured: a longer one carries fields to skip, a shorter one cannot
    // hold the three numbers.
    Bytes longer = MidiFile(1, 2, 96, {kEnd, With({0x00, 0x90, 0x3C, 0x40})});
    longer[7] = 8;
    longer.insert(longer.begin() + 14, {0xAB, 0xCD});
    ASSERT_EQ(Load(song, folder, longer), 1);
    EXPECT_NE(song.GetTrack(0)->notes, nullptr);
    Bytes shorter = MidiFile(1, 2, 96, {kEnd});
    shorter[7] = 5;
    EXPECT_EQ(Load(song, folder, shorter), 0);
    std::vector<Bytes> many(40, With({0x00, 0x90, 0x3C, 0x40}));
    ASSERT_EQ(Load(song, folder, MidiFile(1, 40, 96, many)), 1);
    EXPECT_EQ(song.trackCount, 30);
}

TEST(MidiReader, TruncatedFilesFail)
{
    TempFolder folder;
    CScore song;
    Bytes file = MidiFile(1, 2, 96, {kEnd, With({0x00, 0x90, 0x3C, 0x40, 0x60, 0x80, 0x3C, 0x00})});
    for (size_t cut : {size_t(5), size_t(13), size_t(20), file.size() - 3})
        EXPECT_EQ(Load(song, folder, Bytes(file.begin(), file.begin() + static_cast<long>(cut))), 0) << cut;
    GetRecordingPromptService().Clear();
    song.Reset();
    EXPECT_EQ(song.LoadMidiFile(folder.Win("none.mid").c_str()), 0);
    ASSERT_EQ(GetRecordingPromptService().Messages().size(), 1u);
    EXPECT_EQ(GetRecordingPromptService().Messages()[0].text, "Have no file !!!");
}

TEST(MidiReader, DamagedEventsAreHandled)
{
    TempFolder folder;
    CScore song;
    // Running status with no status yet, then a tempo of zero, an overlong meta length,
    // a long system-exclusive message and an escape with a multi-byte length.
    Bytes first = {0x00, 0x3C, 0x40, 0x00, 0x90, 0x3C, 0x40};
    ASSERT_EQ(Load(song, folder, MidiFile(1, 2, 96, {kEnd, With(first)})), 1);
    EXPECT_EQ(song.GetTrack(0)->notes, nullptr);  // the chunk could not be read past its start

    Bytes conductor = {0x00, 0xFF, 0x51, 0x03, 0x00, 0x00, 0x00};
    Bytes track = {0x00, 0xF0, 0x82, 0x00};
    Append(track, Bytes(256, 0x11));
    Append(track, {0x00, 0xF7, 0x81, 0x00});
    Append(track, Bytes(128, 0x22));
    Append(track, {0x00, 0x90, 0x3C, 0x40, 0x00, 0xFF, 0x01, 0x8F, 0xFF, 0xFF, 0x7F, 'z'});
    ASSERT_EQ(Load(song, folder, MidiFile(1, 2, 96, {With(conductor), track})), 1);
    ASSERT_NE(song.tempoList, nullptr);  // the zero tempo is ignored: the standard tempo holds
    EXPECT_EQ(song.tempoList->bpm, 120);
    EXPECT_EQ(song.GetTrack(0)->dataEvents, nullptr);  // 256 bytes do not fit a record
    ASSERT_NE(song.GetTrack(0)->notes, nullptr);
    EXPECT_EQ(song.GetTrack(0)->notes->pitch, 0x3C);
}

TEST(MidiReader, SmpteDivision)
{
    TempFolder folder;
    CScore song;
    Bytes file = MidiFile(1, 2, 0, {kEnd, With({0x00, 0x90, 0x3C, 0x40})});
    file[12] = 0xE7;  // -25 frames per second
    file[13] = 40;    // 40 ticks per frame: 1000 ticks per second
    ASSERT_EQ(Load(song, folder, file), 1);
    EXPECT_EQ(song.division, 500);
}
