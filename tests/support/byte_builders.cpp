// Byte builders for hand-made file fixtures.
#include "tests/support/byte_builders.h"

#include <fstream>
#include <iterator>

void Append(Bytes& out, std::initializer_list<int> bytes)
{
    for (int b : bytes)
        out.push_back(static_cast<uint8_t>(b));
}

void Append(Bytes& out, const Bytes& bytes) { out.insert(out.end(), bytes.begin(), bytes.end()); }

void Append(Bytes& out, const std::string& text) { out.insert(out.end(), text.begin(), text.end()); }

void Put16(Bytes& out, uint32_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(Bytes& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutTag(Bytes& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

uint32_t Get32(const Bytes& in, size_t at)
{
    return in[at] | (in[at + 1] << 8) | (in[at + 2] << 16) | (uint32_t(in[at + 3]) << 24);
}

void AppendBig(Bytes& out, uint32_t value, int count)
{
    for (int i = count - 1; i >= 0; --i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutSize(Bytes& out, size_t at, size_t value)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<uint8_t>(value >> (24 - 8 * i));
}

Bytes ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}
