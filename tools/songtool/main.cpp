// songtool: command-line access to the song file readers and writers.
#include <cstdio>
#include <cstring>

#include "commands.h"

namespace {

struct Command {
    const char* name;
    const char* usage;
    int (*run)(int argc, char** argv);
};

const Command kCommands[] = {
    {"dump", "dump FILE", RunDumpCommand},
    {"convert", "convert IN OUT", RunConvertCommand},
#ifdef SONGTOOL_HAS_PLAY
    {"play", "play FILE", RunPlayCommand},
#endif
};

int Usage()
{
    fprintf(stderr, "usage:\n");
    for (const Command& command : kCommands)
        fprintf(stderr, "  songtool %s\n", command.usage);
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    for (const Command& command : kCommands) {
        if (strcmp(argv[1], command.name) == 0)
            return command.run(argc - 2, argv + 2);
    }
    return Usage();
}
