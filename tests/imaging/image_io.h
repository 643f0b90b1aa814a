// Decoding and encoding images through in-memory streams in the imaging tests.
#pragma once

#include <cstdio>
#include <vector>

#include "imaging/raster_image.h"

inline bool DecodeBytes(CRasterImage& image, const std::vector<uint8_t>& bytes, int type)
{
    FILE* file = fmemopen(const_cast<uint8_t*>(bytes.data()), bytes.size(), "rb");
    bool ok = image.Decode(file, type);
    std::fclose(file);
    return ok;
}

inline std::vector<uint8_t> EncodeBytes(CRasterImage& image, int type, bool* ok = nullptr)
{
    char* data = nullptr;
    size_t size = 0;
    FILE* file = open_memstream(&data, &size);
    bool result = image.Encode(file, type);
    std::fclose(file);
    std::vector<uint8_t> bytes(data, data + size);
    std::free(data);
    if (ok)
        *ok = result;
    return bytes;
}
