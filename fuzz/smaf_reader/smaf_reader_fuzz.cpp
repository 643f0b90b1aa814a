// Feeds arbitrary bytes to the SMAF reader through a temporary file.
#include <string>

#include "fuzz_input_file.h"
#include "kernel/prompt_service.h"
#include "song/score.h"
#include "song/smaf_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzInputFile file(".mmf");
    if (!file.Write(data, size))
        return 0;
    static CScore song;
    SmafContentsInfo info;
    CSmafFile reader(&info);
    reader.SetScore(&song);
    reader.Load(file.Path().c_str());
    GetRecordingPromptService().Clear();  // refusal messages would pile up over a long run
    return 0;
}
