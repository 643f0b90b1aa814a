// libFuzzer target: arbitrary bytes read as a native score file, then written back.
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "kernel/path_map.h"
#include "kernel/prompt_service.h"
#include "song/score.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string linuxPath = "/tmp/sms_reader_fuzz_" + std::to_string(getpid()) + ".sms";
    static const std::string path = ToWindowsPath(linuxPath);
    static CScore song;
    FILE* file = fopen(linuxPath.c_str(), "wb");
    if (!file)
        return 0;
    fwrite(data, 1, size, file);
    fclose(file);
    song.Reset();
    song.NewSong(1, 4, 2);
    if (song.LoadScoreFile(path.c_str())) {
        song.RebuildMeasureTable(false);
        song.SaveScoreFile(path.c_str());
    }
    GetRecordingPromptService().Clear();
    return 0;
}
