// Feeds arbitrary bytes to the BMP reader.
#include "fuzz_image_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DecodeFuzzImage(data, size, RASTER_TYPE_BMP);
    return 0;
}
