// Temporary files and byte builders shared by the song file-format tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

#include <unistd.h>

#include "kernel/path_map.h"

using Bytes = std::vector<uint8_t>;

// A fresh folder under the system's temporary folder, removed with the object.
class TempFolder {
public:
    TempFolder()
    {
        static int counter = 0;
        m_path = std::filesystem::temp_directory_path() /
                 ("songtest-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }
    // The Windows-style path of a file in the folder, as the program passes paths.
    std::string File(const std::string& name) const { return ToWindowsPath((m_path / name).string()); }
    std::filesystem::path Linux(const std::string& name) const { return m_path / name; }
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

inline void WriteBytes(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline Bytes ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void Append(Bytes& out, std::initializer_list<uint8_t> bytes)
{
    out.insert(out.end(), bytes);
}

inline void Append(Bytes& out, const Bytes& bytes)
{
    out.insert(out.end(), bytes.begin(), bytes.end());
}

inline void AppendBig(Bytes& out, uint32_t value, int count)
{
    for (int i = count - 1; i >= 0; --i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// "MTrk", the big-endian length and the data.
inline Bytes TrackChunk(const Bytes& data)
{
    Bytes out = {'M', 'T', 'r', 'k'};
    AppendBig(out, static_cast<uint32_t>(data.size()), 4);
    Append(out, data);
    return out;
}

// A Standard MIDI File from its header values and chunk data.
inline Bytes MidiFile(int format, int trackCount, int division, const std::vector<Bytes>& chunks)
{
    Bytes out = {'M', 'T', 'h', 'd', 0, 0, 0, 6};
    AppendBig(out, static_cast<uint32_t>(format), 2);
    AppendBig(out, static_cast<uint32_t>(trackCount), 2);
    AppendBig(out, static_cast<uint32_t>(division), 2);
    for (const Bytes& chunk : chunks)
        Append(out, TrackChunk(chunk));
    return out;
}
