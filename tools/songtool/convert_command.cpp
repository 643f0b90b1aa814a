// songtool convert: loads a song file and writes it with the writer Save As uses for the output's type.
#include <cstdio>

#include "kernel/path_map.h"
#include "kernel/prompt_service.h"
#include "song/score.h"
#include "song/song_files.h"
#include "commands.h"

int RunConvertCommand(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: songtool convert IN OUT\n");
        return 2;
    }
    CScore song;
    if (!LoadSongForTool(song, argv[0]))
        return 1;
    std::string out = ToWindowsPath(argv[1]);
    int kind = SongFileKindOf(out.c_str());
    const SongFileFormat* format = FindSongFileFormat(kind);
    if (!format || !format->save) {
        fprintf(stderr, "%s: songtool cannot write this type\n", argv[1]);
        return 1;
    }
    RecordingPromptService& prompts = GetRecordingPromptService();
    prompts.Clear();
    if (!format->save(song, out.c_str())) {
        for (const RecordingPromptService::Message& message : prompts.Messages())
            fprintf(stderr, "%s\n", message.text.c_str());
        return 1;
    }
    return 0;
}
