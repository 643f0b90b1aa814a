// SMAF reading: round trips through the writer, contents info, chunk order, events and malformed files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kernel/prompt_service.h"
#include "song/score.h"
#include "song/smaf_file.h"
#include "tests/support/byte_builders.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_data.h"

namespace {

// A file of the given chunks with a correct size field and two CRC bytes.
std::vector<uint8_t> FileOf(const std::vector<std::vector<uint8_t>>& chunks)
{
    std::vector<uint8_t> file;
    Append(file, "MMMD");
    Append(file, {0, 0, 0, 0});
    for (const auto& chunk : chunks)
        file.insert(file.end(), chunk.begin(), chunk.end());
    Append(file, {0, 0});
    PutSize(file, 4, file.size() - 8);
    return file;
}

// A score-track chunk whose sequence holds the given events (then four bytes the reader does not read).
std::vector<uint8_t> TrackChunk(int number, const std::vector<uint8_t>& events)
{
    std::vector<uint8_t> chunk;
    Append(chunk, "MTR");
    Append(chunk, {number, 0, 0, 0, 0, 0, 0, 2, 2, 0x80, 0x80});
    Append(chunk, "Mtsq");
    Append(chunk, {0, 0, 0, 0});
    chunk.insert(chunk.end(), events.begin(), events.end());
    Append(chunk, {0, 0, 0, 0});
    PutSize(chunk, 4, chunk.size() - 8);
    PutSize(chunk, 18, chunk.size() - 22);
    return chunk;
}

std::vector<uint8_t> TrackChunk(int number, std::initializer_list<int> events)
{
    std::vector<uint8_t> bytes;
    Append(bytes, events);
    return TrackChunk(number, bytes);
}

struct Loaded {
    CScore song;
    SmafContentsInfo info;
    int result = 0;
};

void LoadBytes(Loaded& loaded, const std::vector<uint8_t>& bytes)
{
    TempFolder folder;
    WriteBytes(folder.Linux("read.mmf"), bytes);
    ResetContentsInfo(&loaded.info);
    CSmafFile file(&loaded.info);
    file.SetScore(&loaded.song);
    loaded.result = file.Load(folder.Linux("read.mmf").c_str());
}

// The last event of that status (and controller) in the track: a reset song starts with program 0.
const ControlEvent* FindControl(const CScore& song, int track, int status, int data1)
{
    const ControlEvent* found = nullptr;
    for (const ControlEvent* e = song.GetTrackControls(track); e; e = e->next)
        if ((e->status & 0xF0) == status && (status == 0xC0 || status == 0xE0 || e->data1 == data1))
            found = e;
    return found;
}

}  // namespace

TEST(SmafReaderTest, WriterOutputReadsBackWithinTheUnitGrid)
{
    CScore song;
    song.NewSong(3, 4, 2);
    song.SetTempoAt(false, 100, 0);
    song.GetTrack(0)->InsertNote(false, 0, 96, 30, 80, 0, 0, 0, 0, 0, 0);
    song.GetTrack(0)->InsertNote(false, 100, 150, 60, 80, 0, 0, 0, 0, 0, 0);
    song.GetTrack(0)->InsertControl(0xC0, 41, 0, 0);
    song.GetTrack(1)->SetChannel(9);
    song.GetTrack(1)->InsertNote(false, 48, 60, 38, 90, 0, 0, 0, 0, 0, 0);
    song.GetTrack(2)->InsertNote(false, 0, 50, 96, 90, 0, 0, 0, 0, 0, 0);
    SmafContentsInfo info;
    ResetContentsInfo(&info);
    CSmafFile writer(&info);
    writer.SetScore(&song);
    TempFolder folder;
    std::string path = folder.Linux("round.mmf");
    ASSERT_TRUE(writer.Save(path.c_str()));

    Loaded loaded;
    CSmafFile reader(&loaded.info);
    reader.SetScore(&loaded.song);
    ASSERT_EQ(reader.Load(path.c_str()), 0);
    // At 100 bpm and division 96 one unit of 4 ms is 0.64 ticks: positions come back within one tick.
    const NoteEvent* a = loaded.song.GetTrackNotes(0);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->pitch, 30);
    EXPECT_EQ(a->velocity, 100);
    EXPECT_NEAR(a->end, 96, 1);
    const NoteEvent* b = a->next;
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->pitch, 60);
    EXPECT_NEAR(b->start, 100, 1);
    EXPECT_NEAR(b->end, 150, 1);
    EXPECT_EQ(loaded.song.GetTrack(1)->GetChannel(), 9);
    EXPECT_EQ(loaded.song.GetTrackNotes(1)->pitch, 38);
    EXPECT_EQ(loaded.song.GetTrackNotes(2)->pitch, 96);  // written an octave down, read back up
    const ControlEvent* program = FindControl(loaded.song, 0, 0xC0, 0);
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(program->data1, 41);
    EXPECT_EQ(FindControl(loaded.song, 0, 0xB0, 7)->data2, 100);
    EXPECT_EQ(FindControl(loaded.song, 0, 0xB0, 11)->data2, 95);
    EXPECT_EQ(loaded.info.ST, "My baby");
}

TEST(SmafReaderTest, ContentsInfoSetsEveryTag)
{
    std::vector<uint8_t> cnti;
    Append(cnti, "CNTI");
    Append(cnti, {0, 0, 0, 0, 0, 0, 0, 0, 0});
    Append(cnti, "ST:Song,VN:X,");
    PutSize(cnti, 4, cnti.size() - 8);
    Loaded loaded;
    LoadBytes(loaded, FileOf({cnti, TrackChunk(1, {})}));
    EXPECT_EQ(loaded.result, 0);
    EXPECT_EQ(loaded.info.ST, "Song");
    EXPECT_EQ(loaded.info.VN, "X");
    EXPECT_EQ(loaded.info.CN, "");

    SmafContentsInfo parsed;
    const char text[] = "ST: A:B ,st:second,CR:\"quoted\"";
    ParseContentsInfoText(text, sizeof(text) - 1, &parsed);
    EXPECT_EQ(parsed.ST, "A=B");  // first item wins, ':' reads as '='
    EXPECT_EQ(parsed.CR, "quoted");
    EXPECT_EQ(parsed.VN, "");
}

TEST(SmafReaderTest, ChunksFillTracksInFileOrder)
{
    // The second chunk in the file carries number 1: tracks follow file order, not numbers.
    Loaded loaded;
    LoadBytes(loaded, FileOf({TrackChunk(2, {0, 0x1C, 10}), TrackChunk(1, {0, 0x5C, 10})}));
    EXPECT_EQ(loaded.result, 0);
    ASSERT_NE(loaded.song.GetTrackNotes(0), nullptr);
    ASSERT_NE(loaded.song.GetTrackNotes(5), nullptr);
    EXPECT_EQ(loaded.song.GetTrackNotes(5)->pitch, 60);
    EXPECT_EQ(loaded.song.GetTrack(5)->GetChannel(), 5);
    EXPECT_GE(loaded.song.trackCount, 7);
}

TEST(SmafReaderTest, EventsAndControlCodes)
{
    Loaded loaded;
    LoadBytes(loaded,
              FileOf({TrackChunk(1, {
                                        0,    0xFF, 0xF0, 0x03, 0x43, 0x01, 0xF7,  // system exclusive, skipped whole
                                        0,    0x00, 0x0F,        // short expression 15: beyond 127, clamped
                                        0,    0x00, 0x35, 0x10,  // long control code 5: no MIDI meaning, no record
                                        0,    0x00, 0x3A, 0x40,  // code 10 reads as controller 8
                                        0xFF, 0x7F, 0x1C, 0x01,  // after 16512 units
                                    })}));
    EXPECT_EQ(loaded.result, 0);
    int controllers = 0;
    for (const ControlEvent* e = loaded.song.GetTrackControls(0); e; e = e->next) {
        EXPECT_NE(e->status, 0);
        if ((e->status & 0xF0) == 0xB0)
            ++controllers;
    }
    EXPECT_EQ(controllers, 2);
    EXPECT_EQ(FindControl(loaded.song, 0, 0xB0, 11)->data2, 127);
    EXPECT_EQ(FindControl(loaded.song, 0, 0xB0, 8)->data2, 0x40);
    const NoteEvent* note = loaded.song.GetTrackNotes(0);
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->start, 10568);  // 16512 x 0.64
}

TEST(SmafReaderTest, TheFilesProgramAtTheStartReplacesTheResetOne)
{
    Loaded loaded;
    LoadBytes(loaded, FileOf({TrackChunk(1, {0, 0x00, 0x70, 0x05, 0, 0x5C, 10, 0, 0x00, 0xB0, 0x07, 0, 0x9C, 10})}));
    EXPECT_EQ(loaded.result, 0);
    std::vector<int> programs[3];
    for (int track : {1, 2})
        for (const ControlEvent* e = loaded.song.GetTrackControls(track); e; e = e->next)
            if ((e->status & 0xF0) == 0xC0)
                programs[track].push_back(e->data1);
    EXPECT_EQ(programs[1], std::vector<int>{5});
    EXPECT_EQ(programs[2], std::vector<int>{7});
}

TEST(SmafReaderTest, LongTimesStayPositive)
{
    // 1400 long pauses pass the 32-bit range of units x division before the note.
    std::vector<uint8_t> events;
    for (int i = 0; i < 1400; ++i)
        Append(events, {0xFF, 0x7F, 0xFF, 0x00});
    Append(events, {0, 0x1C, 10});
    Loaded loaded;
    LoadBytes(loaded, FileOf({TrackChunk(1, events)}));
    const NoteEvent* note = loaded.song.GetTrackNotes(0);
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->start, 14794752);  // 1400 x 16512 x 0.64
    EXPECT_EQ(note->end, 14794758);
}

TEST(SmafReaderTest, MalformedFilesAreRefusedOrEndCleanly)
{
    RecordingPromptService& prompts = GetRecordingPromptService();
    prompts.Clear();
    Loaded bad;
    LoadBytes(bad, {'M', 'M', 'M', 'D', 0, 0, 0, 9, 1, 2});
    EXPECT_EQ(bad.result, -1);
    ASSERT_EQ(prompts.Messages().size(), 1u);
    EXPECT_EQ(prompts.Messages()[0].text, "The file is not a SMAF format file.");

    std::vector<uint8_t> huge = TrackChunk(1, {0, 0x1C, 10});
    PutSize(huge, 4, 0xFFFFFFF0);  // a size far past the file
    Loaded clipped;
    LoadBytes(clipped, FileOf({huge}));
    EXPECT_EQ(clipped.result, 0);

    Loaded noTrack;
    LoadBytes(noTrack, FileOf({}));
    EXPECT_EQ(noTrack.result, -1);
}

TEST(SmafReaderTest, RealFilesLoadOrAreRefusedCleanly)
{
    struct Case {
        const char* name;
        int result;
        bool notes;
    } cases[] = {
        {"sonatina.mmf", 0, true},     {"jingle-bell.mmf", 0, true},  {"liturgy.mmf", 0, true},
        {"score-sample.mmf", 0, true}, {"wave-sample.mmf", 1, false},
    };
    for (const Case& c : cases) {
        std::string path = TestDataPath(std::string("smaf/") + c.name);
        CScore song;
        SmafContentsInfo info;
        CSmafFile file(&info);
        file.SetScore(&song);
        EXPECT_EQ(file.Load(path.c_str()), c.result) << c.name;
        bool any = false;
        for (int t = 0; t < kMaxTracks; ++t)
            any = any || song.GetTrackNotes(t);
        EXPECT_EQ(any, c.notes) << c.name;
    }
}
