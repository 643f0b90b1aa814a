// MIDI rendering and the ringtone export on the real renderer and ffmpeg.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "audio/midi_audio.h"
#include "audio_test_util.h"
#include "tests/support/test_data.h"
#include "kernel/prompt_service.h"
#include "media/smf_tempo_map.h"

using namespace audiotest;

namespace {

CWnd* const kProgress = reinterpret_cast<CWnd*>(0x2000);

// End of the last note of the song, from the note list made by another program.
double LastNoteEnd(const std::string& notesPath) {
    std::ifstream in(notesPath);
    double end = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("track", 0) == 0) continue;
        std::istringstream fields(line);
        double pitch, start, stop;
        if (fields >> pitch >> start >> stop) end = std::max(end, stop);
    }
    return end;
}

class MidiExport : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(InitBassMidi(), 1); }
    static void TearDownTestSuite() { FreeBass(); }
    void SetUp() override {
        MidiExportContext context;
        context.pProgressDialog = kProgress;
        SetMidiExportContext(context);
        GetRecordingPromptService().Clear();
        // The temporary wave has a fixed name in the documents folder; parallel test processes get their own.
        setenv("XDG_DOCUMENTS_DIR", dir.Linux("documents").c_str(), 1);
    }
    void TearDown() override {
        SetMidiExportContext(MidiExportContext());
        unsetenv("XDG_DOCUMENTS_DIR");
    }
    TempFolder dir;
    RecordedWindows windows;
    const std::string bach = TestDataPath("midi/bach_846.mid");
};

TEST_F(MidiExport, TempoMapTimesMatchTheNoteListAndEndAtTheLastEvent) {
    SmfTempoMap map;
    ASSERT_TRUE(ReadSmfTempoMap(bach, &map));
    // The last notes stop at tick 119040; the first track's end follows 32 slow quarters later.
    EXPECT_NEAR(map.TickToSeconds(119040), LastNoteEnd(TestDataPath("midi/bach_846.notes.txt")), 0.001);
    EXPECT_EQ(map.endTick, 134400u);
    EXPECT_NEAR(map.EndSeconds(), map.TickToSeconds(119040) + 32 * 2.222222, 0.001);
}

TEST_F(MidiExport, RenderWritesExactHeaderSizesAndPostsProgress) {
    ASSERT_EQ(RenderMidiFile(CString(bach.c_str()), CString(dir.Win("song.wav"))), 1);
    std::vector<uint8_t> bytes = ReadBytes(dir.Linux("song.wav"));
    ASSERT_GT(bytes.size(), 44u);
    EXPECT_EQ(Get32(bytes, 4), bytes.size() - 8);
    EXPECT_EQ(Get32(bytes, 40), bytes.size() - 44);
    EXPECT_EQ(Get32(bytes, 24), 44100u);
    EXPECT_EQ(bytes[22], 2);
    EXPECT_EQ(bytes[34], 16);
    SmfTempoMap map;
    ASSERT_TRUE(ReadSmfTempoMap(bach, &map));
    EXPECT_NEAR((bytes.size() - 44) / 176400.0, map.EndSeconds(), 0.001);

    std::vector<LPARAM> values = windows.Values();
    ASSERT_GE(values.size(), 3u);
    EXPECT_EQ(windows.posts.front().wParam, 0u);
    EXPECT_EQ(values.front(), 100);
    EXPECT_EQ(values.back(), 100);
    for (size_t i = 2; i < values.size(); ++i) EXPECT_GE(values[i], values[i - 1]);
    EXPECT_EQ(windows.shows, (std::vector<int>{SW_SHOWNORMAL, SW_HIDE}));
}

struct Target {
    const char* ext;
    int type;
    const char* codec;
    const char* channels;
    const char* rate;
    const char* magic;  // start of an AMR file
};

// Test listings name a target by its extension.
void PrintTo(const Target& target, std::ostream* out) { *out << target.ext; }

class MidiExportType : public MidiExport, public ::testing::WithParamInterface<Target> {};

// One export per case, so that ctest can run them side by side.
TEST_P(MidiExportType, ExportsTheSongWithTheRightStreamAndDuration) {
    const Target& t = GetParam();
    SmfTempoMap map;
    ASSERT_TRUE(ReadSmfTempoMap(bach, &map));
    std::string out = dir.Linux(std::string("bach.") + t.ext);
    ASSERT_EQ(ExportMidiAudio(CString(bach.c_str()), CString(dir.Win(std::string("bach.") + t.ext)), t.type), 1);
    EXPECT_EQ(Probe(out, "stream=codec_name"), t.codec);
    EXPECT_EQ(Probe(out, "stream=channels"), t.channels);
    EXPECT_EQ(Probe(out, "stream=sample_rate"), t.rate);
    double duration;
    if (t.magic) {
        // AMR files carry no duration; their 20 ms frames count it exactly.
        std::string packets = RunCapture({"ffprobe", "-v", "error", "-count_packets", "-select_streams", "a:0",
                                          "-show_entries", "stream=nb_read_packets", "-of", "default=nw=1:nk=1", out});
        duration = std::atof(packets.c_str()) * 0.02;
        std::vector<uint8_t> bytes = ReadBytes(out);
        std::string magic = t.magic;
        EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + magic.size()), magic);
    } else {
        duration = std::atof(Probe(out, "format=duration").c_str());
    }
    EXPECT_NEAR(duration, map.EndSeconds(), 0.2);
    EXPECT_TRUE(GetRecordingPromptService().Messages().empty());
    EXPECT_EQ(windows.Values().back(), 100);
    EXPECT_EQ(windows.shows.back(), SW_HIDE);
    EXPECT_FALSE(std::filesystem::exists(dir.Linux("documents/tmpmid2wave.wav")));
}

INSTANTIATE_TEST_SUITE_P(Types, MidiExportType,
                         ::testing::Values(Target{"m4r", EXPORT_TYPE_M4R, "aac", "2", "44100", nullptr},
                                           Target{"mp3", EXPORT_TYPE_MP3, "mp3", "2", "44100", nullptr},
                                           Target{"amr", EXPORT_TYPE_AMR, "amr_nb", "1", "8000", "#!AMR\n"},
                                           Target{"awb", EXPORT_TYPE_AWB, "amr_wb", "1", "16000", "#!AMR-WB\n"}),
                         [](const ::testing::TestParamInfo<Target>& info) { return std::string(info.param.ext); });

TEST_F(MidiExport, AFailedRenderStopsBeforeFfmpeg) {
    WriteBytes(dir.Linux("bad.mid"), {'n', 'o', 't', ' ', 'm', 'i', 'd', 'i'});
    EXPECT_EQ(ExportMidiAudio(CString(dir.Win("bad.mid")), CString(dir.Win("bad.mp3")), EXPORT_TYPE_MP3), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.Linux("bad.mp3")));
    EXPECT_TRUE(windows.posts.empty());
    auto messages = GetRecordingPromptService().Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Can't run BASS_MIDI_StreamCreateFile!");
}

TEST_F(MidiExport, WithoutProgressDialogNothingIsPostedAndUnknownTypesGetNoOptions) {
    SetMidiExportContext(MidiExportContext());
    EXPECT_EQ(GetExportOptions(4), CString());
    ASSERT_EQ(ExportMidiAudio(CString(TestDataPath("midi/beat.mid").c_str()), CString(dir.Win("beat.wav")), 0), 1);
    EXPECT_EQ(Probe(dir.Linux("beat.wav"), "stream=codec_name"), "pcm_s16le");
    EXPECT_TRUE(windows.posts.empty());
    EXPECT_TRUE(windows.shows.empty());
}

}  // namespace
