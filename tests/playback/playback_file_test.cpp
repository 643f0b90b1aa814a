// A real Standard MIDI File played through: every note sounds when the file's tempo map says it should.
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "playback_fixture.h"
#include "tests/support/test_data.h"

namespace {

// Start times in milliseconds of every note of a notes listing, per pitch, in order.
std::map<int, std::vector<double>> NoteStarts(const std::string& path)
{
    std::map<int, std::vector<double>> starts;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("track", 0) == 0)
            continue;
        std::istringstream fields(line);
        int pitch;
        double start, end;
        if (fields >> pitch >> start >> end)
            starts[pitch].push_back(start * 1000.0);
    }
    for (auto& [pitch, times] : starts)
        std::sort(times.begin(), times.end());
    return starts;
}

}  // namespace

TEST_F(PlaybackTest, RealFilePlaysEveryNoteOnTime)
{
    const std::string midi = TestDataPath("midi/TheEntertainer.mid");
    ASSERT_TRUE(song.LoadMidiFile(CString(midi.c_str())));
    std::map<int, std::vector<double>> expected = NoteStarts(TestDataPath("midi/TheEntertainer.notes.txt"));
    ASSERT_FALSE(expected.empty());

    song.RewindPlayback(1);
    midiOutClearRecording();
    startTime = MmClockNow();
    song.StartPlayback();
    PlayUntilStopped(10 * 60 * 1000);
    ASSERT_EQ(2, song.playState);

    std::map<int, std::vector<double>> played;
    for (const RecordedMidiMessage& m : midiOutRecordedMessages())
        if ((m.message & 0xF0) == 0x90 && (m.message >> 16) != 0)
            played[(m.message >> 8) & 0xFF].push_back(m.time - startTime);
    for (const auto& [pitch, times] : expected) {
        ASSERT_EQ(times.size(), played[pitch].size()) << "pitch " << pitch;
        for (size_t i = 0; i < times.size(); ++i) {
            EXPECT_GE(played[pitch][i], times[i] - 5) << "pitch " << pitch << " note " << i;
            EXPECT_LT(played[pitch][i], times[i] + 40) << "pitch " << pitch << " note " << i;
        }
    }
}
