// MIDI rendering and the ringtone export on the real renderer and ffmpeg.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "audio/ffmpeg_process.h"
#include "audio/midi_audio.h"
#include "audio_test_util.h"
#include "tests/support/test_data.h"
#include "kernel/prompt_service.h"
#include "media/render_midi.h"
#include "media/smf_tempo_map.h"

using namespace audiotest;

namespace {

CWnd* const kProgress = reinterpret_cast<CWnd*>(0x2000);

// End of the last note of the song, from the note list made by another program.
double LastNoteEnd(const std::string& notesPath)
{
    std::ifstream in(notesPath);
    double end = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("track", 0) == 0)
            continue;
        std::istringstream fields(line);
        double pitch, start, stop;
        if (fields >> pitch >> start >> stop)
            end = std::max(end, stop);
    }
    return end;
}

// A Standard MIDI File of the given format and track bodies (end-of-track events included by the caller).
std::vector<uint8_t> Smf(int format, const std::vector<std::vector<uint8_t>>& tracks)
{
    std::vector<uint8_t> out = {
        'M',  'T', 'h', 'd', 0, 0, 0, 6, 0, static_cast<uint8_t>(format), 0, static_cast<uint8_t>(tracks.size()),
        0x01, 0xE0};  // 480 ticks a quarter
    for (const std::vector<uint8_t>& body : tracks) {
        out.insert(out.end(), {'M', 'T', 'r', 'k'});
        for (int shift = 24; shift >= 0; shift -= 8)
            out.push_back(static_cast<uint8_t>(body.size() >> shift));
        out.insert(out.end(), body.begin(), body.end());
    }
    return out;
}

// Piano, one note held to the end of the song at tick 960 (one second at the default 120 bpm).
const std::vector<uint8_t> kHeldNote = {0x00, 0xC0, 0x00, 0x00, 0x90, 0x3C, 0x64, 0x87, 0x40, 0xFF, 0x2F, 0x00};

// The 16-bit samples of a wave file with a 44-byte header.
std::vector<int16_t> Samples(const std::string& wavePath)
{
    std::vector<uint8_t> bytes = ReadBytes(wavePath);
    std::vector<int16_t> samples;
    for (size_t i = 44; i + 1 < bytes.size(); i += 2)
        samples.push_back(static_cast<int16_t>(bytes[i] | bytes[i + 1] << 8));
    return samples;
}

// ffmpeg's measure of a file's level: "max_volume" or "mean_volume" in dB.
double Volume(const std::string& path, const std::string& which)
{
    std::string out =
        RunCapture({"sh", "-c", "ffmpeg -hide_banner -nostats -i \"$0\" -af volumedetect -f null - 2>&1", path});
    size_t at = out.find(which + ": ");
    return at == std::string::npos ? 0.0 : std::atof(out.c_str() + at + which.size() + 2);
}

class MidiExport : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_EQ(InitBassMidi(), 1);
        // Some sound is all these tests need: the small General MIDI set loads fastest.
        DWORD small = MidiRenderFontInit("/usr/share/sounds/sf2/TimGM6mb.sf2");
        ASSERT_NE(small, 0u);
        ASSERT_TRUE(MidiRenderStreamSetFont(0, small));
    }
    static void TearDownTestSuite() { FreeBass(); }
    void SetUp() override
    {
        MidiExportContext context;
        context.pProgressDialog = kProgress;
        SetMidiExportContext(context);
        GetRecordingPromptService().Clear();
        setenv("XDG_DOCUMENTS_DIR", dir.Linux("documents").c_str(), 1);
    }
    void TearDown() override
    {
        SetMidiExportContext(MidiExportContext());
        unsetenv("XDG_DOCUMENTS_DIR");
    }
    // Temporary files a run left behind: waves and logs in the documents folder, partial outputs.
    std::vector<std::string> Leftovers() const
    {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.Linux(""))) {
            std::string name = entry.path().filename().string();
            if (name.rfind("tmpmid2wave", 0) == 0 || name.rfind("checkffmpegtxt", 0) == 0 ||
                name.find(".part") != std::string::npos)
                found.push_back(name);
        }
        return found;
    }
    TempFolder dir;
    RecordedWindows windows;
    const std::string bach = TestDataPath("midi/bach_846.mid");
};

TEST_F(MidiExport, TempoMapTimesMatchTheNoteListAndEndAtTheLastEvent)
{
    SmfTempoMap map;
    ASSERT_TRUE(ReadSmfTempoMap(bach, &map));
    // The last notes stop at tick 119040; the first track's end follows 32 slow quarters later.
    EXPECT_NEAR(map.TickToSeconds(119040), LastNoteEnd(TestDataPath("midi/bach_846.notes.txt")), 0.001);
    EXPECT_EQ(map.endTick, 134400u);
    EXPECT_NEAR(map.EndSeconds(), map.TickToSeconds(119040) + 32 * 2.222222, 0.001);
}

TEST_F(MidiExport, RenderWritesExactHeaderSizesAndPostsProgress)
{
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
    for (size_t i = 2; i < values.size(); ++i)
        EXPECT_GE(values[i], values[i - 1]);
    EXPECT_EQ(windows.shows, (std::vector<int>{SW_SHOWNORMAL, SW_HIDE}));
}

struct Target {
    const char* ext;
    int type;
    const char* codec;
    const char* channels;
    const char* rate;
    const char* magic;  // start of an AMR file
    int maxKbps;        // highest bit rate the file may have; 0: not checked
};

// Test listings name a target by its extension.
void PrintTo(const Target& target, std::ostream* out) { *out << target.ext; }

class MidiExportType : public MidiExport, public ::testing::WithParamInterface<Target> {};

// One export per case, so that ctest can run them side by side.
TEST_P(MidiExportType, ExportsTheSongWithTheRightStreamAndDuration)
{
    const Target& t = GetParam();
    SmfTempoMap map;
    ASSERT_TRUE(ReadSmfTempoMap(bach, &map));
    std::string out = dir.Linux(std::string("bach.") + t.ext);
    ASSERT_EQ(ExportMidiAudio(CString(bach.c_str()), CString(dir.Win(std::string("bach.") + t.ext)), t.type), 1);
    EXPECT_EQ(Probe(out, "stream=codec_name"), t.codec);
    EXPECT_EQ(Probe(out, "stream=channels"), t.channels);
    EXPECT_EQ(Probe(out, "stream=sample_rate"), t.rate);
    // A ringtone's size: AAC at 128 kb/s, not the several hundred a quality setting gives.
    if (t.maxKbps) {
        EXPECT_LE(std::atoi(Probe(out, "stream=bit_rate").c_str()), t.maxKbps * 1000);
    }
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
    EXPECT_EQ(Leftovers(), std::vector<std::string>());
}

INSTANTIATE_TEST_SUITE_P(Types, MidiExportType,
                         ::testing::Values(Target{"m4r", EXPORT_TYPE_M4R, "aac", "2", "44100", nullptr, 130},
                                           Target{"mp3", EXPORT_TYPE_MP3, "mp3", "2", "44100", nullptr, 0},
                                           Target{"amr", EXPORT_TYPE_AMR, "amr_nb", "1", "8000", "#!AMR\n", 0},
                                           Target{"awb", EXPORT_TYPE_AWB, "amr_wb", "1", "16000", "#!AMR-WB\n", 0}),
                         [](const ::testing::TestParamInfo<Target>& info) { return std::string(info.param.ext); });

TEST_F(MidiExport, AFailedRenderStopsBeforeFfmpeg)
{
    WriteBytes(dir.Linux("bad.mid"), {'n', 'o', 't', ' ', 'm', 'i', 'd', 'i'});
    EXPECT_EQ(ExportMidiAudio(CString(dir.Win("bad.mid")), CString(dir.Win("bad.mp3")), EXPORT_TYPE_MP3), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.Linux("bad.mp3")));
    EXPECT_TRUE(windows.posts.empty());
    auto messages = GetRecordingPromptService().Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Can't run BASS_MIDI_StreamCreateFile!");
}

TEST_F(MidiExport, WithoutProgressDialogNothingIsPostedAndUnknownTypesGetNoOptions)
{
    SetMidiExportContext(MidiExportContext());
    EXPECT_EQ(GetExportOptions(4), CString());
    ASSERT_EQ(ExportMidiAudio(CString(TestDataPath("midi/beat.mid").c_str()), CString(dir.Win("beat.wav")), 0), 1);
    EXPECT_EQ(Probe(dir.Linux("beat.wav"), "stream=codec_name"), "pcm_s16le");
    EXPECT_TRUE(windows.posts.empty());
    EXPECT_TRUE(windows.shows.empty());
}

TEST_F(MidiExport, RenderIsNormalisedToMinusOneDbfsWithoutClippingAndEndsWithoutAClick)
{
    for (const char* song : {"midi/bach_846.mid", "midi/TheEntertainer.mid", "midi/beat.mid"}) {
        std::string wave = dir.Linux("level.wav");
        ASSERT_EQ(RenderMidiFile(CString(TestDataPath(song).c_str()), CString(dir.Win("level.wav"))), 1) << song;
        double peak = Volume(wave, "max_volume");
        std::printf("%s: peak %.1f dBFS, mean %.1f dBFS\n", song, peak, Volume(wave, "mean_volume"));
        EXPECT_NEAR(peak, -1.0, 0.15) << song;
        std::vector<int16_t> samples = Samples(wave);
        size_t clipped = std::count_if(samples.begin(), samples.end(), [](int16_t v) { return std::abs(v) >= 32767; });
        EXPECT_EQ(clipped, 0u) << song;
    }

    // A note still sounding when the song ends fades out over the last milliseconds, to silence.
    WriteBytes(dir.Linux("held.mid"), Smf(0, {kHeldNote}));
    ASSERT_EQ(RenderMidiFile(CString(dir.Win("held.mid")), CString(dir.Win("held.wav"))), 1);
    std::vector<int16_t> samples = Samples(dir.Linux("held.wav"));
    ASSERT_EQ(samples.size(), 2u * 44100);  // the length is kept
    EXPECT_EQ(samples[samples.size() - 1], 0);
    EXPECT_EQ(samples[samples.size() - 2], 0);
    auto loudest = [&](size_t fromEnd, size_t toEnd) {
        int peak = 0;
        for (size_t i = samples.size() - 2 * fromEnd; i < samples.size() - 2 * toEnd; ++i)
            peak = std::max(peak, std::abs(int(samples[i])));
        return peak;
    };
    int beforeTheFade = loudest(1323, 441);  // 30 ms to 10 ms before the end
    EXPECT_GT(beforeTheFade, 1000);
    EXPECT_LT(loudest(22, 0), beforeTheFade / 10);  // the last half millisecond
}

TEST_F(MidiExport, SongsWithoutSoundAreNotExportedAndTheOlderFileStays)
{
    std::vector<uint8_t> cut = Smf(0, {kHeldNote});
    cut.resize(26);  // the track stops after its program change
    const std::pair<const char*, std::vector<uint8_t>> cases[] = {
        {"no tracks", Smf(1, {})},
        {"no notes", Smf(0, {{0x00, 0xC0, 0x00, 0x83, 0x60, 0xFF, 0x2F, 0x00}})},
        {"cut off", cut},
    };
    for (const auto& [what, bytes] : cases) {
        GetRecordingPromptService().Clear();
        WriteBytes(dir.Linux("song.mid"), bytes);
        WriteBytes(dir.Linux("song.m4r"), {'o', 'l', 'd'});
        EXPECT_EQ(ExportMidiAudio(CString(dir.Win("song.mid")), CString(dir.Win("song.m4r")), EXPORT_TYPE_M4R), 0)
            << what;
        EXPECT_EQ(ReadBytes(dir.Linux("song.m4r")), (std::vector<uint8_t>{'o', 'l', 'd'})) << what;
        EXPECT_EQ(GetRecordingPromptService().Messages().size(), 1u) << what;
    }
    EXPECT_EQ(Leftovers(), std::vector<std::string>());
}

TEST_F(MidiExport, AnExportStoppedHalfWayKeepsTheOlderFile)
{
    WriteBytes(dir.Linux("bach.mp3"), {'o', 'l', 'd'});
    windows.pumpAction = [] {
        if (CFfmpegProcess::IsRunning())
            CFfmpegProcess::Cancel();
    };
    EXPECT_EQ(ExportMidiAudio(CString(bach.c_str()), CString(dir.Win("bach.mp3")), EXPORT_TYPE_MP3), 0);
    EXPECT_EQ(ReadBytes(dir.Linux("bach.mp3")), (std::vector<uint8_t>{'o', 'l', 'd'}));
    EXPECT_EQ(Leftovers(), std::vector<std::string>());
}

TEST_F(MidiExport, FailuresTellTheUserWhy)
{
    const std::string beat = TestDataPath("midi/beat.mid");
    const std::string empty = dir.Linux("empty");
    std::filesystem::create_directory(empty);
    struct Case {
        CString output;
        const char* path;  // PATH while exporting; null: unchanged
        std::string cause;
    } cases[] = {
        {CString(dir.Win("no-folder/beat.m4r")), nullptr, "No such file or directory"},
        {CString(dir.Win("beat.m4r")), empty.c_str(), "Can't start ffmpeg: No such file or directory"},
    };
    std::string path = getenv("PATH");
    for (const Case& c : cases) {
        GetRecordingPromptService().Clear();
        if (c.path)
            setenv("PATH", c.path, 1);
        int result = ExportMidiAudio(CString(beat.c_str()), c.output, EXPORT_TYPE_M4R);
        setenv("PATH", path.c_str(), 1);
        EXPECT_EQ(result, 0);
        auto messages = GetRecordingPromptService().Messages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].text.find(c.cause), std::string::npos) << messages[0].text;
    }
    EXPECT_EQ(Leftovers(), std::vector<std::string>());
}

// The other program's export runs while this one renders, with the same documents folder.
std::string g_otherSong, g_otherOutput;
bool g_otherDone = false;

TEST_F(MidiExport, TwoExportsAtOnceEachWriteTheirOwnSong)
{
    const std::string beat = TestDataPath("midi/beat.mid");
    g_otherSong = beat;
    g_otherOutput = dir.Linux("other.mp3");
    g_otherDone = false;
    windows.pumpAction = [] {
        if (g_otherDone)
            return;
        g_otherDone = true;
        RunCapture({AUDIOTOOL_PATH, "export", g_otherSong, g_otherOutput});
    };
    ASSERT_EQ(ExportMidiAudio(CString(bach.c_str()), CString(dir.Win("mine.mp3")), EXPORT_TYPE_MP3), 1);
    ASSERT_TRUE(g_otherDone);
    const std::pair<std::string, std::string> exports[] = {{bach, "mine.mp3"}, {beat, "other.mp3"}};
    for (const auto& [song, output] : exports) {
        SmfTempoMap map;
        ASSERT_TRUE(ReadSmfTempoMap(song, &map));
        EXPECT_NEAR(std::atof(Probe(dir.Linux(output), "format=duration").c_str()), map.EndSeconds(), 0.2) << output;
    }
    EXPECT_EQ(Leftovers(), std::vector<std::string>());
}

}  // namespace
