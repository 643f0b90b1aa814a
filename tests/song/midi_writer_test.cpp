// Standard MIDI File writer: whole files compared byte for byte with hand-built expectations.
#include <gtest/gtest.h>

#include <string>

#include "song/score.h"
#include "song_test_files.h"

namespace {

const Bytes kEmptyTexts = {0x00, 0xFF, 0x03, 0x01, 0x00, 0x00, 0xFF, 0x03, 0x01, 0x00, 0x00, 0xFF, 0x01, 0x01, 0x00,
                           0x00, 0xFF, 0x01, 0x01, 0x00, 0x00, 0xFF, 0x02, 0x01, 0x00, 0x00, 0xFF, 0x01, 0x00};

// A new song's own tempo, 100 bpm (600000 microseconds), at tick 0.
const Bytes kNewSongTempo = {0x00, 0xFF, 0x51, 0x03, 0x09, 0x27, 0xC0};

Bytes Saved(CScore& song, const TempFolder& folder)
{
    std::string path = folder.Win("out.mid");
    EXPECT_EQ(song.SaveMidiFile(path.c_str()), 1);
    return ReadBytes(folder.Linux("out.mid"));
}

}  // namespace

TEST(MidiWriter, NewSongWithNotesByteForByte)
{
    TempFolder folder;
    CScore song;
    CTrack* t = song.GetTrack(0);
    t->InsertNote(false, 0, 96, 60, 100, 0, 0, 0, 0, 0, 0);
    t->InsertNote(false, 0, 96, 64, 100, 0, 0, 0, 0, 0, 0);
    t->InsertNote(false, 96, 192, 60, 100, 0, 0, 0, 0, 0, 0);
    song.SetTempoAt(false, 120, 0);

    Bytes conductor = kEmptyTexts;
    Append(conductor, {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20});
    Append(conductor, {0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x24, 0x08});
    Append(conductor, {0x00, 0xFF, 0x2F, 0x00});
    Bytes track = {0x00, 0xFF, 0x03, 0x01, 0x00};
    Append(track, {0x00, 0xC0, 0x00});        // the track's own program change at 0
    Append(track, {0x00, 0x90, 0x40, 0x64});  // E4 before C4 at the same tick
    Append(track, {0x00, 0x3C, 0x64});        // running status
    Append(track, {0x60, 0x80, 0x40, 0x64});
    Append(track, {0x00, 0x3C, 0x64});  // the note-off at 96 before the next note-on
    Append(track, {0x00, 0x90, 0x3C, 0x64});
    Append(track, {0x60, 0x80, 0x3C, 0x64});
    Append(track, {0x00, 0xFF, 0x2F, 0x00});
    // Tracks 1-3 are shown but lie beyond the track count: neither counted nor written.
    EXPECT_EQ(Saved(song, folder), MidiFile(1, 2, 96, {conductor, track}));
}

TEST(MidiWriter, ControlRecordsWithoutAChannelStatusAreLeftOut)
{
    // Records of status 0 (kept by older score files), a system status and a note status
    // have no control form: written, their bytes would shift every later event.
    TempFolder folder;
    CScore song;
    CTrack* t = song.GetTrack(0);
    t->InsertControl(0x00, 0x05, 0x00, 0);
    t->InsertControl(0xF0, 0x01, 0x02, 10);
    t->InsertControl(0x90, 0x3C, 0x40, 20);
    t->InsertControl(0xB0, 0x07, 0x50, 30);
    t->InsertNote(false, 0, 96, 60, 100, 0, 0, 0, 0, 0, 0);

    Bytes conductor = kEmptyTexts;
    Append(conductor, kNewSongTempo);
    Append(conductor, {0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x24, 0x08, 0x00, 0xFF, 0x2F, 0x00});
    Bytes track = {0x00, 0xFF, 0x03, 0x01, 0x00};
    Append(track, {0x00, 0xC0, 0x00, 0x00, 0x90, 0x3C, 0x64});
    Append(track, {0x1E, 0xB0, 0x07, 0x50});
    Append(track, {0x42, 0x80, 0x3C, 0x64, 0x00, 0xFF, 0x2F, 0x00});
    EXPECT_EQ(Saved(song, folder), MidiFile(1, 2, 96, {conductor, track}));
}

TEST(MidiWriter, TicksStayWithinFourByteDeltas)
{
    TempFolder folder;
    CScore song;
    CTrack* t = song.GetTrack(0);
    t->InsertNote(false, 0, 96, 60, 100, 0, 0, 0, 0, 0, 0);
    t->InsertNote(false, 0x7FFFFF00, 0x7FFFFF60, 62, 100, 0, 0, 0, 0, 0, 0);

    Bytes conductor = kEmptyTexts;
    Append(conductor, kNewSongTempo);
    Append(conductor, {0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x24, 0x08, 0x00, 0xFF, 0x2F, 0x00});
    Bytes track = {0x00, 0xFF, 0x03, 0x01, 0x00};
    Append(track, {0x00, 0xC0, 0x00, 0x00, 0x90, 0x3C, 0x64, 0x60, 0x80, 0x3C, 0x64});
    Append(track, {0xFF, 0xFF, 0xFF, 0x1F, 0x90, 0x3E, 0x64});  // held at the last tick a delta reaches
    Append(track, {0x00, 0x80, 0x3E, 0x64, 0x00, 0xFF, 0x2F, 0x00});
    EXPECT_EQ(Saved(song, folder), MidiFile(1, 2, 96, {conductor, track}));

    CScore again;
    again.LoadMidiFile(folder.Win("out.mid").c_str());
    ASSERT_NE(again.GetTrack(0)->notes, nullptr);
    ASSERT_NE(again.GetTrack(0)->notes->next, nullptr);
    EXPECT_EQ(again.GetTrack(0)->notes->next->start, kMaxFileTick);
}

TEST(MidiWriter, SignaturesTextsAndData)
{
    TempFolder folder;
    CScore song;
    song.SetKeySignatureFrom(0, -1, 0);
    song.SetTempoAt(false, 100, 0);
    song.copyright = std::string(200, 'c').c_str();
    song.furtherTexts = std::string(250, 'f').c_str();
    const uint8_t sysEx[] = {0x41, 0x10, 0xF7};
    song.InsertSysEx(10, sizeof sysEx, sysEx);
    CTrack* t = song.GetTrack(0);
    t->SetName("Lead");
    t->InsertControl(0xB0, 7, 90, 0);
    t->InsertControl(0xE0, 0, 64, 5);
    uint8_t data[200];
    for (int i = 0; i < 200; ++i)
        data[i] = static_cast<uint8_t>(i & 0x7F);
    t->InsertDataEvent(6, 200, data);

    Bytes conductor = {0x00, 0xFF, 0x03, 0x01, 0x00, 0x00, 0xFF, 0x03, 0x01, 0x00,
                       0x00, 0xFF, 0x01, 0x01, 0x00, 0x00, 0xFF, 0x01, 0x01, 0x00};
    Append(conductor, {0x00, 0xFF, 0x02, 0x81, 0x49});
    Append(conductor, Bytes(200, 'c'));
    Append(conductor, {0x00});
    for (int piece : {100, 100, 50}) {
        Append(conductor, {0x00, 0xFF, 0x01, static_cast<uint8_t>(piece)});
        Append(conductor, Bytes(piece, 'f'));
    }
    Append(conductor, {0x00, 0xFF, 0x51, 0x03, 0x09, 0x27, 0xC0});  // 600000 microseconds
    Append(conductor, {0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x24, 0x08});
    Append(conductor, {0x00, 0xFF, 0x59, 0x02, 0xFF, 0x00});
    Append(conductor, {0x0A, 0xF0, 0x03, 0x41, 0x10, 0xF7});
    Append(conductor, {0x00, 0xFF, 0x2F, 0x00});

    Bytes track = {0x00, 0xFF, 0x03, 0x05, 'L', 'e', 'a', 'd', 0x00};
    Append(track, {0x00, 0xC0, 0x00});        // program change: two bytes
    Append(track, {0x00, 0xB0, 0x07, 0x5A});  // controller: three
    Append(track, {0x05, 0xE0, 0x00, 0x40});
    Append(track, {0x01, 0xF0, 0x81, 0x48});  // a data length of 200 as a variable-length quantity
    Append(track, Bytes(data, data + 200));
    Append(track, {0x00, 0xFF, 0x2F, 0x00});
    EXPECT_EQ(Saved(song, folder), MidiFile(1, 2, 96, {conductor, track}));
}

TEST(MidiWriter, ControllerCancelsRunningStatusAndHiddenTracksAreSkipped)
{
    TempFolder folder;
    CScore song;
    song.trackCount = 4;
    song.GetTrack(1)->SetShown(false);
    CTrack* t = song.GetTrack(2);
    t->InsertNote(false, 0, 10, 60, 80, 0, 0, 0, 0, 0, 0);
    t->InsertNote(false, 20, 30, 60, 80, 0, 0, 0, 0, 0, 0);
    t->InsertControl(0xB0, 10, 64, 15);
    Bytes out = Saved(song, folder);
    ASSERT_GT(out.size(), 14u);
    EXPECT_EQ(out[11], 3);  // conductor + tracks 0 and 2
    Bytes expected = {0x00, 0xFF, 0x03, 0x01, 0x00, 0x00, 0xC2, 0x28, 0x00, 0x92, 0x3C, 0x50, 0x0A, 0x82, 0x3C, 0x50,
                      0x05, 0xB2, 0x0A, 0x40, 0x05, 0x92, 0x3C, 0x50, 0x0A, 0x82, 0x3C, 0x50, 0x00, 0xFF, 0x2F, 0x00};
    Bytes tail(out.end() - static_cast<long>(expected.size()), out.end());
    EXPECT_EQ(tail, expected);
}

TEST(MidiWriter, FailedWriteIsReportedAndLeavesNoTemporaryFile)
{
    TempFolder folder;
    CScore song;
    // A folder in the target's place cannot be replaced by the new file.
    std::filesystem::create_directory(folder.Linux("taken.mid"));
    EXPECT_EQ(song.SaveMidiFile(folder.Win("taken.mid").c_str()), 0);
    EXPECT_TRUE(std::filesystem::is_directory(folder.Linux("taken.mid")));
    EXPECT_EQ(song.SaveMidiFile(folder.Win("missing\\folder\\x.mid").c_str()), 0);
    EXPECT_EQ(song.SaveMidiFile(folder.Win("good.mid").c_str()), 1);
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Linux()))
        files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 1);
}

TEST(MidiWriter, LoopRangeWritesItsNotesFromTheRangeStart)
{
    TempFolder folder;
    CScore song;
    CTrack* t = song.GetTrack(0);
    t->InsertNote(false, 0, 90, 59, 100, 0, 0, 0, 0, 0, 0);  // before the range
    t->InsertNote(false, 96, 200, 60, 100, 0, 0, 0, 0, 0, 0);
    t->InsertNote(false, 250, 400, 62, 100, 0, 0, 0, 0, 0, 0);  // its note-off lies past the range
    t->InsertNote(false, 350, 380, 64, 100, 0, 0, 0, 0, 0, 0);  // after the range
    t->InsertControl(0xB0, 10, 64, 50);
    t->InsertControl(0xB0, 10, 64, 120);
    t->InsertControl(0xB0, 10, 64, 320);
    song.playMode = 2;
    song.loopStart = 96;
    song.loopEnd = 300;
    Bytes out = Saved(song, folder);
    Bytes expected = {0x00, 0xFF, 0x03, 0x01, 0x00, 0x00, 0xC0, 0x00,  // program at the range start
                      0x00, 0x90, 0x3C, 0x64, 0x18, 0xB0, 0x0A, 0x40, 0x50, 0x80,
                      0x3C, 0x64, 0x32, 0x90, 0x3E, 0x64, 0x1A, 0xC0, 0x00,  // a sixteenth before the range end
                      0x7C, 0x80, 0x3E, 0x64,                                // the controller past the end is left out
                      0x00, 0xFF, 0x2F, 0x00};
    ASSERT_GE(out.size(), expected.size());
    EXPECT_EQ(Bytes(out.end() - static_cast<long>(expected.size()), out.end()), expected);
    EXPECT_EQ(t->controls->next->next->next->next, nullptr);  // the song's own list is untouched
}

namespace {

// The data of the first track chunk (the conductor) of a written file.
Bytes ConductorOf(const Bytes& file)
{
    if (file.size() < 22)
        return Bytes();
    const size_t length = (size_t(file[18]) << 24) | (size_t(file[19]) << 16) | (size_t(file[20]) << 8) | file[21];
    return Bytes(file.begin() + 22, file.begin() + 22 + static_cast<long>(std::min(length, file.size() - 22)));
}

}  // namespace

TEST(MidiWriter, ARangeStartsWithTheTempoTimeAndKeyInForceThereAndShiftsTheChangesInside)
{
    TempFolder folder;
    CScore song;
    song.SetTempoAt(false, 120, 0);
    song.SetTempoAt(true, 60, 48);
    song.SetTempoAt(true, 90, 150);
    song.SetTempoAt(true, 200, 400);  // after the range
    song.SetTimeSignatureFrom(48, 3, 2);
    song.SetKeySignatureFrom(0, -1, 0);
    song.SetKeySignatureFrom(200, 2, 0);
    const uint8_t sysEx[] = {0x41, 0x10, 0xF7};
    song.InsertSysEx(10, sizeof sysEx, sysEx);  // a set-up before the range
    song.GetTrack(0)->InsertNote(false, 96, 300, 60, 100, 0, 0, 0, 0, 0, 0);
    song.playMode = 2;
    song.loopStart = 96;
    song.loopEnd = 300;

    Bytes conductor = kEmptyTexts;
    Append(conductor, {0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40});  // 60 bpm, set at 48
    Append(conductor, {0x00, 0xFF, 0x58, 0x04, 0x03, 0x02, 0x24, 0x08});
    Append(conductor, {0x00, 0xFF, 0x59, 0x02, 0xFF, 0x00});
    Append(conductor, {0x00, 0xF0, 0x03, 0x41, 0x10, 0xF7});
    Append(conductor, {0x36, 0xFF, 0x51, 0x03, 0x0A, 0x2C, 0x2A});  // 90 bpm at 150, 54 ticks into the range
    Append(conductor, {0x32, 0xFF, 0x59, 0x02, 0x02, 0x00});
    Append(conductor, {0x00, 0xFF, 0x2F, 0x00});
    EXPECT_EQ(ConductorOf(Saved(song, folder)), conductor);
}

TEST(MidiWriter, TheFileStartsWithTheTempoTheSongPlaysAt)
{
    const struct {
        const char* name;
        int firstChangeTick;  // -1: the song has no tempo changes
        Bytes tempos;
    } cases[] = {
        {"a new song at its own tempo", -1, kNewSongTempo},
        {"a first change later than 0 keeps the file default before it",
         48,
         {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        CScore song;
        ASSERT_EQ(song.tempo, 100);
        if (c.firstChangeTick >= 0)
            song.SetTempoAt(false, 60, c.firstChangeTick);
        Bytes conductor = kEmptyTexts;
        Append(conductor, c.tempos);
        Bytes out = ConductorOf(Saved(song, folder));
        ASSERT_GE(out.size(), conductor.size());
        EXPECT_EQ(Bytes(out.begin(), out.begin() + static_cast<long>(conductor.size())), conductor);

        CScore again;
        ASSERT_EQ(again.LoadMidiFile(folder.Win("out.mid").c_str()), 1);
        ASSERT_NE(again.tempoList, nullptr);
        EXPECT_EQ(again.tempoList->tick, 0);
        EXPECT_EQ(again.tempoList->bpm, c.firstChangeTick < 0 ? 100 : 120);
    }
}

TEST(MidiWriter, SecondsFollowTheTempoChangesAsTheFilePlaysThem)
{
    CScore song;  // division 96
    const struct {
        int tick;
        double seconds;
    } cases[] = {{0, 0}, {96, 0.6}, {960, 6.0}};  // a new song plays at its own 100 bpm
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(song.SecondsAtTick(c.tick), c.seconds) << c.tick;
    song.SetTempoAt(false, 60, 96);  // 120 bpm before the first change
    song.SetTempoAt(true, 240, 192);
    EXPECT_DOUBLE_EQ(song.SecondsAtTick(96), 0.5);
    EXPECT_DOUBLE_EQ(song.SecondsAtTick(192), 1.5);
    EXPECT_DOUBLE_EQ(song.SecondsAtTick(288), 1.75);
}
