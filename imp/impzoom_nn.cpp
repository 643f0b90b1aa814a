// Nearest-neighbour zoom kernels for 1-bit, 8-bit and 16-bit images.
#include <cstring>

#include "imp/impzoom_kernels.h"

void impZoomNN1u(const ImpZoomRun& run)
{
    const unsigned char* maskRow = run.mask;
    for (int32_t k = 0; k < run.height; ++k) {
        const unsigned char* srow = (const unsigned char*)run.src + run.rowTable[k];
        unsigned char* drow = (unsigned char*)run.dst + k * run.dstStep;
        for (int32_t j = 0; j < run.width; ++j) {
            if (maskRow && !impZoomMaskBit(maskRow, run.maskBit + j))
                continue;
            int64_t sx = (int64_t)run.colTable[j] + run.srcBit;
            int64_t dx = (int64_t)run.dstBit + j;
            unsigned char m = (unsigned char)(0x80 >> (dx & 7));
            if (impZoomMaskBit(srow, sx))
                drow[dx >> 3] |= m;
            else
                drow[dx >> 3] &= (unsigned char)~m;
        }
        if (maskRow)
            maskRow += run.maskStep;
    }
}

template <typename T>
static void nnPixel(const ImpZoomRun& run)
{
    const unsigned char* maskRow = run.mask;
    for (int32_t k = 0; k < run.height; ++k) {
        const T* srow = (const T*)run.src + run.rowTable[k];
        T* d = (T*)run.dst + k * run.dstStep;
        for (int32_t j = 0; j < run.width; ++j, d += run.dstChannels) {
            if (maskRow && !impZoomMaskBit(maskRow, run.maskBit + j))
                continue;
            const T* s = srow + run.colTable[j];
            for (int32_t n = 0; n < run.channels; ++n)
                d[n] = s[n];
        }
        if (maskRow)
            maskRow += run.maskStep;
    }
}

template <typename T>
static void nnPlanar(const ImpZoomRun& run)
{
    for (int32_t p = 0; p < run.channels; ++p) {
        const unsigned char* maskRow = run.mask;
        const T* splane = (const T*)run.src + p * run.srcPlane;
        T* dplane = (T*)run.dst + p * run.dstPlane;
        for (int32_t k = 0; k < run.height; ++k) {
            const T* srow = splane + run.rowTable[k];
            T* d = dplane + k * run.dstStep;
            for (int32_t j = 0; j < run.width; ++j)
                if (!maskRow || impZoomMaskBit(maskRow, run.maskBit + j))
                    d[j] = srow[run.colTable[j]];
            if (maskRow)
                maskRow += run.maskStep;
        }
    }
}

void impZoomNN8uPixelRef(const ImpZoomRun& run) { nnPixel<uint8_t>(run); }

void impZoomNN8uPixel(const ImpZoomRun& run)
{
    if (run.mask)
        return nnPixel<uint8_t>(run);
    const int32_t* col = run.colTable;
    for (int32_t k = 0; k < run.height; ++k) {
        const uint8_t* srow = (const uint8_t*)run.src + run.rowTable[k];
        uint8_t* d = (uint8_t*)run.dst + k * run.dstStep;
        if (run.channels == 4 && run.dstChannels == 4) {
            for (int32_t j = 0; j < run.width; ++j)
                memcpy(d + 4 * j, srow + col[j], 4);
        } else if (run.channels == 3 && run.dstChannels == 3) {
            for (int32_t j = 0; j < run.width; ++j)
                memcpy(d + 3 * j, srow + col[j], 3);
        } else if (run.channels == 1 && run.dstChannels == 1) {
            for (int32_t j = 0; j < run.width; ++j)
                d[j] = srow[col[j]];
        } else {
            for (int32_t j = 0; j < run.width; ++j, d += run.dstChannels)
                for (int32_t n = 0; n < run.channels; ++n)
                    d[n] = srow[col[j] + n];
        }
    }
}
void impZoomNN8uPlanar(const ImpZoomRun& run) { nnPlanar<uint8_t>(run); }
void impZoomNN16uPixel(const ImpZoomRun& run) { nnPixel<uint16_t>(run); }
void impZoomNN16uPlanar(const ImpZoomRun& run) { nnPlanar<uint16_t>(run); }
