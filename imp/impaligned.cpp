// 32-byte aligned blocks that remember their heap address in the word before them.
#include "imp/impalloc.h"

#include <cstdlib>
#include <cstring>

void* impAlignedMalloc(int64_t size)
{
    if (size < 0 || size > INT64_MAX - 68)
        return nullptr;
    char* raw = static_cast<char*>(malloc((size_t)size + 68));
    if (!raw)
        return nullptr;
    // First multiple of 32 at least 4 bytes in; a whole pointer is kept before it here.
    uintptr_t aligned = ((uintptr_t)raw + 8 + 31) & ~(uintptr_t)31;
    memcpy((char*)aligned - sizeof(char*), &raw, sizeof(char*));
    return (void*)aligned;
}

void* impAlignedMallocDwords(int64_t count)
{
    if (count < 0 || count > INT64_MAX / 8)
        return nullptr;
    return impAlignedMalloc(count * 4);
}

void impAlignedFree(void* block)
{
    if (!block)
        return;
    char* raw;
    memcpy(&raw, (char*)block - sizeof(char*), sizeof(char*));
    free(raw);
}
