// Feeds arbitrary bytes to the JPEG reader.
#include "fuzz_image_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DecodeFuzzImage(data, size, RASTER_TYPE_JPEG);
    return 0;
}
