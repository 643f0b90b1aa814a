// Feeds arbitrary bytes to the SMAF reader through a temporary file.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "kernel/prompt_service.h"
#include "song/score.h"
#include "song/smaf_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static std::string path = [] {
        char name[] = "/tmp/smaf_fuzz_XXXXXX";
        int fd = mkstemp(name);
        close(fd);
        return std::string(name);
    }();
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    static CScore song;
    SmafContentsInfo info;
    CSmafFile reader(&info);
    reader.SetScore(&song);
    reader.Load(path.c_str());
    GetRecordingPromptService().Clear();  // refusal messages would pile up over a long run
    return 0;
}
