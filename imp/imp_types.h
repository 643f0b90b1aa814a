// Records and constants of the image-processing library: image header, region, tile spec.
#pragma once

#include <cstdint>

#define IMP_DEPTH_SIGN 0x80000000u
#define IMP_DEPTH_1U 1
#define IMP_DEPTH_8U 8
#define IMP_DEPTH_16U 16
#define IMP_DEPTH_32F 32
#define IMP_DEPTH_8S ((int32_t)(IMP_DEPTH_SIGN | 8))
#define IMP_DEPTH_16S ((int32_t)(IMP_DEPTH_SIGN | 16))
#define IMP_DEPTH_32S ((int32_t)(IMP_DEPTH_SIGN | 32))

#define IMP_INTER_NN 0
#define IMP_INTER_LINEAR 1
#define IMP_INTER_CUBIC 2
#define IMP_INTER_SUPER 3

#define IMP_DATA_ORDER_PIXEL 0
#define IMP_DATA_ORDER_PLANE 1
#define IMP_ORIGIN_TL 0
#define IMP_ORIGIN_BL 1

// Which parts impReleaseImageParts frees.
#define IMP_RELEASE_HEADER 1
#define IMP_RELEASE_DATA 2
#define IMP_RELEASE_ROI 4
#define IMP_RELEASE_TILE 8
#define IMP_RELEASE_MASK 16

// Border kinds (low two bits of a side's kind) and side bits.
#define ImpBorderFill 0
#define ImpBorderRepeat 1
#define ImpBorderMirror 2
#define ImpBorderCycle 3
#define IMP_SIDE_TOP 1
#define IMP_SIDE_BOTTOM 2
#define IMP_SIDE_LEFT 4
#define IMP_SIDE_RIGHT 8

// Tile callback modes.
#define IMP_TILE_READ 1
#define IMP_TILE_WRITE 2
#define IMP_TILE_RELEASE 4

// The header size the library's records have always declared.
#define IMP_HEADER_SIZE 112

struct ImpHeader;

typedef void (*ImpTileHandler)(ImpHeader* image, int32_t tileColumn, int32_t tileRow, int32_t mode);

struct ImpRoiRecord {
    int32_t coi;
    int32_t offsetX;
    int32_t offsetY;
    int32_t width;
    int32_t height;
};

struct ImpTileSpec {
    ImpTileHandler callBack;
    int32_t reserved;
    void* tileData;
    int32_t width;
    int32_t height;
};

struct ImpHeader {
    int32_t headerSize;
    int32_t headerId;
    int32_t channels;
    int32_t alphaIndex;
    int32_t depth;
    char colorModel[4];
    char channelSequence[4];
    int32_t dataOrder;
    int32_t origin;
    int32_t alignment;
    int32_t width;
    int32_t height;
    ImpRoiRecord* roi;
    ImpHeader* maskImage;
    void* userTag;
    ImpTileSpec* tileInfo;
    int32_t imageSize;
    char* imageData;
    int32_t widthStep;
    int32_t borderKind[4];
    int32_t borderValue[4];
    char* rawData;
};

// Bits per channel of a depth, sign bit dropped.
inline int32_t impDepthBits(int32_t depth) { return (int32_t)((uint32_t)depth & 0x7FFFFFFFu); }
