// libFuzzer target: arbitrary bytes read as a Standard MIDI File, then written back.
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "kernel/path_map.h"
#include "kernel/prompt_service.h"
#include "song/score.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string linuxPath = "/tmp/midi_reader_fuzz_" + std::to_string(getpid()) + ".mid";
    static const std::string path = ToWindowsPath(linuxPath);
    static CScore song;
    FILE* file = fopen(linuxPath.c_str(), "wb");
    if (!file)
        return 0;
    fwrite(data, 1, size, file);
    fclose(file);
    song.Reset();
    if (song.LoadMidiFile(path.c_str())) {
        song.UpdateInstrumentNames(true);
        song.UpdateScoreLength();
        song.SaveMidiFile(path.c_str());
    }
    GetRecordingPromptService().Clear();
    return 0;
}
