// Little-endian 16- and 32-bit reads and writes for the bitmap headers.
#pragma once

#include "kernel/windef.h"

inline DWORD ReadLe32(const BYTE* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<DWORD>(p[3]) << 24); }
inline WORD ReadLe16(const BYTE* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }
inline void WriteLe32(BYTE* p, DWORD v)
{
    p[0] = v & 0xFF;
    p[1] = (v >> 8) & 0xFF;
    p[2] = (v >> 16) & 0xFF;
    p[3] = (v >> 24) & 0xFF;
}
