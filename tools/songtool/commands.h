// The commands of songtool; each takes the arguments after the command name and returns the exit code.
#pragma once

// songtool dump FILE
int RunDumpCommand(int argc, char** argv);
// songtool convert IN OUT
int RunConvertCommand(int argc, char** argv);
// songtool play FILE (play_command.cpp)
int RunPlayCommand(int argc, char** argv);

class CScore;
// Loads a song file as the composer's open command does; on failure prints the reason to stderr.
bool LoadSongForTool(CScore& song, const char* path);
