// libFuzzer target: a song opened as the composer opens it, then its first and last pages laid out and painted
// at zoom 1 and 2. The first byte picks the type (0 MIDI, 1 score file, 2 SMAF, by its remainder), the rest is
// the file.
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
    for (double zoom : {1.0, 2.0}) {
        CScoreView view;
        if (OpenSongFile(view.score, ToWindowsPath(file.Path()).c_str()) != 1)
            break;
        PrepareHeadlessView(view, 800, 0, zoom);
        for (int measure : {0, LastSongMeasure(view)}) {
            ScrollToMeasure(view, measure);
            view.RedrawScore(true);
        }
    }
    GetRecordingPromptService().Clear();  // refusal and layout messages would pile up over a long run
    return 0;
}
