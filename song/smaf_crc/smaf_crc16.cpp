// SmafCrc16 with its byte table.
#include "song/smaf_crc/smaf_crc16.h"

uint16_t SmafCrc16(const uint8_t* bytes, size_t length)
{
    uint16_t table[256];
    for (int i = 0; i < 256; ++i) {
        uint16_t entry = static_cast<uint16_t>(i << 8);
        for (int bit = 0; bit < 8; ++bit)
            entry = (entry & 0x8000) ? static_cast<uint16_t>((entry << 1) ^ 0x1021) : static_cast<uint16_t>(entry << 1);
        table[i] = entry;
    }
    uint16_t crc = 0xFFFF;
    for (size_t i = 0; i < length; ++i)
        crc = static_cast<uint16_t>((crc << 8) ^ table[((crc >> 8) ^ bytes[i]) & 0xFF]);
    return static_cast<uint16_t>(crc ^ 0xFFFF);
}
