// Little-endian byte writer and bounded byte reader for the native score file.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#pragma once

class ByteWriter {
public:
    explicit ByteWriter(std::vector<uint8_t>& out) : m_out(out) {}
    void U8(uint8_t v) { m_out.push_back(v); }
    void I8(int8_t v) { m_out.push_back(static_cast<uint8_t>(v)); }
    void U16(uint16_t v) { Little(v, 2); }
    void I16(int16_t v) { Little(static_cast<uint16_t>(v), 2); }
    void I32(int32_t v) { Little(static_cast<uint32_t>(v), 4); }
    void U32(uint32_t v) { Little(v, 4); }
    void F64(double v)
    {
        uint64_t bits;
        memcpy(&bits, &v, 8);
        Little(bits, 8);
    }
    void Zeros(int n) { m_out.insert(m_out.end(), n, 0); }
    void Bytes(const void* data, size_t n)
    {
        const uint8_t* p = static_cast<const uint8_t*>(data);
        m_out.insert(m_out.end(), p, p + n);
    }
    // A text field of size bytes: at most size - 1 bytes of text, the rest zero.
    void Text(const char* text, int size)
    {
        size_t length = text ? strnlen(text, size - 1) : 0;
        Bytes(text, length);
        Zeros(static_cast<int>(size - length));
    }

private:
    void Little(uint64_t v, int bytes)
    {
        for (int i = 0; i < bytes; ++i)
            m_out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
    std::vector<uint8_t>& m_out;
};

// Reads from a byte block; a read past its end yields zeros and clears ok().
class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool ok() const { return m_ok; }
    size_t Remaining() const { return m_size - m_pos; }
    uint8_t U8() { return static_cast<uint8_t>(Little(1)); }
    int8_t I8() { return static_cast<int8_t>(Little(1)); }
    uint16_t U16() { return static_cast<uint16_t>(Little(2)); }
    int16_t I16() { return static_cast<int16_t>(Little(2)); }
    int32_t I32() { return static_cast<int32_t>(Little(4)); }
    uint32_t U32() { return static_cast<uint32_t>(Little(4)); }
    double F64()
    {
        uint64_t bits = Little(8);
        double v;
        memcpy(&v, &bits, 8);
        return v;
    }
    void Skip(size_t n) { Take(n); }
    bool Bytes(void* out, size_t n)
    {
        const uint8_t* p = Take(n);
        if (p)
            memcpy(out, p, n);
        else
            memset(out, 0, n);
        return p != nullptr;
    }
    // A text field of size bytes into out (size bytes); the text always ends within the field.
    void Text(char* out, int size)
    {
        Bytes(out, size);
        out[size - 1] = '\0';
    }

private:
    const uint8_t* Take(size_t n)
    {
        if (!m_ok || n > m_size - m_pos) {
            m_ok = false;
            m_pos = m_size;
            return nullptr;
        }
        const uint8_t* p = m_data + m_pos;
        m_pos += n;
        return p;
    }
    uint64_t Little(int bytes)
    {
        const uint8_t* p = Take(bytes);
        uint64_t v = 0;
        for (int i = 0; p && i < bytes; ++i)
            v |= static_cast<uint64_t>(p[i]) << (8 * i);
        return v;
    }
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
    bool m_ok = true;
};
