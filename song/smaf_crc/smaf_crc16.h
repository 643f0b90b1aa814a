// The 16-bit CRC that closes every SMAF file.
#pragma once

#include <cstddef>
#include <cstdint>

// Polynomial 0x1021, start 0xFFFF, no reflection, result complemented.
uint16_t SmafCrc16(const uint8_t* bytes, size_t length);
