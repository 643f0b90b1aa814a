// Loading a song file for a songtool command, with the reader's messages sent to stderr.
#include <cstdio>

#include "kernel/path_map.h"
#include "kernel/prompt_service.h"
#include "song/score.h"
#include "song/song_files.h"
#include "commands.h"

bool LoadSongForTool(CScore& song, const char* path)
{
    std::string windowsPath = ToWindowsPath(path);
    RecordingPromptService& prompts = GetRecordingPromptService();
    prompts.Clear();
    int result = OpenSongFile(song, windowsPath.c_str());
    if (result == 1)
        return true;
    std::vector<RecordingPromptService::Message> messages = prompts.Messages();
    if (result == -1)
        fprintf(stderr, "%s: not a song file type\n", path);
    else if (messages.empty())
        fprintf(stderr, "Open file failed !!!\n");
    for (const RecordingPromptService::Message& message : messages)
        fprintf(stderr, "%s\n", message.text.c_str());
    return false;
}
