// FuzzInputFile: hands fuzz inputs to the file readers through a temporary file of this process's own.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

// Made under $TMPDIR (or /tmp) with a unique name, so that parallel fuzz jobs never share a file; removed when
// the process ends normally. Keep one in a function-local static.
class FuzzInputFile {
public:
    explicit FuzzInputFile(const char* extension)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kestrin-fuzz-XXXXXX").string() + extension;
        int fd = mkstemps(pattern.data(), static_cast<int>(std::string(extension).size()));
        if (fd >= 0) {
            close(fd);
            m_path = pattern;
        }
    }
    ~FuzzInputFile()
    {
        if (!m_path.empty())
            unlink(m_path.c_str());
    }
    FuzzInputFile(const FuzzInputFile&) = delete;
    FuzzInputFile& operator=(const FuzzInputFile&) = delete;

    const std::string& Path() const { return m_path; }

    // Replaces the file's contents with the input; false when the file cannot be written.
    bool Write(const uint8_t* data, size_t size) const
    {
        FILE* file = m_path.empty() ? nullptr : std::fopen(m_path.c_str(), "wb");
        if (!file)
            return false;
        bool ok = std::fwrite(data, 1, size, file) == size;
        return std::fclose(file) == 0 && ok;
    }

private:
    std::string m_path;
};
