// songtool dump: a canonical text listing of a song file (tools/songtool/dump/song_dump.h).
#include <cstdio>

#include "song/score.h"
#include "tools/songtool/dump/song_dump.h"
#include "commands.h"

int RunDumpCommand(int argc, char** argv)
{
    if (argc != 1) {
        fprintf(stderr, "usage: songtool dump FILE\n");
        return 2;
    }
    CScore song;
    if (!LoadSongForTool(song, argv[0]))
        return 1;
    WriteSongDump(song, stdout);
    return 0;
}
