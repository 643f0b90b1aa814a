// CJpegImage: the JPEG file codec of CRasterImage, through libjpeg.
#pragma once

#include "imaging/raster_image.h"

class CJpegImage : public CRasterImage {
public:
    CJpegImage() : CRasterImage(RASTER_TYPE_JPEG) {}

    bool Decode(FILE* file);
    bool Encode(FILE* file);
};
