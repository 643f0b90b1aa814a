// A temporary folder for one test, removed afterwards, with helpers to write files into it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "kernel/path_map.h"

class TempFolder {
public:
    TempFolder()
    {
        char pattern[] = "/tmp/kestrin-services-XXXXXX";
        m_path = mkdtemp(pattern);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Linux path without a trailing slash.
    const std::string& Linux() const { return m_path; }
    // Windows form with a trailing backslash, as the program keeps folders.
    std::string Windows() const { return ToWindowsPath(m_path) + "\\"; }

    // Writes a file at a path relative to the folder ('/' separators), creating its folders.
    void Write(const std::string& relative, const std::string& content) const
    {
        std::filesystem::path full = std::filesystem::path(m_path) / relative;
        std::filesystem::create_directories(full.parent_path());
        std::ofstream(full, std::ios::binary) << content;
    }
    std::string Read(const std::string& relative) const
    {
        std::ifstream in(std::filesystem::path(m_path) / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::string m_path;
};
