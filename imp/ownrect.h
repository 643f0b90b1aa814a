// Pixel addresses, region and channel of interest, tile geometry and bordered blocks.
#pragma once

#include "imp/imp_types.h"

struct ImpRowCursor {
    char* start;
    int32_t rowStep;
    int32_t planeStep;
    int32_t channelsToProcess;
    int32_t channels;
    int32_t firstChannel;
    int32_t bitOffset;
};

char* impPixelPtr(const ImpHeader* image, int32_t x, int32_t y, int32_t channel);
int32_t impRoiSize(const ImpHeader* image, int32_t* height, int32_t* width, int32_t clip);
int32_t impRoiSize2(const ImpHeader* a, const ImpHeader* b, int32_t* height, int32_t* width, int32_t clip);
int32_t impRoiSize3(const ImpHeader* a, const ImpHeader* b, const ImpHeader* c, int32_t* height, int32_t* width,
                    int32_t clip);
int32_t impRoiBounds(const ImpHeader* image, int32_t rect[4], int32_t clip);
int32_t impRoiStart(const ImpHeader* image, char** start, int32_t* rowStep, int32_t* channelsToProcess,
                    int32_t* planeStep, int32_t* bitOffset);
int32_t impRoiCursor(const ImpHeader* image, ImpRowCursor* cursor, int32_t clip);
int32_t impRoiStartBits(const ImpHeader* image, char** start, int32_t* rowStep, int32_t* bitOffset);
void impRoiTiles(const ImpHeader* image, int32_t areaHeight, int32_t areaWidth, int32_t* xInTile, int32_t* yInTile,
                 int32_t* tileHeight, int32_t* tileWidth, int32_t* firstColumn, int32_t* firstRow, int32_t* tileColumns,
                 int32_t* tileRows);
int32_t impTileRowStep(const ImpHeader* image);
bool impFetchTileRow(ImpHeader* image, void** tiles, int32_t count, int32_t firstColumn, int32_t tileRow,
                     int32_t columnStep);
void impReleaseTileRow(ImpHeader* image, void** tiles, int32_t count, int32_t firstColumn, int32_t tileRow,
                       int32_t columnStep);
void impCopyBlock(const char* src, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int64_t srcRowStep,
                  int64_t srcPlaneStep, char* dst, int32_t dstX, int32_t dstY, int64_t dstRowStep, int64_t dstPlaneStep,
                  int32_t bytesPerPixel, int32_t planes);
int32_t impReadRect(ImpHeader* image, int32_t x0, int32_t y0, int32_t x1, int32_t y1, char* dst, int32_t dstX,
                    int32_t dstY, int64_t dstRowStep, int64_t dstPlaneStep, int32_t bytesPerPixel, int32_t planes);
void impFillFromCorner(char* buf, int32_t x, int32_t y, int32_t width, int32_t height, int64_t rowStep,
                       int64_t planeStep, int32_t bytesPerPixel, int32_t planes);
void impExtendRowsRight(char* buf, int32_t x, int32_t y, int32_t width, int32_t height, int64_t rowStep,
                        int64_t planeStep, int32_t bytesPerPixel, int32_t planes);
void impExtendRowDown(char* buf, int32_t x, int32_t y, int32_t width, int32_t height, int64_t rowStep,
                      int64_t planeStep, int32_t bytesPerPixel, int32_t planes);
char* impGetBorderedBlock(ImpHeader* image, int32_t x, int32_t y, int32_t width, int32_t height, int32_t* rowStep);
void impFreeBuffer(void* buffer);

// Bytes per channel of a depth (0 for 1-bit).
inline int32_t impBytesPerChannel(int32_t depth) { return impDepthBits(depth) / 8; }
// Bit x of a most-significant-first bit row.
inline bool impGetBit(const char* row, int64_t x) { return (((const unsigned char*)row)[x >> 3] >> (7 - (x & 7))) & 1; }
inline void impPutBit(char* row, int64_t x, bool on)
{
    unsigned char m = (unsigned char)(0x80 >> (x & 7));
    if (on)
        row[x >> 3] = (char)(row[x >> 3] | m);
    else
        row[x >> 3] = (char)(row[x >> 3] & ~m);
}
