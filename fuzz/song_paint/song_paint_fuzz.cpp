// libFuzzer target: a song opened as the composer opens it, then its first and last pages laid out and painted.
// The first byte picks the type (0 MIDI, 1 score file, 2 SMAF, by its remainder), the rest is the file.
#include <cstdint>
#include <string>

#include "fuzz_input_file.h"
#include "kernel/path_map.h"
#include "kernel/prompt_service.h"
#include "scoreview/score_pages.h"
#include "song/song_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzInputFile files[3] = {FuzzInputFile(".mid"), FuzzInputFile(".sms"), FuzzInputFile(".mmf")};
    if (size < 1)
        return 0;
    const FuzzInputFile& file = files[data[0] % 3];
    if (!file.Write(data + 1, size - 1))
        return 0;
    CScoreView view;
    if (OpenSongFile(view.score, ToWindowsPath(file.Path()).c_str()) == 1) {
        PrepareHeadlessView(view, 800, 0, 1.0);
        const int last = LastSongMeasure(view);
        for (int measure : {0, last}) {
            ScrollToMeasure(view, measure);
            view.RedrawScore(true);
            if (last == 0)
                break;
        }
    }
    GetRecordingPromptService().Clear();  // refusal and layout messages would pile up over a long run
    return 0;
}
