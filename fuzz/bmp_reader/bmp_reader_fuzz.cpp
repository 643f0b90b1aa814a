// Feeds arbitrary bytes to the BMP reader.
#include <cstdio>

#include "imaging/raster_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (!file) return 0;
    CRasterImage image;
    image.Decode(file, RASTER_TYPE_BMP);
    std::fclose(file);
    return 0;
}
