// The composer's ringtone export on the real renderer and ffmpeg: names, the short-range tail, failures and refusal.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "audio/audio_window.h"
#include "audio/midi_audio.h"
#include "composer/ringtone_export.h"
#include "kernel/path_map.h"
#include "kernel/prompt_service.h"
#include "media/render_midi.h"
#include "services/composer_globals.h"
#include "services/private_temp.h"
#include "song/score.h"
#include "tests/support/env_guard.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_data.h"

extern char** environ;

namespace {

// One ffprobe entry ("stream=codec_name") of the first audio stream or of the format; run without a shell.
std::string Probe(const std::string& file, const std::string& entry)
{
    int fds[2];
    if (pipe(fds) != 0)
        return std::string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    std::string args[] = {"ffprobe",       "-v",  "error", "-select_streams",   "a:0",
                          "-show_entries", entry, "-of",   "default=nw=1:nk=1", file};
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int err = posix_spawnp(&pid, "ffprobe", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    std::string out;
    char buffer[512];
    for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;)
        out.append(buffer, static_cast<size_t>(n));
    close(fds[0]);
    if (err == 0)
        waitpid(pid, nullptr, 0);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
        out.pop_back();
    return out;
}

// End of the last note of a test song, from the note list made by another program.
double LastNoteEnd(const std::string& notesPath)
{
    std::ifstream in(notesPath);
    double end = 0;
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        double pitch, start, stop;
        if (line.rfind("track", 0) != 0 && fields >> pitch >> start >> stop)
            end = std::max(end, stop);
    }
    return end;
}

RingtoneExportResult* g_nested = nullptr;

class RingtoneExport : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_EQ(InitBassMidi(), 1);
        // Any sound will do: the small General MIDI set loads fastest.
        DWORD font = MidiRenderFontInit("/usr/share/sounds/sf2/TimGM6mb.sf2");
        ASSERT_NE(font, 0u);
        ASSERT_TRUE(MidiRenderStreamSetFont(0, font));
    }
    static void TearDownTestSuite() { FreeBass(); }
    void SetUp() override
    {
        GetRecordingPromptService().Clear();
        documents = getenv("XDG_DOCUMENTS_DIR");
        g_nLastSaveAsKind = 0;
        request.pSong = &song;
        request.pRangeStart = &song.loopStart;
        request.pRangeEnd = &song.loopEnd;
        request.strExportFolder = dir.Win().c_str();
    }
    void TearDown() override { SetAudioWindowHooks(DefaultAudioWindowHooks()); }

    void LoadBach()
    {
        ASSERT_EQ(song.LoadMidiFile(TestDataPath("midi/bach_format0.mid").c_str()), 1);
        request.strSongPath = "";
    }
    // Temporary files the export may have left in the documents folder (beside the log's folder).
    std::vector<std::string> Leftovers() const
    {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(documents))
            if (entry.path().filename() != "quaverly")
                found.push_back(entry.path().filename().string());
        return found;
    }
    std::vector<std::string> Captions() const
    {
        std::vector<std::string> captions;
        for (const auto& message : GetRecordingPromptService().Messages())
            captions.push_back(message.caption);
        return captions;
    }

    TempFolder dir;
    std::string documents;
    CScore song;
    RingtoneExportRequest request;
};

TEST_F(RingtoneExport, AnUnnamedSongBecomesANumberedAacRingtone)
{
    LoadBach();
    dir.Write("tonwick-001.m4r", "older");
    RingtoneExportResult result = RunRingtoneExport(request);
    ASSERT_TRUE(result.bWritten);
    EXPECT_FALSE(IsRingtoneExportRunning());
    EXPECT_EQ(result.strAutomaticName, dir.Win("tonwick-002.m4r"));
    EXPECT_EQ(result.strOutputPath, result.strAutomaticName);
    EXPECT_EQ(g_nLastSaveAsKind, 5);
    const std::string out = dir.Linux("tonwick-002.m4r");
    EXPECT_EQ(Probe(out, "stream=codec_name"), "aac");
    EXPECT_EQ(Probe(out, "format=format_name").substr(0, 3), "mov");
    // The song plays to its last note, and a little beyond for the last sounds to die away.
    const double duration = std::atof(Probe(out, "format=duration").c_str());
    const double last = LastNoteEnd(TestDataPath("midi/bach_format0.notes.txt"));
    EXPECT_GE(duration, last - 0.1);
    EXPECT_LE(duration, last + 3.0);
    EXPECT_TRUE(GetRecordingPromptService().Messages().empty());
    EXPECT_EQ(Leftovers(), std::vector<std::string>());
}

// Two programs export their new songs, both named tonwick-001 when they were made: neither ringtone replaces
// the other, and the second song takes the number its ringtone got. A program exporting its song again replaces
// its own ringtone.
TEST_F(RingtoneExport, NewSongsOfTwoProgramsGetRingtonesOfTheirOwn)
{
    LoadBach();
    CScore other;
    ASSERT_EQ(other.LoadMidiFile(TestDataPath("midi/bach_format0.mid").c_str()), 1);
    song.fileName = other.fileName = dir.Win("tonwick-001.mid").c_str();
    request.strSongPath = song.fileName;
    RingtoneExportRequest second = request;
    second.pSong = &other;
    second.pRangeStart = &other.loopStart;
    second.pRangeEnd = &other.loopEnd;

    RingtoneExportResult first = RunRingtoneExport(request);
    ASSERT_TRUE(first.bWritten);
    EXPECT_EQ(first.strOutputPath, dir.Win("tonwick-001.m4r"));
    const auto firstWritten = std::filesystem::last_write_time(dir.Linux("tonwick-001.m4r"));

    RingtoneExportResult result = RunRingtoneExport(second);
    ASSERT_TRUE(result.bWritten);
    EXPECT_EQ(result.strOutputPath, dir.Win("tonwick-002.m4r"));
    EXPECT_EQ(other.fileName, dir.Win("tonwick-002.mid"));
    EXPECT_EQ(song.fileName, dir.Win("tonwick-001.mid"));
    EXPECT_EQ(std::filesystem::last_write_time(dir.Linux("tonwick-001.m4r")), firstWritten);
    EXPECT_EQ(Probe(dir.Linux("tonwick-002.m4r"), "stream=codec_name"), "aac");

    request.strLastOutput = first.strAutomaticName;
    result = RunRingtoneExport(request);
    ASSERT_TRUE(result.bWritten);
    EXPECT_EQ(result.strOutputPath, dir.Win("tonwick-001.m4r"));
    EXPECT_FALSE(std::filesystem::exists(dir.Linux("tonwick-003.m4r")));
    EXPECT_TRUE(GetRecordingPromptService().Messages().empty());
}

TEST_F(RingtoneExport, SaveAsWritesExactlyTheChosenPathAndType)
{
    LoadBach();
    request.strSongPath = "E:\\music\\song.mid";
    request.strTargetPath = dir.Win("chosen.mp3").c_str();
    g_nLastSaveAsKind = 6;
    RingtoneExportResult result = RunRingtoneExport(request);
    ASSERT_TRUE(result.bWritten);
    EXPECT_EQ(result.strAutomaticName, dir.Win("song.m4r"));
    EXPECT_EQ(result.strOutputPath, dir.Win("chosen.mp3"));
    EXPECT_EQ(Probe(dir.Linux("chosen.mp3"), "stream=codec_name"), "mp3");
    EXPECT_FALSE(std::filesystem::exists(dir.Linux("song.m4r")));
    EXPECT_EQ(g_nLastSaveAsKind, 6);
}

TEST_F(RingtoneExport, FailuresAreReportedOnceAndLeaveNoFile)
{
    const struct {
        const char* name;
        bool blockMidi;      // no private folder for the export's MIDI file
        bool silent;         // a song without notes
        const char* target;  // Save As path; a missing folder makes ffmpeg's output fail
        bool namesOutput;    // the audio step failed: its message names the ringtone
    } cases[] = {
        {"midi write", true, false, "", false},
        {"no sound", false, true, "", true},
        {"ffmpeg output", false, false, "missing/x.m4r", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GetRecordingPromptService().Clear();
        if (c.silent)
            song.NewSong(1, 4, 2);
        else
            LoadBach();
        EnvGuard env;
        if (c.blockMidi) {
            // The private folder's place is taken by a file.
            dir.Write("runtime/kestrin", "");
            env.Set("XDG_RUNTIME_DIR", dir.Linux("runtime").c_str());
            RemovePrivateTempFolder();
        }
        request.strTargetPath = *c.target ? dir.Win(c.target).c_str() : "";
        RingtoneExportResult result = RunRingtoneExport(request);
        EXPECT_FALSE(result.bWritten);
        EXPECT_FALSE(IsRingtoneExportRunning());
        // The step that failed says why, in one message.
        ASSERT_EQ(Captions().size(), 1u);
        const std::string text = GetRecordingPromptService().Messages().back().text;
        // Paths are shown as the user knows them.
        EXPECT_EQ(text.find(DisplayPath(result.strOutputPath.GetString())) != std::string::npos, c.namesOutput) << text;
        if (c.blockMidi)
            std::filesystem::remove_all(dir.Linux("runtime"));
        std::vector<std::string> left;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.Linux()))
            left.push_back(entry.path().filename().string());
        EXPECT_EQ(left, std::vector<std::string>());
        RemovePrivateTempFolder();
        EXPECT_EQ(Leftovers(), std::vector<std::string>());
    }
}

// Each run writes the song into a file of its own in its private folder and leaves nothing there; a file that
// another program keeps in the documents folder under the name every export once shared stays as it was.
TEST_F(RingtoneExport, EachRunWritesItsSongIntoAFileOfItsOwn)
{
    LoadBach();
    const std::string others = documents + "/tmpwave.mid";
    std::ofstream(others) << "another program's song";
    request.strTargetPath = dir.Win("mine.m4r").c_str();
    g_nLastSaveAsKind = 5;
    ASSERT_TRUE(RunRingtoneExport(request).bWritten);
    std::ifstream in(others);
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(text, "another program's song");
    std::filesystem::remove(others);
    const std::string run = MapPathLiteral(GetPrivateTempFolder().GetString());
    ASSERT_FALSE(run.empty());
    EXPECT_TRUE(std::filesystem::is_empty(run));
}

TEST_F(RingtoneExport, AShortRangeRingsOutTheSameEachTimeAndKeepsItsEnd)
{
    LoadBach();
    song.playMode = 2;
    song.loopStart = 2 * song.division;
    song.loopEnd = 10 * song.division;
    const double range = song.SecondsAtTick(song.loopEnd) - song.SecondsAtTick(song.loopStart);
    ASSERT_LT(range, 10.0);
    const double tail = song.SecondsAtTick(song.loopEnd + 2 * song.division) - song.SecondsAtTick(song.loopEnd);
    g_nLastSaveAsKind = 5;
    std::vector<double> durations;
    for (const char* name : {"1.m4r", "2.m4r", "3.m4r"}) {
        request.strTargetPath = dir.Win(name).c_str();
        ASSERT_TRUE(RunRingtoneExport(request).bWritten) << name;
        EXPECT_EQ(song.loopStart, 2 * song.division);
        EXPECT_EQ(song.loopEnd, 10 * song.division);
        durations.push_back(std::atof(Probe(dir.Linux(name), "format=duration").c_str()));
    }
    // Two more quarter notes ring out after the range, and only those.
    EXPECT_GE(durations[0], range + tail - 0.1);
    EXPECT_LE(durations[0], range + tail + 3.0);
    EXPECT_NEAR(durations[1], durations[0], 0.05);
    EXPECT_NEAR(durations[2], durations[0], 0.05);
}

TEST_F(RingtoneExport, ARangeInTheMiddleOfASongWithTempoChangesLastsAsLongAsItsTimes)
{
    ASSERT_EQ(song.LoadMidiFile(TestDataPath("midi/bach_846.mid").c_str()), 1);
    ASSERT_NE(song.tempoList, nullptr);
    ASSERT_NE(song.tempoList->next, nullptr);  // the song changes its tempo
    song.playMode = 2;
    const double startSeconds = song.SecondsAtTick(song.UpdateScoreLength()) / 3;
    song.loopStart = 0;
    while (song.SecondsAtTick(song.loopStart) < startSeconds)
        song.loopStart += song.division;
    song.loopEnd = song.loopStart;
    while (song.SecondsAtTick(song.loopEnd) - song.SecondsAtTick(song.loopStart) < 20)
        song.loopEnd += song.division;
    const double range = song.SecondsAtTick(song.loopEnd) - song.SecondsAtTick(song.loopStart);
    EXPECT_EQ(SongSecondsBetween(song, song.loopStart, song.loopEnd), static_cast<int>(range));
    request.strTargetPath = dir.Win("middle.m4r").c_str();
    g_nLastSaveAsKind = 5;
    ASSERT_TRUE(RunRingtoneExport(request).bWritten);
    // The range, and the synthesizer's release after it.
    const double duration = std::atof(Probe(dir.Linux("middle.m4r"), "format=duration").c_str());
    EXPECT_GE(duration, range - 0.1);
    EXPECT_LE(duration, range + 3.0);
}

TEST_F(RingtoneExport, ASecondExportDuringOneIsRefused)
{
    LoadBach();
    RingtoneExportRequest second = request;
    static RingtoneExportRequest* s_second = &second;
    static RingtoneExportResult nested;
    nested = RingtoneExportResult();
    g_nested = &nested;
    // The message pump of the running export delivers the second Export command.
    AudioWindowHooks hooks;
    hooks.pump = [] {
        if (g_nested) {
            *g_nested = RunRingtoneExport(*s_second);
            g_nested = nullptr;
        }
    };
    SetAudioWindowHooks(hooks);
    RingtoneExportResult result = RunRingtoneExport(request);
    EXPECT_TRUE(nested.bRefused);
    EXPECT_FALSE(nested.bWritten);
    EXPECT_TRUE(result.bWritten);
    EXPECT_TRUE(std::filesystem::exists(dir.Linux("tonwick-001.m4r")));
    EXPECT_FALSE(std::filesystem::exists(dir.Linux("tonwick-002.m4r")));
}

}  // namespace
