// Feeds a fuzz input to one of the image readers straight from memory.
#pragma once

#include <cstdint>
#include <cstdio>

#include "imaging/raster_image.h"

inline void DecodeFuzzImage(const uint8_t* data, size_t size, int type)
{
    if (size == 0)
        return;
    FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (!file)
        return;
    CRasterImage image;
    image.Decode(file, type);
    std::fclose(file);
}
