// Hands a fuzz input to the file readers: temporary file names and writing the bytes to them.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

// A new empty file made from a mkstemp pattern such as "/tmp/name-XXXXXX"; call once and keep the name.
inline std::string MakeFuzzTempFile(const char* pattern) {
    std::string name(pattern);
    int fd = mkstemp(name.data());
    if (fd >= 0) close(fd);
    return name;
}

// A name under /tmp that is this process's own, so parallel fuzz jobs never share a file.
inline std::string FuzzProcessFile(const char* prefix, const char* extension) {
    return "/tmp/" + std::string(prefix) + std::to_string(getpid()) + extension;
}

// Replaces the file's contents with the input; false when the file cannot be opened.
inline bool WriteFuzzInput(const std::string& path, const uint8_t* data, size_t size) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    return true;
}
