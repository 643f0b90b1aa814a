// Shared frame of the logical operations: channel counts, region starts, flat-buffer test, combined masks.
#pragma once

#include "imp/imp_types.h"

struct ImpLogicRect {
    int32_t x0, x1, y0, y1, height, width;
};

int32_t impLogicChannels(const ImpHeader* image);
int32_t impLogicFirstChannel(const ImpHeader* image);
void impLogicRoiRect(const ImpHeader* image, ImpLogicRect* rect);
char* impLogicRoiStart(const ImpHeader* image, int32_t* width, int32_t* height, int32_t channel, int32_t* bitOffset);
int32_t impLogicIsWholeImage(const ImpHeader* image, const ImpHeader* dst, int32_t anyAlpha);
ImpHeader* impLogicCombineMasks(ImpHeader* m1, ImpHeader* m2, ImpHeader* m3, int32_t* code);

// Bits 8i .. 8i + 7 of a row that starts s bits into its first byte, where the row's last wanted bit is lastBit.
inline unsigned char impLogicByteAt(const unsigned char* row, int32_t s, int32_t i)
{
    if (s == 0)
        return row[i];
    return (unsigned char)(((row[i] << 8) | row[i + 1]) >> (8 - s));
}
