// CBmpImage: the BMP file codec of CRasterImage.
#pragma once

#include "imaging/raster_image.h"

class CBmpImage : public CRasterImage {
public:
    CBmpImage() : CRasterImage(RASTER_TYPE_BMP) {}

    bool Encode(FILE* file);
    bool Decode(FILE* file);
    bool ReadInfoHeader(FILE* file, BITMAPINFOHEADER* info);

private:
    bool DecodeRle(FILE* file, bool fourBit);
    bool DecodeBitFields(FILE* file, int fileBitCount, const DWORD masks[3]);

    // Bytes of header beyond the 40-byte form (V4/V5 headers), skipped after the masks they hold.
    DWORD extraHeaderBytes = 0;
    DWORD headerMasks[3] = {};
    bool coreHeader = false;
    bool topDown = false;
};
