// libFuzzer target: arbitrary bytes read as a Standard MIDI File, then written back.
#include <cstdint>
#include <string>

#include "fuzz_input_file.h"
#include "kernel/path_map.h"
#include "kernel/prompt_service.h"
#include "song/score.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzInputFile file(".mid");
    static const std::string path = ToWindowsPath(file.Path());
    static CScore song;
    if (!file.Write(data, size))
        return 0;
    song.Reset();
    if (song.LoadMidiFile(path.c_str())) {
        song.UpdateInstrumentNames(true);
        song.UpdateScoreLength();
        song.SaveMidiFile(path.c_str());
    }
    GetRecordingPromptService().Clear();
    return 0;
}
