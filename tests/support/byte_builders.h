// Byte builders for hand-made file fixtures: appending bytes and text, little- and big-endian numbers, whole-file I/O.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

void Append(Bytes& out, std::initializer_list<int> bytes);
void Append(Bytes& out, const Bytes& bytes);
void Append(Bytes& out, const std::string& text);

// Little-endian numbers and four-character tags, as in RIFF and BMP files.
void Put16(Bytes& out, uint32_t value);
void Put32(Bytes& out, uint32_t value);
void PutTag(Bytes& out, const char* tag);
uint32_t Get32(const Bytes& in, size_t at);

// Big-endian numbers of `count` bytes, as in MIDI and SMAF files.
void AppendBig(Bytes& out, uint32_t value, int count);
// A big-endian 32-bit size over the four bytes at `at`.
void PutSize(Bytes& out, size_t at, size_t value);

Bytes ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const Bytes& bytes);
