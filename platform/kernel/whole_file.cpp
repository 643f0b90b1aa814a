// Reading a whole file at a Linux path into memory.
#include "kernel/whole_file.h"

#include <cstdio>

bool ReadWholeFile(const std::string& linuxPath, std::string& text)
{
    FILE* f = fopen(linuxPath.c_str(), "rb");
    if (!f)
        return false;
    text.clear();
    char buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, f)) > 0)
        text.append(buffer, n);
    fclose(f);
    return true;
}
