// The Standard MIDI Files of the shared test data load with the notes another parser found in them,
// and survive a round trip through the writer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "media/smf_tempo_map.h"
#include "kernel/path_map.h"
#include "song/score.h"
#include "song/song_files.h"
#include "song_test_files.h"
#include "tests/support/test_data.h"

namespace {

using Note = std::tuple<int, double, double>;  // pitch, start and end in seconds

std::string MidiFolder() { return TestDataPath("midi/"); }

std::vector<Note> ReferenceNotes(const std::string& path)
{
    std::vector<Note> notes;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("track", 0) == 0 || line.empty())
            continue;
        std::istringstream fields(line);
        int pitch;
        double start, end;
        if (fields >> pitch >> start >> end)
            notes.emplace_back(pitch, start, end);
    }
    std::sort(notes.begin(), notes.end());
    return notes;
}

std::vector<Note> SongNotes(const CScore& song, const SmfTempoMap& map)
{
    std::vector<Note> notes;
    for (int t = 0; t <= song.trackCount - 2; ++t) {
        for (const NoteEvent* n = song.tracks[t]->notes; n; n = n->next)
            notes.emplace_back(n->pitch, map.TickToSeconds(n->start), map.TickToSeconds(n->end));
    }
    std::sort(notes.begin(), notes.end());
    return notes;
}

class TestDataFile : public ::testing::TestWithParam<const char*> {};

}  // namespace

TEST_P(TestDataFile, LoadsTheReferenceNotes)
{
    std::string path = MidiFolder() + GetParam() + ".mid";
    SmfTempoMap map;
    ASSERT_TRUE(ReadSmfTempoMap(path, &map));
    CScore song;
    ASSERT_EQ(OpenSongFile(song, ToWindowsPath(path).c_str()), 1);
    std::vector<Note> expected = ReferenceNotes(MidiFolder() + GetParam() + ".notes.txt");
    std::vector<Note> actual = SongNotes(song, map);
    ASSERT_EQ(actual.size(), expected.size());
    // A staff cannot hold two sounding notes of one pitch: the first of an overlapping pair is cut
    // short by the second, which then ends at the first's note-off. Only those ends may differ.
    int overlaps = 0;
    for (size_t i = 0; i + 1 < expected.size(); ++i) {
        const auto& [p1, s1, e1] = expected[i];
        const auto& [p2, s2, e2] = expected[i + 1];
        if (p1 == p2 && s2 > s1 && s2 < e1)
            ++overlaps;
    }
    int startMismatches = 0;
    int endMismatches = 0;
    for (size_t i = 0; i < expected.size(); ++i) {
        const auto& [p1, s1, e1] = expected[i];
        const auto& [p2, s2, e2] = actual[i];
        if (p1 != p2 || std::fabs(s1 - s2) > 1e-3)
            ++startMismatches;
        else if (std::fabs(e1 - e2) > 1e-3)
            ++endMismatches;
    }
    EXPECT_EQ(startMismatches, 0);
    EXPECT_LE(endMismatches, 2 * overlaps);
}

TEST_P(TestDataFile, SurvivesAMidiRoundTrip)
{
    TempFolder folder;
    std::string path = MidiFolder() + GetParam() + ".mid";
    CScore song;
    ASSERT_EQ(OpenSongFile(song, ToWindowsPath(path).c_str()), 1);
    std::string first = folder.Win("first.mid");
    ASSERT_EQ(song.SaveMidiFile(first.c_str()), 1);
    CScore again;
    ASSERT_EQ(OpenSongFile(again, first.c_str()), 1);
    std::string second = folder.Win("second.mid");
    ASSERT_EQ(again.SaveMidiFile(second.c_str()), 1);
    EXPECT_EQ(ReadBytes(folder.Linux("first.mid")), ReadBytes(folder.Linux("second.mid")));

    std::string score = folder.Win("song.sms");
    ASSERT_EQ(again.SaveScoreFile(score.c_str()), 1);
    CScore native;
    ASSERT_EQ(OpenSongFile(native, score.c_str()), 1);
    std::string third = folder.Win("third.sms");
    ASSERT_EQ(native.SaveScoreFile(third.c_str()), 1);
    EXPECT_EQ(ReadBytes(folder.Linux("song.sms")), ReadBytes(folder.Linux("third.sms")));
}

INSTANTIATE_TEST_SUITE_P(Midi, TestDataFile, ::testing::Values("TheEntertainer", "bach_846", "bach_format0"));

TEST(TestDataLayout, FormatOneOfOneChunkReadsAsItsFormatZeroTwin)
{
    // The format-0 file relabelled as format 1: its one chunk is then the conductor chunk.
    TempFolder folder;
    Bytes bytes = ReadBytes(MidiFolder() + "bach_format0.mid");
    ASSERT_EQ(bytes[9], 0);
    bytes[9] = 1;
    WriteBytes(folder.Linux("one.mid"), bytes);
    SmfTempoMap map;
    ASSERT_TRUE(ReadSmfTempoMap(MidiFolder() + "bach_format0.mid", &map));
    CScore original;
    CScore relabelled;
    ASSERT_EQ(OpenSongFile(original, ToWindowsPath(MidiFolder() + "bach_format0.mid").c_str()), 1);
    ASSERT_EQ(OpenSongFile(relabelled, folder.Win("one.mid").c_str()), 1);
    EXPECT_EQ(SongNotes(relabelled, map).size(), 415u);
    EXPECT_EQ(SongNotes(relabelled, map), SongNotes(original, map));
}
