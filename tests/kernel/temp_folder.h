// A fresh temporary folder per test, removed with everything in it afterwards.
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
        std::string pattern = (std::filesystem::temp_directory_path() / "kernel-test-XXXXXX").string();
        m_path = mkdtemp(pattern.data());
    }
    ~TempFolder() { std::filesystem::remove_all(m_path); }

    // Linux path of a name inside the folder.
    std::string Linux(const std::string& name = "") const { return m_path + "/" + name; }
    // Windows-style path of a name inside the folder, as program code holds it.
    std::string Win(const std::string& name = "") const
    {
        std::string n = name;
        for (char& c : n)
            if (c == '/')
                c = '\\';
        return ToWindowsPath(m_path) + "\\" + n;
    }
    void Write(const std::string& name, const std::string& bytes) const
    {
        std::filesystem::create_directories(std::filesystem::path(Linux(name)).parent_path());
        std::ofstream(Linux(name), std::ios::binary) << bytes;
    }
    std::string Read(const std::string& name) const
    {
        std::ifstream in(Linux(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::string m_path;
};
