// libFuzzer target: arbitrary bytes read as a native score file, then written back, as a Standard
// MIDI File and as a SMAF file: the score file holds any tick and any control record.
#include <cstdint>
#include <string>

#include "fuzz_input_file.h"
#include "kernel/path_map.h"
#include "kernel/prompt_service.h"
#include "song/score.h"
#include "song/smaf_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzInputFile file(".sms");
    static const std::string path = ToWindowsPath(file.Path());
    static CScore song;
    if (!file.Write(data, size))
        return 0;
    song.Reset();
    song.NewSong(1, 4, 2);
    if (song.LoadScoreFile(path.c_str())) {
        song.RebuildMeasureTable(false);
        song.SaveScoreFile(path.c_str());
        song.SaveMidiFile(path.c_str());
        SmafContentsInfo info;
        ResetContentsInfo(&info);
        CSmafFile smaf(&info);
        smaf.SetScore(&song);
        smaf.BuildFile();
    }
    GetRecordingPromptService().Clear();
    return 0;
}
