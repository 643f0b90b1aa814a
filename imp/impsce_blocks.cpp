// Block primitives of copy and set: byte copy and byte, halfword and word fills in 32-byte blocks.
#include "imp/impsce.h"

#include <cstring>

void impCopyBytes(const void* source, void* destination, int64_t n)
{
    const unsigned char* s = (const unsigned char*)source;
    unsigned char* d = (unsigned char*)destination;
    if (n >= 8)
        while (((uintptr_t)d & 7) && n > 0) {
            *d++ = *s++;
            --n;
        }
    for (; n >= 32; n -= 32, s += 32, d += 32)
        memcpy(d, s, 32);
    for (; n >= 4; n -= 4, s += 4, d += 4)
        memcpy(d, s, 4);
    while (n-- > 0)
        *d++ = *s++;
}

// Stores a 64-bit pattern over n bytes from an 8-byte aligned start, 32 bytes at a time.
static void fillPattern(unsigned char* d, uint64_t pattern, int64_t n)
{
    for (; n >= 32; n -= 32, d += 32)
        for (int k = 0; k < 4; ++k)
            memcpy(d + 8 * k, &pattern, 8);
    for (; n >= 8; n -= 8, d += 8)
        memcpy(d, &pattern, 8);
    memcpy(d, &pattern, (size_t)n);
}

void impFillBytes(int32_t value, void* destination, int64_t n)
{
    unsigned char* d = (unsigned char*)destination;
    if (n < 8) {
        memset(d, value & 0xFF, (size_t)std::max<int64_t>(n, 0));
        return;
    }
    while ((uintptr_t)d & 7) {
        *d++ = (unsigned char)value;
        --n;
    }
    fillPattern(d, (uint64_t)(value & 0xFF) * 0x0101010101010101ull, n);
}

void impFillWords(int32_t value, void* destination, int64_t n)
{
    uint16_t v = (uint16_t)value;
    unsigned char* d = (unsigned char*)destination;
    if (n < 4 || ((uintptr_t)d & 1)) {
        for (int64_t i = 0; i < n; ++i)
            memcpy(d + 2 * i, &v, 2);
        return;
    }
    while (((uintptr_t)d & 7) && n > 0) {
        memcpy(d, &v, 2);
        d += 2;
        --n;
    }
    fillPattern(d, (uint64_t)v * 0x0001000100010001ull, 2 * n);
}

void impFillDwords(int32_t value, void* destination, int64_t n)
{
    uint32_t v = (uint32_t)value;
    unsigned char* d = (unsigned char*)destination;
    if (n < 8 || ((uintptr_t)d & 3)) {
        for (int64_t i = 0; i < n; ++i)
            memcpy(d + 4 * i, &v, 4);
        return;
    }
    if ((uintptr_t)d & 7) {
        memcpy(d, &v, 4);
        d += 4;
        --n;
    }
    fillPattern(d, (uint64_t)v * 0x0000000100000001ull, 4 * n);
}
